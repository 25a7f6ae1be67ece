#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "display/gfx.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "test_support.h"
#include "gen/darken.h"

namespace {

// Stand-ins for the two loaded data files: every bitmap object a small
// synthetic picture, the game font the library's own.
struct FakeData {
  std::array<DATAFILE, BORLIN_OBJECT_COUNT + 1> borlin{};
  std::array<DATAFILE, KESTAL_OBJECT_COUNT + 1> kestal{};
  std::vector<BITMAP *> owned;

  BITMAP *filled(int w, int h, int colour) {
    BITMAP *b = create_bitmap_ex(8, w, h);
    clear_to_color(b, 0);
    rectfill(b, 1, 1, w - 2, h - 2, colour);
    owned.push_back(b);
    return b;
  }
  FakeData() {
    for (int i = 0; i < KESTAL_OBJECT_COUNT; i++) kestal[i].dat = filled(48, 32, 135);
    for (int i = 0; i < BORLIN_OBJECT_COUNT; i++) borlin[i].dat = filled(48, 32, 20);
    kestal[KESTAL_FORCE_FIELD_BEAM].dat = filled(36, 22, 70);
    kestal[KESTAL_ENEMY_BULLET].dat = filled(24, 14, 86);
    putpixel(static_cast<BITMAP *>(kestal[KESTAL_ENEMY_BULLET].dat), 1, 1, 81);
    kestal[KESTAL_SHIP_BULLET].dat = filled(100, 50, 101);
    borlin[BORLIN_GAME_FONT].dat = font;
    borlin[BORLIN_OBJECT_COUNT].type = DAT_END;
    kestal[KESTAL_OBJECT_COUNT].type = DAT_END;
    // The game has an 8-bit mode set before it generates, whose colour
    // table maps every entry to itself; headless, the table is empty.
    for (int i = 0; i < PAL_SIZE; i++) _palette_color8[i] = i;
    data = kestal.data();
    commondata = borlin.data();
  }
  ~FakeData() {
    for (BITMAP *b : owned) destroy_bitmap(b);
    data = commondata = nullptr;
  }
};

int count_pixels(BITMAP *b, int colour) {
  int n = 0;
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++) n += getpixel(b, x, y) == colour;
  return n;
}

}  // namespace

TEST(Darken, EightBitStaysWithinItsRamp) {
  EXPECT_EQ(darken_index(20, 6), 16);   // full ramp of 16, clamped at its darkest
  EXPECT_EQ(darken_index(45, 6), 42);   // short ramp: the steps are halved
  EXPECT_EQ(darken_index(40, 6), 40);   // already the darkest shade
  EXPECT_EQ(darken_index(0, 6), 0);     // transparent stays transparent
  EXPECT_EQ(darken_index(150, 0.5f), 149);  // every call darkens at least one shade
  EXPECT_EQ(darken_index(143, 1), 142);
  EXPECT_EQ(darken_index(144, 1), 144);  // the darkest entry of a full ramp
}

TEST(Darken, TheScreenDepthChoosesTheRule) {
  // Entry 100 is a mid grey; 101 the grey 16 lower in each 8-bit channel
  // (4 in 6 bits), and every other entry far from both.
  PALETTE pal;
  for (RGB &c : pal) c = RGB{63, 0, 63, 0};
  pal[100] = RGB{40, 40, 40, 0};
  pal[101] = RGB{36, 36, 36, 0};
  pal[30] = RGB{20, 0, 0, 0};
  pal[29] = RGB{16, 0, 0, 0};
  set_palette(pal);
  const int saved = bpp;
  BITMAP *b = create_bitmap_ex(8, 4, 4);
  auto darkened = [b](int c) {
    clear_to_color(b, 0);
    putpixel(b, 1, 1, c);
    darken_bitmap(b, 1);
    return getpixel(b, 1, 1);
  };
  // In 8 bits the entry moves down its ramp.
  bpp = 8;
  EXPECT_EQ(darkened(100), 99);  // a short ramp: the step halved, still one shade
  EXPECT_EQ(darkened(30), 29);
  // In truecolour the start-up frames, 8-bit still, are darkened by their
  // colours and take the nearest entry, wherever it lies.
  bpp = 32;
  EXPECT_EQ(darkened(100), 101);
  EXPECT_EQ(darkened(30), 29);
  EXPECT_EQ(getpixel(b, 3, 3), 0);
  destroy_bitmap(b);

  set_color_depth(32);
  BITMAP *t = create_bitmap_ex(32, 3, 3);
  clear_to_color(t, 0);
  putpixel(t, 1, 1, makecol32(200, 40, 100));
  darken(t, 1, 1, 2);
  const int c = getpixel(t, 1, 1);
  EXPECT_EQ(getr32(c), 168);
  EXPECT_EQ(getg32(c), 8);
  EXPECT_EQ(getb32(c), 68);
  darken(t, 1, 1, 1);
  EXPECT_EQ(getg32(getpixel(t, 1, 1)), 0);
  destroy_bitmap(t);
  set_color_depth(8);
  bpp = saved;
  set_palette(default_palette);
}

