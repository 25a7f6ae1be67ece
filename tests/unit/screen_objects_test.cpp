#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"
#include "render_world.h"
#include "world/map_data.h"
#include "gen/darken.h"

namespace {

// Scaled animation types whose frame k is a 4 x 4 square of colour
// base + k, with the handles the frames replace.
struct ScaledSprites {
  RenderWorld &w;
  static constexpr int TYPES[] = {ANIM_PLANE_SCALED,        ANIM_PLANE_CONTOUR_SCALED,
                                  ANIM_SHIP_MIDDLE_SCALED,  ANIM_SHIP_BULLET_SCALED,
                                  ANIM_PLANE_BANKED_SCALED, ANIM_PLANE_BANKED_CONTOUR_SCALED};
  static constexpr int BASE[] = {100, 1, 130, 160, 190, 1};
  anim_type types[6];
  BITMAP *frames[6][SCALED_FRAMES];
  anim_type *saved_types[MAX_ANIM_TYPES];
  int saved_total;
  BITMAP *saved_plane, *saved_noshad, *saved_middle, *saved_bullet;

  explicit ScaledSprites(RenderWorld &world) : w(world) {
    std::copy(anim_type_list, anim_type_list + MAX_ANIM_TYPES, saved_types);
    saved_total = total_anim_types;
    saved_plane = plane;
    saved_noshad = plane_noshad;
    saved_middle = shipmiddle;
    saved_bullet = ship_bullet;
    for (int t = 0; t < 6; t++) {
      for (int k = 0; k < SCALED_FRAMES; k++) frames[t][k] = w.solid(4, 4, BASE[t] + k);
      types[t] = anim_type{SCALED_FRAMES, frames[t], 4, 4};
      anim_type_list[TYPES[t]] = &types[t];
    }
    total_anim_types = ANIM_TYPES_GENERATED;
    plane = w.solid(4, 4, 250);
    plane_noshad = w.solid(4, 4, 251);
    shipmiddle = w.solid(4, 4, 252);
    ship_bullet = w.solid(4, 4, 253);
  }
  ~ScaledSprites() {
    std::copy(saved_types, saved_types + MAX_ANIM_TYPES, anim_type_list);
    total_anim_types = saved_total;
    plane = saved_plane;
    plane_noshad = saved_noshad;
    shipmiddle = saved_middle;
    ship_bullet = saved_bullet;
  }
};

// The colour an object drawn at (x, y) with no contour leaves there.
int drawn(RenderWorld &w, BITMAP *sprite, float alt, int enemy = 0, int list = -1) {
  clear_bitmap(w.frame);
  add_screen_object(sprite, -1, 0, nullptr, nullptr, 100, 300, 0, alt, list, 1, enemy);
  draw_screen_objects();
  return getpixel(w.frame, 101, 301);
}

std::vector<float> dynamic_keys() {
  std::vector<float> keys;
  for (screen_object *so = first_object; so; so = so->next) {
    keys.push_back(2 * so->y + so->alt - so->x);
    if (so == last_object) break;
  }
  return keys;
}

}  // namespace

TEST(ScreenObjects, DynamicListStaysSortedAndEqualKeysKeepQueueOrder) {
  RenderWorld w;
  seed_game_rand(7);
  for (int i = 0; i < 40; i++)
    add_screen_object(nullptr, -1, 0, nullptr, nullptr, game_rand() % 300, game_rand() % 300, 0,
                      game_rand() % 50, -1, 1, 0);
  std::vector<float> keys = dynamic_keys();
  ASSERT_EQ(keys.size(), 40u);
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  draw_screen_objects();
  EXPECT_EQ(total_dynamic_objects, 0);

  // K = 300 for both of the first and the third: queue order among them,
  // and the one at K = 290 higher up the screen goes before.
  add_screen_object(nullptr, 1, 0, nullptr, nullptr, 100, 200, 0, 0, -1, 1, 0);
  add_screen_object(nullptr, 2, 0, nullptr, nullptr, 100, 150, 0, 90, -1, 1, 0);
  add_screen_object(nullptr, 3, 0, nullptr, nullptr, 110, 205, 0, 0, -1, 1, 0);
  std::vector<int> order;
  for (screen_object *so = first_object; so; so = so->next) order.push_back(so->anim);
  EXPECT_EQ(order, (std::vector<int>{2, 1, 3}));
  draw_screen_objects();
}

