#include <allegro.h>
#include <gtest/gtest.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "platform/video.h"
#include "world/position.h"
#include "world/state.h"
#include "render/background.h"
#include "render/spritemap.h"
#include "render_world.h"
#include "test_support.h"
#include "shell/shell.h"
#include "world/map_data.h"
#include "gen/darken.h"

TEST(Position, MapPositionFoldsIntoTheNextStretchAndNamesTheGround) {
  RenderWorld w;
  range_index = 0;
  scrollpos = 800;
  // ((480 + 100) / 2 + 800 - (300 + 20 - 176)) / 8 = 118
  EXPECT_EQ(get_mappos(100, 300, 20), 118);
  scrollpos = 8 * 600;  // past stretch 0's end (594): folded into stretch 1
  EXPECT_EQ(get_mappos(100, 300, 20), 618 + logic_map[2] - logic_map[1]);  // 618 folded

  range_index = 3;
  EXPECT_EQ(over_ground_at_pos(10), 0);
  EXPECT_EQ(over_ground_at_pos(11), -1);
  EXPECT_EQ(over_ground_at_pos(454), -1);
  EXPECT_EQ(over_ground_at_pos(455), 0);
  EXPECT_EQ(over_ground_at_pos(593), -1);
  EXPECT_EQ(over_ground_at_pos(1200), 0);
  range_index = 7;
  EXPECT_EQ(over_ground_at_pos(1500), -1);

  range_index = 1;
  EXPECT_EQ(inside_fortress_at_pos(39), 1);
  EXPECT_EQ(inside_fortress_at_pos(422), 0);
  range_index = 5;
  EXPECT_EQ(inside_fortress_at_pos(39), 0);
  EXPECT_EQ(inside_fortress_at_pos(1199), 2);
  range_index = 7;
  EXPECT_EQ(inside_fortress_at_pos(1180), 3);
  range_index = 9;
  EXPECT_EQ(inside_fortress_at_pos(1691), 4);
  EXPECT_EQ(inside_fortress_at_pos(1690), 0);
}

TEST(SpriteMap, ScreenPointsStayOnTheirWorldCellWhileScrolling) {
  RenderWorld w;
  ASSERT_EQ(ystart, 176);
  int c, r;
  ASSERT_TRUE(spritemap_cell(10, 200, c, r));
  EXPECT_EQ(c, 10);
  EXPECT_EQ(r, 29);
  logicpos = 2;  // the picture moved 2 left and 1 down
  int c2, r2;
  ASSERT_TRUE(spritemap_cell(8, 201, c2, r2));
  EXPECT_EQ(c2, c);
  EXPECT_EQ(r2, r);
  // The ring wraps, and points off it or off the rows are not on the map.
  logicpos = 700;
  ASSERT_TRUE(spritemap_cell(0, 200, c, r));
  EXPECT_EQ(c, 700 - big_screen_w);
  EXPECT_FALSE(spritemap_cell(-1, 200, c, r));
  EXPECT_FALSE(spritemap_cell(big_screen_w, 200, c, r));
  EXPECT_FALSE(spritemap_cell(10, 100, c, r));
}

TEST(SpriteMap, DetectWithWidthHitsOnlyWithinTheKindsDepth) {
  RenderWorld w;
  w.place(3, 5, nullptr, 10);
  sprite_index[7] = 3;
  w.set_cell(100, 300, 20, 7);
  EXPECT_EQ(detect_sprite_with_width(100, 300, 10), -1);
  for (int alt = 11; alt <= 20; alt++) EXPECT_EQ(detect_sprite_with_width(100, 300, alt), 3);
  EXPECT_EQ(detect_sprite_with_width(100, 300, 21), -1);
  EXPECT_EQ(detect_sprite_in_front(100, 300, 20), 3);
  EXPECT_EQ(detect_sprite_in_front(100, 300, 21), -1);
  // Empty ground counts as a hit just below 0; off the screen nothing is.
  EXPECT_EQ(detect_sprite_with_width(101, 300, 0), 0);
  EXPECT_EQ(detect_sprite_with_width(101, 300, -3), 0);
  EXPECT_EQ(detect_sprite_with_width(101, 300, -4), -1);
  EXPECT_EQ(detect_sprite_with_width(101, 300, 1), -1);
  EXPECT_EQ(detect_sprite_with_width(-1, 300, 0), -1);
  EXPECT_EQ(detect_sprite_with_width(RenderWorld::W, 300, 0), -1);
  int h, e;
  getcontour(100, RenderWorld::H, &h, &e);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(e, -1);
}