TEST(Darken, WholeBitmapSkipsTheFirstRowAndColumn) {
  BITMAP *b = create_bitmap_ex(8, 3, 3);
  clear_to_color(b, 100);
  darken_bitmap(b, 2);
  EXPECT_EQ(getpixel(b, 0, 0), 100);
  EXPECT_EQ(getpixel(b, 2, 0), 100);
  EXPECT_EQ(getpixel(b, 0, 2), 100);
  EXPECT_EQ(getpixel(b, 1, 1), 99);
  EXPECT_EQ(getpixel(b, 2, 2), 99);
  destroy_bitmap(b);
}

TEST(Animations, SlotsFillLowestFirstAndDropWhenFull) {
  clear_animations();
  add_animation(3, 10, 20, -1, 5, 1, 2, 3, 1);
  EXPECT_EQ(anim_list[0].type, 3);
  EXPECT_EQ(anim_list[0].alt, 5.0f);
  EXPECT_EQ(anim_list[0].frame, 0.0f);
  EXPECT_EQ(anim_list[0].centred, -1);
  for (int i = 1; i < MAX_ANIMATIONS; i++) add_animation(1, i, 0, 0, 0, 0, 0, 0, 2);
  add_animation(7, 99, 99, 0, 0, 0, 0, 0, 9);
  for (const animation &a : anim_list) EXPECT_NE(a.type, 7);
  anim_list[40].count = 0;
  add_animation(7, 99, 99, 0, 0, 0, 0, 0, 9);
  EXPECT_EQ(anim_list[40].type, 7);
  clear_animations();
  for (const animation &a : anim_list) EXPECT_EQ(a.count, 0);
}

TEST(GeneratorsDeathTest, AFullTableOfTypesSaysSoAndLeaves) {
  EXPECT_EXIT(
      {
        total_anim_types = MAX_ANIM_TYPES;
        add_anim_type(1);
      },
      ::testing::ExitedWithCode(EXIT_FATAL), "");
  // The last free entry is still taken.
  const int saved = total_anim_types;
  total_anim_types = MAX_ANIM_TYPES - 1;
  const int index = add_anim_type(2);
  EXPECT_EQ(index, MAX_ANIM_TYPES - 1);
  EXPECT_EQ(anim_type_list[index]->frames, 2);
  delete[] anim_type_list[index]->frame_list;
  delete anim_type_list[index];
  anim_type_list[index] = nullptr;
  total_anim_types = saved;
}

TEST(Generators, ExplosionStartsEmptyAndFadesAfterItsPeak) {
  AnimTypesSaved types;  // the table starts empty and is restored at the end
  types.free_new();
  seed_game_rand(1);
  generate_explosion(64, 64, 2);
  generate_explosion(28, 16, 1);
  anim_type *big = anim_type_list[0];
  ASSERT_EQ(big->frames, 64);
  EXPECT_EQ(count_pixels(big->frame_list[0], 0), 64 * 64);
  // Intensity 16 at frame 16 reaches the brightest fire colours; frame 63
  // (intensity 4) stays faint.
  int brightest16 = 0, brightest63 = 0;
  for (int y = 0; y < 64; y++)
    for (int x = 0; x < 64; x++) {
      brightest16 = std::max(brightest16, getpixel(big->frame_list[16], x, y));
      brightest63 = std::max(brightest63, getpixel(big->frame_list[63], x, y));
      const int c = getpixel(big->frame_list[16], x, y);
      EXPECT_TRUE(c == 0 || (c >= 18 && c <= 31));
    }
  EXPECT_EQ(brightest16, 31);
  EXPECT_LT(brightest63, brightest16);
  // Column 0 and row 0 are never touched.
  for (int i = 0; i < 64; i++) {
    EXPECT_EQ(getpixel(big->frame_list[16], 0, i), 0);
    EXPECT_EQ(getpixel(big->frame_list[16], i, 0), 0);
  }
  EXPECT_EQ(anim_type_list[1]->frame_list[5]->w, 16);
}

