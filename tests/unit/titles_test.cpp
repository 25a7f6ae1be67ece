#include <allegro.h>
#include <gtest/gtest.h>

#include "front_screen.h"
#include "frontend/titles.h"
#include "frontend/intro.h"

namespace {

class Titles : public FrontScreen {};

}  // namespace

TEST_F(Titles, TheFirstCreditPassesTheLeftEdgeInFrame414AndTheCycleIs1214Frames) {
  credit_offset = CREDITS_RESTART;
  int passed = 0;
  for (int frame = 1; frame <= 1214; frame++) {
    titles(currentbuffer, TITLE_Y);
    int x = static_cast<int>(credits[0].start - credit_offset);
    if (!passed && x < 0) passed = frame;
    if (frame < 1214) {
      EXPECT_GT(credit_offset, CREDITS_RESTART) << frame;
    }
  }
  EXPECT_EQ(passed, 414);
  EXPECT_EQ(credit_offset, CREDITS_RESTART);
}

TEST_F(Titles, CreditsCrossTheTopInTheirColourOverADarkerShadow) {
  credit_offset = 600.0f - 3.0f - 100.0f;  // row 0 starts at x = 100 after the step
  titles(currentbuffer, TITLE_Y);
  EXPECT_EQ(getpixel(currentbuffer, 0, CREDITS_Y), 0);
  EXPECT_GT(count_colour(credits[0].colour, CREDITS_Y, CREDITS_Y + 7), 0);
  EXPECT_GT(count_colour(credits[0].colour - 4, CREDITS_Y + 1, CREDITS_Y + 8), 0);
  for (int x = 0; x < 100; x++) EXPECT_EQ(getpixel(currentbuffer, x, CREDITS_Y + 3), 0);
}

TEST_F(Titles, TheAuthorLinesStandAboveTheBottomAndTheLogoOnlyAfterTheZoom) {
  state = INTRO_STEADY;
  credit_offset = CREDITS_RESTART;
  titles(currentbuffer, TITLE_Y);
  for (int y : {462, 482, 497}) {
    EXPECT_GT(count_colour(AUTHOR_COLOUR, y, y + 7), 0) << y;
  }
  BITMAP *logo = static_cast<BITMAP *>(borlin[BORLIN_LOGO].dat);
  EXPECT_EQ(count_colour(AUTHOR_COLOUR, TITLE_Y + logo->h + 20, 461), 0);
  EXPECT_EQ(count_colour(AUTHOR_COLOUR, 470, 481), 0);
  BITMAP *l = static_cast<BITMAP *>(borlin[BORLIN_LOGO].dat);
  int lx = (SCREEN_W - l->w) / 2;
  int logo_pixels = 0;
  for (int y = 0; y < l->h; y++)
    for (int x = 0; x < l->w; x++) {
      int c = getpixel(l, x, y);
      if (c == 0) continue;
      logo_pixels++;
      if (y < l->h - 20) {
        ASSERT_EQ(getpixel(currentbuffer, lx + x, TITLE_Y + y), c);
      }
    }
  ASSERT_GT(logo_pixels, 0);
  EXPECT_GT(count_colour(SUBTITLE_COLOUR, TITLE_Y + l->h - 8, TITLE_Y + l->h + 20), 0);

  clear_bitmap(currentbuffer);
  state = INTRO_ZOOM;
  titles(currentbuffer, TITLE_Y);
  EXPECT_EQ(count_colour(0, TITLE_Y, TITLE_Y + l->h - 10), 448 * (l->h - 9));
}

TEST_F(Titles, WithTheInformationOverlayOnlyTheCreditsAreDrawn) {
  state = INTRO_STEADY;
  show_info_flag = -1;
  credit_offset = 600.0f - 3.0f - 100.0f;
  titles(currentbuffer, TITLE_Y);
  EXPECT_EQ(count_colour(0, CREDITS_Y + 9, SCREEN_H - 1), 448 * (512 - CREDITS_Y - 9));
  EXPECT_GT(count_colour(credits[0].colour, CREDITS_Y, CREDITS_Y + 7), 0);
}