TEST(SpriteMap, HeightsStayInTheirByte) {
  RenderWorld w;
  w.place(2, 9);
  // A waiting rocket stands below the floor: no cell at all.
  draw_sprite_to_spritemap(w.solid(4, 4, 20), 100, 300, -34, 2);
  EXPECT_EQ(w.cell_height(101, 301), 0);
  EXPECT_EQ(w.cell_slot(101, 301), 0);
  draw_sprite_to_spritemap(w.solid(4, 4, 34), 100, 300, -34, 2);
  EXPECT_EQ(w.cell_height(101, 301), 0);
  // Too tall is clamped; the slot stays the owner's.
  draw_sprite_to_spritemap(w.solid(4, 4, 250), 200, 300, 20, 2);
  EXPECT_EQ(w.cell_height(201, 301), MAX_HEIGHT);
  EXPECT_EQ(w.cell_slot(201, 301), get_index(2));
}

TEST(SpriteMap, SlotsAreKeptAndReusedOnceTheirEnemyLeavesTheScreen) {
  RenderWorld w;
  w.place(1, 1);
  w.place(2, 1);
  const int a = get_index(1);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(get_index(1), a);
  EXPECT_EQ(get_index(2), 2);
  w.enemies[1].on_screen = 0;
  w.place(3, 1);
  EXPECT_EQ(get_index(3), 1);
  EXPECT_EQ(sprite_index[1], 3);
}

TEST(SpriteMap, MovingErasesOnlyTheObjectsOwnCells) {
  RenderWorld w;
  enemy &a = w.place(1, 1);
  w.place(2, 1);
  BITMAP *contour = w.solid(6, 4, 10);
  const int other = get_index(2);
  w.set_cell(106, 301, 40, other);  // another enemy's cell inside a's old place
  move_sprite_on_spritemap(contour, 100, 300, 5, 1);
  const int slot = get_index(1);
  EXPECT_EQ(w.cell_height(100, 300), 15);
  EXPECT_EQ(w.cell_slot(105, 303), slot);
  a.last_sprite = contour;
  a.last_x = 100;
  a.last_y = 300;
  move_sprite_on_spritemap(contour, 103, 300, 5, 1);  // 3 to the right
  for (int y = 300; y < 304; y++) {
    EXPECT_EQ(w.cell_height(100, y), 0) << y;
    EXPECT_EQ(w.cell_height(102, y), 0) << y;
    EXPECT_EQ(w.cell_slot(103, y), slot) << y;
    EXPECT_EQ(w.cell_slot(108, y), slot) << y;
  }
  EXPECT_EQ(w.cell_height(109, 300), 0);
  // The other enemy's cell outside the new rectangle survives.
  w.set_cell(99, 301, 40, other);
  a.last_x = 103;
  move_sprite_on_spritemap(contour, 104, 300, 5, 1);
  EXPECT_EQ(w.cell_slot(99, 301), other);
  EXPECT_EQ(w.cell_height(99, 301), 40);
  // Erasing clears the same cells and no others.
  a.last_x = 104;
  clear_last_sprite(&a);
  EXPECT_EQ(w.cell_height(105, 300), 0);
  EXPECT_EQ(w.cell_height(99, 301), 40);
}

TEST(SpriteMap, HidingDrawsOnlyWhereTheCellIsLowerOrOwn) {
  RenderWorld w;
  w.place(1, 1);
  w.place(2, 1);
  BITMAP *sprite = w.solid(4, 2, 77);
  BITMAP *contour = w.solid(4, 2, 5);
  w.set_cell(100, 300, 30, get_index(2));  // a wall in front, higher
  w.set_cell(101, 300, 15, get_index(2));  // exactly as high: drawn
  w.set_cell(102, 300, 40, get_index(1));  // its own cell: drawn
  move_sprite_with_contour(sprite, contour, 100, 300, 10, 1);
  EXPECT_EQ(getpixel(w.frame, 100, 300), 0);
  EXPECT_EQ(w.cell_height(100, 300), 30);
  EXPECT_EQ(getpixel(w.frame, 101, 300), 77);
  EXPECT_EQ(getpixel(w.frame, 102, 300), 77);
  EXPECT_EQ(w.cell_height(102, 300), 15);
  EXPECT_EQ(getpixel(w.frame, 103, 301), 77);

  // Without a contour the map is only read.
  clear_bitmap(w.frame);
  w.set_cell(200, 300, 11, 0);
  w.set_cell(201, 300, 10, 0);
  draw_sprite_if_above(sprite, 200, 300, 10);
  EXPECT_EQ(getpixel(w.frame, 200, 300), 0);
  EXPECT_EQ(getpixel(w.frame, 201, 300), 77);
  EXPECT_EQ(w.cell_height(201, 300), 10);
}

