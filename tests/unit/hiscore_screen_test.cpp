#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>

#include "front_screen.h"
#include "test_support.h"
#include "frontend/hiscore.h"
#include "frontend/hiscore_screen.h"
#include "frontend/intro.h"
#include "frontend/menu_engine.h"

namespace {

class HiScoreScreen : public FrontScreen {
 protected:
  void SetUp() override {
    FrontScreen::SetUp();
    std::copy(std::begin(hi_score_table), std::end(hi_score_table), saved_table_.begin());
    saved_total_ = total_scores;
    saved_enter_ = enter_name;
    saved_data_ = data;
    data = kestal;
    for (hi_score &h : hi_score_table) h = hi_score{0, "", 1, 0, 0, 0, {0, 0}};
    enter_name = -1;
  }
  void TearDown() override {
    destroy_hi_score_icon();
    data = saved_data_;
    enter_name = saved_enter_;
    total_scores = saved_total_;
    std::copy(saved_table_.begin(), saved_table_.end(), hi_score_table);
    FrontScreen::TearDown();
  }
  static void fill(int lines) {
    for (int i = 0; i < lines; i++) {
      hi_score_table[i].score = 9000 - 100 * i;
      strcpy(hi_score_table[i].name, "ABC");
      hi_score_table[i].round = 1 + i % 3;
    }
    total_scores = count_total_scores();
  }
  static int line_y(int i) { return HI_FIRST_LINE_Y + HI_LINE_SPACING * i; }
  // Colour-c pixels of line i's row left of x0 or from x1 on.
  static int count_in(int c, int y, int x0, int x1) {
    int n = 0;
    for (int yy = y - 1; yy < y + HI_LINE_SPACING - 2; yy++)
      for (int x = x0; x < x1; x++) n += getpixel(currentbuffer, x, yy) == c;
    return n;
  }

 private:
  std::array<hi_score, HI_SCORE_LINES> saved_table_{};
  int saved_total_ = 0, saved_enter_ = -1;
  DATAFILE *saved_data_ = nullptr;
};

}  // namespace

TEST_F(HiScoreScreen, AnEmptyTableSaysSoAndDrawsNoLines) {
  draw_hi_score_lines(currentbuffer);
  EXPECT_GT(count_colour(HI_EMPTY_COLOUR, HI_EMPTY_TEXT_Y - 1, HI_EMPTY_TEXT_Y + 30), 0);
  EXPECT_GT(count_colour(HI_EMPTY_COLOUR - 4, HI_EMPTY_TEXT_Y - 1, HI_EMPTY_TEXT_Y + 30), 0);
  EXPECT_EQ(count_colour(0), SCREEN_W * SCREEN_H - count_colour(HI_EMPTY_COLOUR) -
                                 count_colour(HI_EMPTY_COLOUR - 4));
}

TEST_F(HiScoreScreen, SevenLinesRunFromColour30To24WithRankScoreAndNameInPlace) {
  fill(7);
  draw_hi_score_lines(currentbuffer);
  const int centre = SCREEN_W / 2;
  for (int i = 0; i < 7; i++) {
    const int c = 30 - i;
    const int y = line_y(i);
    EXPECT_GT(count_in(c, y, centre - 110, centre - 90), 0) << "rank of line " << i;
    EXPECT_GT(count_in(c, y, centre - 40, centre + 20), 0) << "score of line " << i;
    EXPECT_EQ(count_in(c, y, centre + 20, centre + 50), 0) << "score ends at +20, line " << i;
    EXPECT_GT(count_in(c, y, centre + 50, centre + 120), 0) << "name of line " << i;
    EXPECT_EQ(count_in(c, y, 0, centre - 120), 0) << "no cheat mark, line " << i;
  }
  EXPECT_EQ(count_colour(30, line_y(7) - 1, SCREEN_H - 1), 0);
}

