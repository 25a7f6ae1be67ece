#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "display/gfx.h"
#include "fake_card.h"
#include "world/state.h"
#include "render/background.h"
#include "world/map_data.h"

namespace {

// Pixel (i, j) of tile n: every tile differs, and so does every pixel
// within one, so a misplaced tile or a shift off by a pixel shows.
int tile_pixel(int n, int i, int j) { return (n + i + 2 * j) % 254 + 1; }

// A small screen over a synthetic tile sheet and map, starting in stretch 0.
struct Floor {
  static constexpr int W = 320, H = 240;
  BITMAP *sheet;

  Floor() {
    set_color_depth(8);
    set_screen_geometry(W, H);
    sheet = create_bitmap(TILESET_COLUMNS * TILE_SIZE, TILESET_TILES / TILESET_COLUMNS * TILE_SIZE);
    for (int n = 0; n < TILESET_TILES; n++)
      for (int j = 0; j < TILE_SIZE; j++)
        for (int i = 0; i < TILE_SIZE; i++)
          putpixel(sheet, (n % TILESET_COLUMNS) * TILE_SIZE + i, (n / TILESET_COLUMNS) * TILE_SIZE + j,
                   tile_pixel(n, i, j));
    tileset = sheet;
    init_tileset();
    background = create_bitmap(W + 32, H + 16);
    clear_bitmap(background);
    for (int p = 0; p < MAP_POSITIONS; p++)
      for (int c = 0; c < MAP_COLUMNS; c++) map_data[p][c] = (p * 37 + c * 11) % TILESET_TILES;
    current_player = &player1;
    player1.round = 1;
    range_index = 0;
    logicpos = 0;
    start_next_round = nullptr;
  }
  ~Floor() {
    release_tiles();
    destroy_bitmap(background);
    destroy_bitmap(sheet);
    background = tileset = nullptr;
    start_next_round = nullptr;
  }

  void place(float pos) {
    scrollpos = pos;
    draw_all_background();
  }

  // What screen pixel (X, Y) must show: the map cell under it, or black.
  static int expected(int X, int Y) {
    int bx = X + scroll_offset, by = Y + 8 - scroll_offset / 2;
    int tx = bx / TILE_SIZE, ty = by / TILE_SIZE;
    int p = fold_map_position(tx + 2 * scroll_x);
    int c = tx / 2 + ty - ystart / TILE_SIZE;
    if (p < 0 || p >= MAP_POSITIONS || c < 0 || c >= MAP_COLUMNS) return 0;
    return tile_pixel(map_data[p][c], bx % TILE_SIZE, by % TILE_SIZE);
  }

  // Pixels of the visible window that differ from the map.
  static int wrong_pixels() {
    int wrong = 0;
    for (int Y = 0; Y < H; Y++)
      for (int X = 0; X < W; X++)
        if (background->line[Y + 8 - scroll_offset / 2][X + scroll_offset] != expected(X, Y)) wrong++;
    return wrong;
  }
};

}  // namespace

TEST(Background, AFullRedrawShowsTheMapAlongTheBand) {
  Floor f;
  f.place(8 * 500);
  EXPECT_EQ(blits_done, 4);
  EXPECT_EQ(Floor::wrong_pixels(), 0);
  // The band is there and black lies outside it.
  EXPECT_NE(getpixel(background, 0, ystart + 4), 0);
  EXPECT_EQ(getpixel(background, 0, ystart - 4), 0);
}

TEST(Background, CellsOffTheStripAreLeftAlone) {
  Floor f;
  scroll_x = 250;
  // Column c of the strip lies at c = tx / 2 + ty - ystart / 8.
  ystart = -8 * 30;
  putpixel(background, 0, 21 * TILE_SIZE, 201);  // c = 51
  draw_tile2(0, 21);
  EXPECT_EQ(getpixel(background, 0, 21 * TILE_SIZE), 201);
  draw_tile2(0, 20);  // c = 50
  EXPECT_EQ(getpixel(background, 0, 20 * TILE_SIZE), tile_pixel(map_data[500][50], 0, 0));

  ystart = 8 * 10;
  putpixel(background, 0, 9 * TILE_SIZE, 200);  // c = -1
  draw_tile2(0, 9);
  EXPECT_EQ(getpixel(background, 0, 9 * TILE_SIZE), 200);
}

TEST(Background, AStepShiftsFirstAndDrawsTheEdgesOverTheNextTicks) {
  Floor f;
  f.place(8 * 500 + 15.5f);
  int step = scroll_x;
  scroll_background2(1.0f);  // 4015.5 -> 4016.5: the next step, offset 0
  EXPECT_EQ(scroll_x, step + 1);
  EXPECT_EQ(scroll_offset, 0);
  EXPECT_EQ(blits_done, 1);
  scroll_background2(1.0f);
  EXPECT_EQ(scroll_offset, 1);
  EXPECT_EQ(blits_done, 3);
  for (int i = 0; i < 7; i++) scroll_background2(1.0f);
  EXPECT_EQ(scroll_offset, 8);
  EXPECT_EQ(blits_done, 3);
  scroll_background2(1.0f);
  EXPECT_EQ(scroll_offset, 9);
  EXPECT_EQ(blits_done, 4);
  EXPECT_EQ(Floor::wrong_pixels(), 0);
}