// The particles fly out evenly both ways against the drift, so the fire
// stays in the middle of its frame while it grows and fades.
TEST(Generators, TheExplosionCloudStaysCentred) {
  constexpr double TOLERANCE = 3.5;  // pixels from the frame's centre
  for (unsigned seed : {1u, 7u, 2026u}) {
    AnimTypesSaved types;
    types.free_new();
    seed_game_rand(seed);
    generate_explosion(64, 64, 2);
    for (int f = 8; f <= 48; f++) {
      BITMAP *b = anim_type_list[0]->frame_list[f];
      double sx = 0, sy = 0;
      int lit = 0;
      for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
          if (getpixel(b, x, y) != 0) {
            sx += x;
            sy += y;
            lit++;
          }
      ASSERT_GT(lit, 0) << "seed " << seed << " frame " << f;
      EXPECT_NEAR(sx / lit, 31.5, TOLERANCE) << "seed " << seed << " frame " << f;
      EXPECT_NEAR(sy / lit, 31.5, TOLERANCE) << "seed " << seed << " frame " << f;
    }
  }
}

TEST(Generators, StarsAndPoints) {
  FakeData fake;
  AnimTypesSaved types;  // the table starts empty and is restored at the end
  types.free_new();
  generate_star(1, 1, 1, 5);
  generate_star(1, 3, 3, 11);
  generate_star(1, 2, 2, 11);
  EXPECT_EQ(getpixel(anim_type_list[0]->frame_list[0], 0, 0), 5);
  BITMAP *s = anim_type_list[1]->frame_list[0];
  EXPECT_EQ(getpixel(s, 1, 1), 11);
  for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {2, 1}, {1, 2}}) EXPECT_EQ(getpixel(s, x, y), 9);
  for (auto [x, y] : {std::pair{0, 0}, {2, 0}, {0, 2}, {2, 2}}) EXPECT_EQ(getpixel(s, x, y), 0);
  EXPECT_EQ(count_pixels(anim_type_list[2]->frame_list[0], 0), 4);

  generate_points("500", 0);
  anim_type *p = anim_type_list[3];
  ASSERT_EQ(p->frames, POINTS_FRAMES);
  for (int i = 0; i < POINTS_DELAY_FRAMES; i++) EXPECT_EQ(p->frame_list[i], nullptr);
  EXPECT_EQ(p->frame_list[64], p->frame_list[127]);
  EXPECT_EQ(p->frame_list[64]->w, text_length(font, "500"));
  EXPECT_GT(count_pixels(p->frame_list[64], 15), 0);

}

TEST(Generators, ForceFieldBeamsTravelAndTheCornerIsCut) {
  FakeData fake;
  AnimTypesSaved types;  // the table starts empty and is restored at the end
  types.free_new();
  generate_forcefield(10, 286, 190, 86, 1);
  generate_forcefield(12, 378, 252, 100, 3);
  BITMAP *f0 = anim_type_list[0]->frame_list[0];
  BITMAP *f2 = anim_type_list[0]->frame_list[2];
  EXPECT_EQ(getpixel(f0, 1, 7), 70);
  EXPECT_EQ(getpixel(f2, 65, 39), 70);
  EXPECT_EQ(getpixel(f2, 1, 7), 0);
  BITMAP *g = anim_type_list[1]->frame_list[0];
  EXPECT_EQ(getpixel(g, 1, 7 + 64), 70);  // the third beam
  EXPECT_EQ(getpixel(g, 377, 251), 0);
  calc_sizes();
  EXPECT_EQ(anim_type_list[1]->width, 378);
  EXPECT_EQ(anim_type_list[1]->height, 252);
}

