#include "frontend/notice.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <cstring>

#include "display/frame.h"
#include "test_support.h"

namespace {

constexpr int BACKGROUND = 5;
constexpr int TEXT_COLOUR = 29;

int count_colour(BITMAP *b, int c) {
  int n = 0;
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++) n += getpixel(b, x, y) == c;
  return n;
}

}  // namespace

TEST(Notice, ShowsAtTheFootForFourSecondsAndNotPastAClockReset) {
  NoticeSaved notice;
  const float saved_time = game_time;
  int saved_colours[PAL_SIZE];
  std::memcpy(saved_colours, _palette_color8, sizeof saved_colours);
  for (int i = 0; i < PAL_SIZE; i++) _palette_color8[i] = i;
  BITMAP *b = create_bitmap_ex(8, 448, 512);

  game_time = 100;
  post_notice("Saved the settings in", "/home/player/.local/share/borlin/config.dat");
  clear_to_color(b, BACKGROUND);
  draw_notice(b);
  EXPECT_GT(count_colour(b, TEXT_COLOUR), 0);
  // Only the band at the foot changes.
  BITMAP *top = create_sub_bitmap(b, 0, 0, 448, 470);
  EXPECT_EQ(count_colour(top, BACKGROUND), 448 * 470);
  destroy_bitmap(top);

  for (float t : {100 + NOTICE_TICKS, 0.0f}) {  // four seconds on; a new game's clock
    game_time = t;
    clear_to_color(b, BACKGROUND);
    draw_notice(b);
    EXPECT_EQ(count_colour(b, BACKGROUND), 448 * 512) << t;
  }

  destroy_bitmap(b);
  std::memcpy(_palette_color8, saved_colours, sizeof saved_colours);
  game_time = saved_time;
}