TEST(ScreenObjects, StaticDrawsBeforeDynamicAndBothEmpty) {
  RenderWorld w;
  draw_screen_objects();  // both empty: nothing happens
  EXPECT_EQ(getpixel(w.frame, 101, 301), 0);
  BITMAP *a = w.solid(4, 4, 11), *b = w.solid(4, 4, 22);
  // The dynamic one is queued first and lies farther back, yet it covers.
  add_screen_object(b, -1, 0, nullptr, nullptr, 100, 300, 0, 0, -1, 1, 0);
  add_screen_object(a, -1, 0, nullptr, nullptr, 100, 300, 0, 50, 0, 1, 0);
  draw_screen_objects();
  EXPECT_EQ(getpixel(w.frame, 101, 301), 22);
  EXPECT_EQ(total_static_objects, 0);
  EXPECT_EQ(total_dynamic_objects, 0);
}

TEST(ScreenObjects, AFullListLeavesTheObjectOutAndCountsIt) {
  RenderWorld w;
  const int before = dropped_screen_objects;
  for (int i = 0; i <= MAX_SCREEN_OBJECTS; i++)
    add_screen_object(nullptr, -1, 0, nullptr, nullptr, i, 0, 0, 0, -1, 1, 0);
  for (int i = 0; i <= MAX_SCREEN_OBJECTS; i++)
    add_screen_object(nullptr, -1, 0, nullptr, nullptr, i, 0, 0, 0, 0, 1, 0);
  EXPECT_EQ(total_dynamic_objects, MAX_SCREEN_OBJECTS);
  EXPECT_EQ(total_static_objects, MAX_SCREEN_OBJECTS);
  EXPECT_EQ(dropped_screen_objects, before + 2);
  EXPECT_GE(MAX_SCREEN_OBJECTS, 2 * MAX_ANIMATIONS + MAX_ENEMIES + 31);
  draw_screen_objects();
  EXPECT_EQ(total_static_objects + total_dynamic_objects, 0);
}

TEST(ScreenObjects, ACentredObjectPlacesEachBitmapByItsOwnHalfSize) {
  RenderWorld w;
  enemy &e = w.place(1, 1);
  BITMAP *sprite = w.solid(10, 6, 33), *contour = w.solid(6, 4, 5);
  add_screen_object(sprite, -1, 0, contour, nullptr, 50, 300, -1, 0, 0, 1, 1);
  draw_screen_objects();
  EXPECT_EQ(getpixel(w.frame, 45, 297), 33);
  EXPECT_EQ(getpixel(w.frame, 44, 297), 0);
  EXPECT_EQ(getpixel(w.frame, 54, 302), 33);
  EXPECT_EQ(getpixel(w.frame, 55, 302), 0);
  EXPECT_EQ(w.cell_height(47, 298), 5);
  EXPECT_EQ(w.cell_height(46, 298), 0);
  EXPECT_EQ(w.cell_height(52, 301), 5);
  EXPECT_EQ(w.cell_height(53, 301), 0);
  EXPECT_EQ(e.last_x, 45);
  EXPECT_EQ(e.last_y, 297);
  EXPECT_EQ(e.spritemap_columns, -1);
  EXPECT_EQ(e.spritemap_y, -298);
}