TEST(Generators, ScaledFramesShrinkByAltitudeBand) {
  FakeData fake;
  AnimTypesSaved types;  // the table starts empty and is restored at the end
  types.free_new();
  generate_scaled_sprite(static_cast<BITMAP *>(fake.kestal[KESTAL_SHIP_BULLET].dat));
  const int widths[SCALED_FRAMES] = {100, 97, 93, 91, 87, 85, 81, 79, 75, 73, 69, 67, 63};
  anim_type *t = anim_type_list[0];
  for (int i = 0; i < SCALED_FRAMES; i++) EXPECT_EQ(t->frame_list[i]->w, widths[i]) << i;
  EXPECT_EQ(t->frame_list[1]->h, 48);
  EXPECT_EQ(t->frame_list[12]->h, 31);
}

TEST(Generators, AllTypesInOrderWithHandlesAndDarkenedSets) {
  FakeData fake;
  AnimTypesSaved types;  // the table starts empty and is restored at the end
  types.free_new();
  const int saved = bpp;
  bpp = 0;
  generate_anims();
  EXPECT_EQ(get_color_depth(), 8);  // no mode yet: back to 8
  EXPECT_EQ(total_anim_types, ANIM_TYPES_GENERATED);
  EXPECT_EQ(anim_type_list[ANIM_EXPLOSION_LARGE]->width, 64);
  EXPECT_EQ(anim_type_list[ANIM_EXPLOSION_MEDIUM]->width, 32);
  EXPECT_EQ(anim_type_list[ANIM_FORCE_FIELD1]->width, 396);
  EXPECT_EQ(anim_type_list[ANIM_POINTS_FUEL]->frames, POINTS_FRAMES);
  EXPECT_EQ(anim_type_list[ANIM_STAR_LAST]->width, 3);
  EXPECT_EQ(anim_type_list[ANIM_SHIP_BULLET_SCALED]->width, 100);

  EXPECT_EQ(shipr2, fake.kestal[KESTAL_SHIP_RIGHT2].dat);
  EXPECT_EQ(plane_contour, fake.borlin[BORLIN_PLANE_CONTOUR].dat);
  EXPECT_EQ(plane_banked_contour, fake.borlin[BORLIN_BANKED_PLANE_CONTOUR].dat);
  EXPECT_EQ(getpixel(enemy_bullet_left, 22, 1), 81);

  // Ship frames darken by 0, 1, 2 and 3 steps (8-entry ramp: halved);
  // contours and bullets keep their values.
  auto centre = [](int type, int frame) {
    BITMAP *b = anim_type_list[type]->frame_list[frame];
    return getpixel(b, b->w / 2, b->h / 2);
  };
  EXPECT_EQ(centre(ANIM_SHIP_MIDDLE_SCALED, 3), 135);
  EXPECT_EQ(centre(ANIM_SHIP_MIDDLE_SCALED, 4), 134);
  EXPECT_EQ(centre(ANIM_SHIP_MIDDLE_SCALED, 6), 134);
  EXPECT_EQ(centre(ANIM_SHIP_MIDDLE_SCALED, 12), 133);
  EXPECT_EQ(centre(ANIM_PLANE_CONTOUR_SCALED, 12), 20);
  EXPECT_EQ(centre(ANIM_SHIP_BULLET_SCALED, 12), 101);

  // In a truecolour mode the 8-bit frames darken by their colours and take
  // the palette's nearest entry: 135 lowered by 3 steps is entry 7 here.
  PALETTE pal;
  for (RGB &c : pal) c = RGB{63, 0, 63, 0};
  pal[135] = RGB{40, 40, 40, 0};
  pal[7] = RGB{28, 28, 28, 0};
  set_palette(pal);
  types.free_new();
  bpp = 32;
  generate_anims();
  EXPECT_EQ(get_color_depth(), 32);
  EXPECT_EQ(centre(ANIM_PLANE_BANKED_SCALED, 3), 135);
  EXPECT_EQ(centre(ANIM_PLANE_BANKED_SCALED, 10), 7);
  set_color_depth(8);
  set_palette(default_palette);
  bpp = saved;
}