TEST(Background, ScrollingTwoStepsAtOnceRedrawsEverything) {
  Floor f;
  f.place(8 * 500);
  clear_bitmap(background);
  scroll_background2(32.0f);
  EXPECT_EQ(blits_done, 4);
  EXPECT_EQ(Floor::wrong_pixels(), 0);
}

TEST(Background, PixelCountsFollowTheAdvance) {
  Floor f;
  f.place(3.0f);
  for (int i = 0; i < 4; i++) {
    scroll_background2(2.0f);
    EXPECT_EQ(scrolled_x, 2);
    EXPECT_EQ(scrolled_y, 1);
  }
  f.place(3.0f);
  scroll_background2(1.0f);
  EXPECT_EQ(scrolled_y, 1);  // 3.0 -> 4.0
  scroll_background2(1.0f);
  EXPECT_EQ(scrolled_y, 0);  // 4.0 -> 5.0
  scroll_background2(1.0f);
  EXPECT_EQ(scrolled_y, 1);
  EXPECT_EQ(logicpos, 2 * 4 + 3);
}

TEST(Background, PassingTheEndOfAStretchJumpsToTheNextOne) {
  Floor f;
  f.place(16 * 297 + 14.0f);  // left edge at position 594, the end of stretch 0
  scroll_background2(2.0f);
  EXPECT_EQ(range_index, 1);
  EXPECT_EQ(scrollpos, 16 * 297 + 16.0f + 8 * (0 - 594));
  EXPECT_EQ(scroll_x, 1);
  EXPECT_EQ(scrolled_x, 2);  // the jump does not count as motion
  EXPECT_EQ(Floor::wrong_pixels(), 0);
}

TEST(Background, ThePictureStaysWholeWhileScrollingAcrossStretches) {
  for (float speed : {1.0f, 2.0f, 3.75f, 7.3f}) {
    Floor f;
    f.place(8 * 560);
    int bad_ticks = 0, ticks_after = 0;
    for (int tick = 0; ticks_after < 40 && tick < 1000; tick++) {
      scroll_background2(speed);
      if (Floor::wrong_pixels() != 0) bad_ticks++;
      if (range_index == 1) ticks_after++;
    }
    EXPECT_EQ(ticks_after, 40) << speed;
    EXPECT_EQ(bad_ticks, 0) << speed;
  }
}

// Ticks showing a wrong cell while crossing from stretch `from` to the
// next at `speed` units a tick, counted from a few steps before the end
// until `after` ticks into the next stretch.
int bad_ticks_across(int from, float speed, int after) {
  Floor f;
  range_index = from;
  f.place(8.0f * (logic_map[2 * from + 1] - 12) + 5.0f);
  int bad = 0, ticks_after = 0;
  for (int tick = 0; ticks_after < after && tick < 1000; tick++) {
    scroll_background2(speed);
    if (Floor::wrong_pixels() != 0) bad++;
    if (range_index != from) ticks_after++;
  }
  EXPECT_EQ(ticks_after, after) << from << " at " << speed;
  return bad;
}

// Strips left over from an earlier tick are drawn before the stretch
// changes under them, at every speed the game reaches (12.5 units) and
// beyond, across every change.
TEST(Background, EveryStretchChangeStaysWholeAtEverySpeed) {
  set_screen_geometry(Floor::W, Floor::H);
  for (int from = 0; from < LAST_STRETCH; from++) {
    // A stretch shorter than the view shows, past its end, what lay under
    // the earlier fold; the level keeps those places alike.
    if (logic_map[2 * from + 3] - logic_map[2 * from + 2] < screen_tile_w) continue;
    for (float speed : {0.9f, 2.0f, 4.3f, 7.3f, 8.3f, 9.5f, 11.0f, 12.5f, 12.7f, 14.6f, 16.0f})
      EXPECT_EQ(bad_ticks_across(from, speed, 8), 0) << "stretch " << from << " at " << speed;
  }
}

TEST(Background, BackwardsTheShiftRunsTheOtherWay) {
  Floor f;
  f.place(8 * 500 + 9);
  scroll_background2(-16.0f);
  EXPECT_EQ(blits_done, 4);
  // Only the top row and the right columns are redrawn: the strips the
  // shift uncovered on the left and at the bottom wait for a full redraw.
  int wrong = 0, stale = 0;
  for (int Y = 0; Y < Floor::H; Y++)
    for (int X = 0; X < Floor::W; X++) {
      int bx = X + scroll_offset, by = Y + 8 - scroll_offset / 2;
      bool uncovered = bx < 2 * TILE_SIZE || by >= background->h - TILE_SIZE;
      if (background->line[by][bx] != Floor::expected(X, Y)) (uncovered ? stale : wrong)++;
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(stale, 0);
  draw_all_background();
  EXPECT_EQ(Floor::wrong_pixels(), 0);
}

TEST(Background, PastTheLastStretchTheRoundStartsAgain) {
  Floor f;
  static int restarts;
  restarts = 0;
  start_next_round = [] {
    restarts++;
    scrollpos = 8 * 490;
    scroll_x = 8 * 490 / 16;
    scroll_offset = 0;
    draw_all_background();
  };
  range_index = 13;
  f.place(16 * 1133 + 14.0f);  // left edge at 2266, the last stretch's end
  EXPECT_EQ(restarts, 0);
  scroll_background2(2.0f);
  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(range_index, 0);
  EXPECT_EQ(player1.round, 2);
  EXPECT_EQ(scrollpos, 8 * 490);
  EXPECT_EQ(Floor::wrong_pixels(), 0);
}