TEST(ScreenObjects, AGroundObjectCutByTheRightEdgeEntersWhatFits) {
  RenderWorld w;
  enemy &e = w.place(1, 1);
  BITMAP *contour = w.solid(10, 4, 5);
  const int x = big_screen_w - 4;
  scroll_offset = 4;  // a step at which the right edge is entered
  add_screen_object(nullptr, -1, 0, contour, nullptr, x, 100, 0, 0, 0, 1, 1);
  draw_screen_objects();
  EXPECT_EQ(e.spritemap_columns, 4);
  EXPECT_EQ(e.spritemap_y, -100);
  EXPECT_EQ(w.cell_height(big_screen_w - 1, 103), 5);
  scroll_offset = 5;  // between those steps, nothing at the right edge is
  // Entered completely once it is inside.
  add_screen_object(nullptr, -1, 0, contour, nullptr, 100, 300, 0, 0, 0, 1, 1);
  draw_screen_objects();
  EXPECT_EQ(e.spritemap_columns, -1);
  EXPECT_EQ(w.cell_height(109, 303), 5);
  // ... and never again.
  clear_contours();
  e.spritemap_columns = -1;
  add_screen_object(nullptr, -1, 0, contour, nullptr, 100, 300, 0, 0, 0, 1, 1);
  draw_screen_objects();
  EXPECT_EQ(w.cell_height(109, 303), 0);
}

TEST(ScreenObjects, NoShadowWhereThePositionIsNotOverGround) {
  RenderWorld w;
  clear_to_color(w.frame, 200);
  BITMAP *shadow = w.solid(4, 4, 1);
  range_index = 3;  // the space loop: position 519 is open space
  scrollpos = 4000;
  for (int mode : {-1, 0}) {
    bulletshadows = mode;
    add_screen_object(nullptr, -1, 0, nullptr, shadow, 100, 300, 0, 10, -1, 1, 0);
    draw_screen_objects();
    for (int y = 300; y < 320; y++) EXPECT_EQ(getpixel(w.frame, 101, y), 200) << mode << " " << y;
  }
  // Over fortress ground both kinds are cast.
  range_index = 1;
  scrollpos = 800;
  bulletshadows = 0;
  add_screen_object(nullptr, -1, 0, nullptr, shadow, 100, 300, 0, 10, -1, 1, 0);
  draw_screen_objects();
  EXPECT_EQ(getpixel(w.frame, 101, 311), palette_color[49]);
  clear_to_color(w.frame, 200);
  bulletshadows = -1;
  add_screen_object(nullptr, -1, 0, nullptr, shadow, 100, 300, 0, 10, -1, 1, 0);
  draw_screen_objects();
  EXPECT_EQ(getpixel(w.frame, 101, 311), darken_index(200, 6));
  // Fast shadows give way to anything standing on their line.
  clear_to_color(w.frame, 200);
  bulletshadows = 0;
  w.set_cell(100, 315, 3, 0);
  add_screen_object(nullptr, -1, 0, nullptr, shadow, 100, 300, 0, 10, -1, 1, 0);
  draw_screen_objects();
  EXPECT_EQ(getpixel(w.frame, 101, 311), 200);
}

TEST(ScreenObjects, PlanesTakeTheirAltitudeFrames) {
  RenderWorld w;
  ScaledSprites s(w);
  enemy &e = w.place(1, KIND_PLANE);
  e.last_alt = 121;
  EXPECT_EQ(drawn(w, plane, 121, 1), 251);  // plane_noshad
  EXPECT_EQ(drawn(w, plane, 120, 1), 190);  // descending from 121: banked frame 0
  EXPECT_EQ(drawn(w, plane, 120, 1), 100);  // level: frame 0
  EXPECT_EQ(drawn(w, plane, 55, 1), 190 + 6);  // descending
  EXPECT_EQ(drawn(w, plane, 55, 1), 100 + 6);
  EXPECT_EQ(drawn(w, plane, 0, 1), 250);  // on the ground: the parked picture
}

TEST(ScreenObjects, ShipAndBulletsShrinkOnlyOutsideFortresses) {
  RenderWorld w;
  ScaledSprites s(w);
  inside_fortress = 1;
  EXPECT_EQ(drawn(w, shipmiddle, 110), 252);
  EXPECT_EQ(drawn(w, ship_bullet, 50), 253);
  inside_fortress = 0;
  EXPECT_EQ(drawn(w, shipmiddle, 110), 130 + 1);
  EXPECT_EQ(drawn(w, shipmiddle, 111), 252);
  EXPECT_EQ(drawn(w, ship_bullet, 50), 160 + 7);
  EXPECT_EQ(drawn(w, ship_bullet, -9), 160 + 12);
  EXPECT_EQ(drawn(w, ship_bullet, -10), 253);
}