TEST_F(HiScoreScreen, ACheatedLineShowsTheMarkBeforeItsRankAndTheEnteredNameCycles) {
  fill(3);
  hi_score_table[1].cheated = -1;
  enter_name = 2;
  game_time = 100.0f + 16 * 3 + 5;  // colour 16 + 5 (game time 153: 153 & 15 = 9)
  const int name_colour = 16 + (static_cast<int>(game_time) & 15);
  draw_hi_score_lines(currentbuffer);
  const int centre = SCREEN_W / 2;
  const int c1 = hi_line_colour(3, 1);
  EXPECT_GT(count_in(c1, line_y(1), centre - 130, centre - 119), 0);
  EXPECT_EQ(count_in(c1, line_y(1), centre - 119, centre - 112), 0);  // ends at -120
  EXPECT_EQ(count_in(hi_line_colour(3, 0), line_y(0), 0, centre - 112), 0);
  EXPECT_GT(count_in(name_colour, line_y(2), centre + 50, centre + 120), 0);
  EXPECT_EQ(count_in(hi_line_colour(3, 2), line_y(2), centre + 50, centre + 120), 0);
}

TEST_F(HiScoreScreen, TheHalfSizeIconIsMadeOnceInEightBitsAndDrawnOncePerRound) {
  BITMAP *first = hi_score_icon();
  ASSERT_NE(first, nullptr);
  BITMAP *marker = static_cast<BITMAP *>(kestal[KESTAL_ROUND_MARKER].dat);
  EXPECT_EQ(first->w, marker->w / 2);
  EXPECT_EQ(first->h, marker->h / 2);
  EXPECT_EQ(bitmap_color_depth(first), 8);
  EXPECT_EQ(hi_score_icon(), first);

  fill(1);
  hi_score_table[0].round = 3;
  draw_hi_score_lines(currentbuffer);
  const int x0 = SCREEN_W / 2 + HI_ICONS_LEFT;
  int columns_with_icon = 0;
  for (int x = x0; x < x0 + 8 * 6; x++) {
    bool any = false;
    for (int y = line_y(0) + HI_ICON_DROP; y < line_y(0) + HI_ICON_DROP + first->h; y++)
      any |= getpixel(currentbuffer, x, y) != 0;
    columns_with_icon += any;
  }
  EXPECT_GT(columns_with_icon, 0);
  EXPECT_EQ(getpixel(currentbuffer, x0 + 8 * 4 + first->w, line_y(0) + HI_ICON_DROP), 0);
}

namespace {

int entry_frames = 0;
std::deque<int> typed;
int typed_waiting() { return !typed.empty(); }
int typed_key() {
  int k = typed.front();
  typed.pop_front();
  return k;
}
void typing_frame(void (*)(), bool, void (*overlay)()) {
  overlay();
  // The name is typed over the first frames, then Enter leaves the table;
  // Escape in the end, whatever happened.
  const char name[] = "XyZ";
  if (entry_frames < 3) typed.push_back(name[entry_frames]);
  key[KEY_ENTER] = entry_frames == 5;
  key[KEY_ESC] = entry_frames > 20;
  entry_frames++;
}

}  // namespace

TEST_F(HiScoreScreen, AScoreThatEarnsALineTakesATypedNameAndIsSaved) {
  ScratchDir dir;
  void (*saved_pass)(void (*)(), bool, void (*)()) = menu_frame_pass;
  menu_frame_pass = typing_frame;
  entry_frames = 0;
  install_keyboard_hooks(typed_waiting, typed_key);
  fill(10);
  player p{};
  p.score = 8750;  // between lines 3 and 4
  p.round = 2;
  hi_score_entry(p);
  EXPECT_LT(entry_frames, 10);  // Enter left the table
  EXPECT_STREQ(hi_score_table[3].name, "XyZ");
  EXPECT_EQ(hi_score_table[3].score, 8750);
  EXPECT_EQ(hi_score_table[4].score, 8700);
  EXPECT_EQ(enter_name, -1);
  EXPECT_EQ(state, INTRO_STEADY);
  EXPECT_TRUE(read_high_score_file(HI_SCORE_FILE));
  EXPECT_STREQ(hi_score_table[3].name, "XyZ");

  // A tie with the last line opens nothing.
  entry_frames = 0;
  p.score = hi_score_table[9].score;
  hi_score_entry(p);
  EXPECT_EQ(entry_frames, 0);
  menu_frame_pass = saved_pass;
  install_keyboard_hooks(nullptr, nullptr);
  typed.clear();
}