TEST(SpriteMapDeathTest, AContourLargerThanItsSpriteIsNamed) {
  RenderWorld w;
  w.place(1, 4);
  w.kinds[4].name = "green turret right";
  BITMAP *sprite = w.solid(4, 4, 1), *contour = w.solid(5, 4, 1);
  const std::string out = output_of_exit(
      "/tmp", EXIT_FATAL, [&] { move_sprite_with_contour(sprite, contour, 0, 300, 0, 1); });
  EXPECT_NE(out.find("green turret right"), std::string::npos) << out;
}

TEST(SpriteMapDeathTest, AScreenWiderThanTheRingIsRefused) {
  RenderWorld w;
  gfx_mode_call(GFX_AUTODETECT_WINDOWED, 801, 600, 0, 0);
  const std::string out = output_of_exit("/tmp", EXIT_FATAL, [] { clear_contours(); });
  EXPECT_NE(out.find("801"), std::string::npos) << out;
}

TEST(SpriteMap, ScrolledColumnsAreFreedAndClearingEmptiesEverything) {
  RenderWorld w;
  for (int c = 0; c < big_screen_w; c++) spritemap[c][50] = 9;
  logicpos = 5;
  scrolled_x = 2;
  clear_scrolled_spritemap();  // columns 2, 3, 4
  for (int c : {2, 3, 4}) EXPECT_EQ(spritemap[c][50], 0) << c;
  for (int c : {1, 5}) EXPECT_EQ(spritemap[c][50], 9) << c;
  logicpos = 1;
  scrolled_x = 1;
  clear_scrolled_spritemap();  // columns 0 and big_screen_w - 1
  EXPECT_EQ(spritemap[0][50], 0);
  EXPECT_EQ(spritemap[big_screen_w - 1][50], 0);
  EXPECT_EQ(spritemap[big_screen_w - 2][50], 9);

  w.enemies[3].spritemap_columns = -1;
  w.enemies[3].spritemap_y = 7;
  clear_contours();
  EXPECT_EQ(spritemap[1][50], 0);
  EXPECT_EQ(w.enemies[3].spritemap_columns, 0);
  EXPECT_EQ(w.enemies[3].spritemap_y, 0);
}

TEST(SpriteMap, FancyShadowFallsOntoTheFloorAndOntoWalls) {
  RenderWorld w;
  clear_to_color(w.frame, 200);  // shade 8 of its ramp: darkening shows
  BITMAP *shadow = w.solid(1, 4, 1);
  // At altitude 0 the first pixel of the column is left, the others
  // darken in place over an empty map.
  draw_fancy_shadow(shadow, 100, 300, 0);
  EXPECT_EQ(getpixel(w.frame, 100, 300), 200);
  for (int y = 301; y < 304; y++) EXPECT_EQ(getpixel(w.frame, 100, y), darken_index(200, 6)) << y;

  // From altitude 20 a ray falls 20 rows to the floor, or stops on a wall
  // top of height 12 after 8.
  clear_to_color(w.frame, 200);
  draw_fancy_shadow(w.solid(1, 1, 1), 150, 300, 20);
  EXPECT_EQ(getpixel(w.frame, 150, 319), 200);
  EXPECT_EQ(getpixel(w.frame, 150, 320), darken_index(200, 6));
  clear_to_color(w.frame, 200);
  for (int y = 308; y < 313; y++) w.set_cell(150, y, 12, 0);
  draw_fancy_shadow(w.solid(1, 1, 1), 150, 300, 20);
  EXPECT_EQ(getpixel(w.frame, 150, 308), darken_index(200, 6));
  EXPECT_EQ(getpixel(w.frame, 150, 309), 200);
  EXPECT_EQ(getpixel(w.frame, 150, 320), 200);

  // At the left edge the columns off the screen read as empty: nothing is
  // drawn there and nothing outside the ring is read.
  clear_to_color(w.frame, 200);
  draw_fancy_shadow(w.solid(8, 4, 1), -6, 300, 10);
  EXPECT_EQ(getpixel(w.frame, 0, 310), darken_index(200, 6));
  EXPECT_EQ(getpixel(w.frame, 1, 311), darken_index(200, 6));
}
