#include "frontend/hiscore.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

std::deque<int> typed;  // keys waiting, as readkey gives them
int fake_keypressed() { return !typed.empty(); }
int fake_readkey() {
  int k = typed.front();
  typed.pop_front();
  return k;
}

// The table, the entry state and the keyboard, put back afterwards.
struct HiScoreTest : ::testing::Test {
  ScratchDir dir;
  NoticeSaved notice;
  hi_score saved_table[HI_SCORE_LINES];
  int saved_enter = enter_name, saved_released = hi_released, saved_top = top_score;
  char *saved_ptr = letter_ptr;
  HiScoreTest() {
    std::memcpy(saved_table, hi_score_table, sizeof saved_table);
    default_high_score_table();
    install_keyboard_hooks(fake_keypressed, fake_readkey);
    typed.clear();
  }
  ~HiScoreTest() override {
    std::memcpy(hi_score_table, saved_table, sizeof saved_table);
    enter_name = saved_enter;
    hi_released = saved_released;
    top_score = saved_top;
    letter_ptr = saved_ptr;
    install_keyboard_hooks(nullptr, nullptr);
    typed.clear();
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
  }

  // One frame with `held` down after a frame with nothing held.
  int press(int held) {
    do_hi_io();
    key[held] = 1;
    int r = do_hi_io();
    key[held] = 0;
    return r;
  }
  int type(char c) {
    typed.push_back(c);
    return do_hi_io();
  }
  std::string name(int line) { return hi_score_table[line].name; }
};

player scored(int score, int round = 1, int cheated = 0) {
  player p{};
  p.score = score;
  p.round = round;
  p.stage = 3;
  p.cheated = cheated;
  p.lives = 2;
  std::strcpy(p.name, "ZZZ");
  return p;
}

void fill_table(const std::vector<int> &scores) {
  default_high_score_table();
  for (size_t i = 0; i < scores.size(); i++) hi_score_table[i].score = scores[i];
}

void write_packed(const char *name, const std::vector<int> &bytes) {
  PACKFILE *f = pack_fopen(name, F_WRITE_PACKED);
  ASSERT_NE(f, nullptr);
  for (int b : bytes) pack_putc(b, f);
  pack_fclose(f);
}

std::vector<int> packed_content(const char *name) {
  std::vector<int> out;
  PACKFILE *f = pack_fopen(name, F_READ_PACKED);
  for (int c; f && (c = pack_getc(f)) != EOF;) out.push_back(c);
  if (f) pack_fclose(f);
  return out;
}

}  // namespace

TEST_F(HiScoreTest, OnlyAStrictlyGreaterScoreEntersAndTheLinesBelowShiftDown) {
  EXPECT_EQ(insert_high_score(scored(50)), 0);
  EXPECT_EQ(name(0), "A");
  EXPECT_EQ(letter_ptr, &hi_score_table[0].name[0]);
  EXPECT_EQ(hi_score_table[0].round, 1);
  EXPECT_EQ(hi_score_table[0].stage, 3);
  EXPECT_EQ(hi_score_table[0].lives, 2);

  fill_table({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
  hi_score_table[9].round = 7;
  EXPECT_EQ(insert_high_score(scored(50)), -1);  // a tie with line 10
  EXPECT_EQ(enter_name, -1);
  EXPECT_EQ(hi_score_table[9].round, 7);

  std::strcpy(hi_score_table[3].name, "BOB");
  EXPECT_EQ(insert_high_score(scored(600, 4, -1)), 4);  // below the equal 600
  EXPECT_EQ(enter_name, 4);
  EXPECT_EQ(hi_score_table[4].cheated, -1);
  EXPECT_EQ(hi_score_table[5].score, 500);
  EXPECT_EQ(hi_score_table[9].score, 100);  // 50 dropped out
  EXPECT_EQ(name(3), "BOB");
  EXPECT_STREQ(hi_cheat_mark(hi_score_table[4]), "*");
  EXPECT_STREQ(hi_cheat_mark(hi_score_table[3]), "");
}

TEST_F(HiScoreTest, AKeyWaitingOnTheFirstFrameNamesTheNewLine) {
  fill_table({300, 200, 100});
  std::strcpy(hi_score_table[0].name, "OLD");
  letter_ptr = hi_score_table[0].name;  // left over from an earlier entry
  insert_high_score(scored(250));
  type('q');
  EXPECT_EQ(name(0), "OLD");
  EXPECT_EQ(name(1), "qA");
}

TEST_F(HiScoreTest, ThreeTypedLettersSaveAtOnce) {
  insert_high_score(scored(1234));
  type('x');
  type('Y');
  EXPECT_EQ(enter_name, 0);
  EXPECT_FALSE(std::filesystem::exists(HI_SCORE_FILE));
  type('z');
  EXPECT_EQ(name(0), "xYz");
  EXPECT_EQ(enter_name, -1);
  ASSERT_TRUE(std::filesystem::exists(HI_SCORE_FILE));
  // Other characters are not letters and are ignored.
  insert_high_score(scored(2000));
  type('3');
  type(' ');
  EXPECT_EQ(name(0), "A");
}

TEST_F(HiScoreTest, EnterSavesAPartialNameAndLeavesOnlyAfterwards) {
  insert_high_score(scored(10));
  type('K');
  EXPECT_EQ(press(KEY_ENTER), 0);
  EXPECT_EQ(enter_name, -1);
  EXPECT_EQ(name(0), "KA");
  EXPECT_TRUE(std::filesystem::exists(HI_SCORE_FILE));
  EXPECT_EQ(press(KEY_ENTER), -1);
  EXPECT_EQ(press(KEY_SPACE), -1);
  EXPECT_EQ(press(KEY_ESC), -1);
}

TEST_F(HiScoreTest, CursorKeysStopAtTheEndsOfTheAlphabetAndChangeCase) {
  insert_high_score(scored(10));
  press(KEY_LEFT);
  EXPECT_EQ(name(0), "A");
  press(KEY_RIGHT);
  press(KEY_6_PAD);
  EXPECT_EQ(name(0), "C");
  // Held down, a key acts once.
  do_hi_io();
  key[KEY_RIGHT] = 1;
  for (int i = 0; i < 5; i++) do_hi_io();
  key[KEY_RIGHT] = 0;
  EXPECT_EQ(name(0), "D");
  press(KEY_DOWN);
  EXPECT_EQ(name(0), "d");
  press(KEY_LEFT);
  EXPECT_EQ(name(0), "c");
  press(KEY_UP);
  EXPECT_EQ(name(0), "C");

  hi_score_table[0].name[0] = 'z';
  press(KEY_RIGHT);
  EXPECT_EQ(name(0), "z");
  hi_score_table[0].name[0] = 'Z';
  press(KEY_RIGHT);
  EXPECT_EQ(name(0), "Z");
  hi_score_table[0].name[0] = 'a';
  press(KEY_LEFT);
  EXPECT_EQ(name(0), "a");
}

TEST_F(HiScoreTest, BackspaceNeverRemovesTheFirstLetterAndSpaceMovesOn) {
  insert_high_score(scored(10));
  press(KEY_BACKSPACE);
  EXPECT_EQ(name(0), "A");
  press(KEY_RIGHT);
  press(KEY_SPACE);  // keeps "B", the cursor on a new "A"
  EXPECT_EQ(name(0), "BA");
  press(KEY_DEL);
  EXPECT_EQ(name(0), "B");
  EXPECT_EQ(letter_ptr, &hi_score_table[0].name[0]);
  press(KEY_BACKSPACE);
  EXPECT_EQ(name(0), "B");
  press(KEY_LCONTROL);
  press(KEY_SPACE);
  EXPECT_EQ(name(0), "BAA");
  press(KEY_SPACE);
  EXPECT_EQ(enter_name, -1);
  EXPECT_EQ(name(0), "BAA");
  // Escape while entering leaves the line unsaved in memory.
  insert_high_score(scored(20));
  EXPECT_EQ(press(KEY_ESC), -1);
  EXPECT_EQ(hi_score_table[0].score, 20);
}

TEST_F(HiScoreTest, FunctionKeysGoToTheMenusHandlerOncePerPress) {
  static std::vector<int> seen;
  seen.clear();
  void (*saved)(int) = hi_function_key;
  hi_function_key = [](int k) { seen.push_back(k); };
  do_hi_io();
  key[KEY_F2] = 1;
  do_hi_io();
  do_hi_io();
  key[KEY_F2] = 0;
  press(KEY_F5);
  hi_function_key = saved;
  EXPECT_EQ(seen, (std::vector<int>{KEY_F2, KEY_F5}));
}

TEST_F(HiScoreTest, ColoursFollowTheNumberOfLines) {
  std::vector<int> seven, six;
  for (int i = 0; i < 7; i++) seven.push_back(hi_line_colour(7, i));
  for (int i = 0; i < 6; i++) six.push_back(hi_line_colour(6, i));
  EXPECT_EQ(seven, (std::vector<int>{30, 29, 28, 27, 26, 25, 24}));
  EXPECT_EQ(six, (std::vector<int>{30, 28, 27, 25, 24, 22}));
  EXPECT_EQ(hi_line_colour(2, 1), 23);
  EXPECT_EQ(hi_line_colour(3, 2), 23);
  EXPECT_EQ(hi_line_colour(5, 4), 22);
  EXPECT_EQ(hi_line_colour(10, 9), 22);
  EXPECT_EQ(hi_line_colour(0, 5), 4);  // never below 4

  fill_table({5, 4, 3});
  EXPECT_EQ(count_total_scores(), 3);
  hi_score_table[5].score = 9;  // after the first empty line it does not count
  EXPECT_EQ(count_total_scores(), 3);
}

TEST_F(HiScoreTest, ScoresAboveSixteenBitsSurviveARestart) {
  fill_table({70000, 65536, 1000});
  std::strcpy(hi_score_table[0].name, "BIG");
  hi_score_table[0].round = 3;
  hi_score_table[0].stage = 5;
  hi_score_table[0].cheated = -1;
  save_high_score_table();

  std::vector<int> bytes = packed_content(HI_SCORE_FILE);
  ASSERT_EQ(bytes.size(), 70u + 4 + 20);
  // The records are as before: 70000's low word is 4464.
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 4464);
  EXPECT_EQ(std::string(bytes.begin() + 2, bytes.begin() + 5), "BIG");
  EXPECT_EQ(bytes[5], 3);
  EXPECT_EQ(bytes[6], 5);
  EXPECT_EQ(std::string(bytes.begin() + 70, bytes.begin() + 74), "BHS1");

  top_score = 0;
  init_high_score_table();
  EXPECT_EQ(hi_score_table[0].score, 70000);
  EXPECT_EQ(hi_score_table[1].score, 65536);
  EXPECT_EQ(hi_score_table[2].score, 1000);
  EXPECT_EQ(name(0), "BIG");
  EXPECT_EQ(hi_score_table[0].cheated, 0);  // not saved
  EXPECT_EQ(top_score, 70000);
}

TEST_F(HiScoreTest, OldShortAndDamagedFilesKeepDefaultsWhereTheyFail) {
  // An old file: two records, then the end.
  write_packed(HI_SCORE_FILE, {0x10, 0x00, 'A', 'B', 0, 2, 1, 0x70, 0x11, 'C', 0, 0, 4, 2, 0x05});
  init_high_score_table();
  EXPECT_EQ(hi_score_table[0].score, 4464);
  EXPECT_EQ(hi_score_table[1].score, 16);
  EXPECT_EQ(name(1), "AB");
  EXPECT_EQ(hi_score_table[1].round, 2);
  // The cut third line and the rest keep the defaults.
  for (int i = 2; i < HI_SCORE_LINES; i++) {
    EXPECT_EQ(hi_score_table[i].score, 0);
    EXPECT_EQ(hi_score_table[i].round, 1);
    EXPECT_EQ(name(i), "");
  }
  EXPECT_EQ(top_score, 4464);

  // Ten records and a broken trailer: the records alone; names of bytes
  // that are no letters end there.
  std::vector<int> ten;
  for (int i = 0; i < HI_SCORE_LINES; i++)
    for (int b : {10 - i, 0, int{'Q'}, 255, int{'R'}, 1, 0}) ten.push_back(b);
  std::vector<int> bad = ten;
  for (int b : {int{'B'}, int{'H'}, int{'S'}, int{'1'}, 0xff, 0xff}) bad.push_back(b);
  write_packed(HI_SCORE_FILE, bad);
  init_high_score_table();
  EXPECT_EQ(hi_score_table[0].score, 10);
  EXPECT_EQ(name(0), "Q");

  // A plain file is no packed file: the defaults.
  FILE *f = fopen(HI_SCORE_FILE, "wb");
  fputs("nothing to see", f);
  fclose(f);
  top_score = 77;
  init_high_score_table();
  EXPECT_EQ(hi_score_table[0].score, 0);
  EXPECT_EQ(top_score, 77);
}

TEST_F(HiScoreTest, AFullDiskKeepsTheOldFileByteForByteAndSaysWhy) {
  fill_table({5});
  EXPECT_EQ(capture_stdout([] { save_high_score_table(); }), "");
  const std::string old = read_file(HI_SCORE_FILE);
  fill_table({9, 5});
  std::string said;
  {
    FileSizeLimit limit(old.size() - 1);
    said = capture_stderr([] { save_high_score_table(); });
  }
  const std::string where = std::filesystem::current_path().string() + "/hi.dat";
  EXPECT_EQ(said, "Could not save the high scores to " + where + ": File too large\n");
  EXPECT_STREQ(notice_line[0], "Could not save the high scores:");
  EXPECT_EQ(read_file(HI_SCORE_FILE), old);
  EXPECT_EQ(folder_listing(), std::vector<std::string>{HI_SCORE_FILE});
}

TEST_F(HiScoreTest, TwoCopiesOfTheGameKeepBothScoresAndDoubleNone) {
  fill_table({3000});
  std::strcpy(hi_score_table[0].name, "OLD");
  save_high_score_table();
  // Copy B read the same file at its start as copy A.
  hi_score copy_b[HI_SCORE_LINES];
  std::memcpy(copy_b, hi_score_table, sizeof copy_b);

  // A: AAA 4100 enters and is saved.
  player a = scored(4100);
  refresh_high_score_table();
  ASSERT_EQ(insert_high_score(a), 0);
  type('A'), type('A'), type('A');
  hi_score copy_a[HI_SCORE_LINES];
  std::memcpy(copy_a, hi_score_table, sizeof copy_a);

  // B, which never saw it: BBB 5000, saved without a fresh read first.
  std::memcpy(hi_score_table, copy_b, sizeof copy_b);
  ASSERT_EQ(insert_high_score(scored(5000)), 0);
  type('B'), type('B'), type('B');
  EXPECT_EQ(name(0), "BBB");
  EXPECT_EQ(name(1), "AAA");

  // A again, with a score equal to its first and one it already holds.
  std::memcpy(hi_score_table, copy_a, sizeof copy_a);
  refresh_high_score_table();
  ASSERT_EQ(insert_high_score(a), 2);  // after BBB and the equal AAA
  type('A'), type('A'), type('A');

  default_high_score_table();
  ASSERT_TRUE(read_high_score_file(HI_SCORE_FILE));
  const std::vector<std::pair<int, std::string>> expected = {
      {5000, "BBB"}, {4100, "AAA"}, {4100, "AAA"}, {3000, "OLD"}, {0, ""}};
  for (size_t i = 0; i < expected.size(); i++) {
    EXPECT_EQ(hi_score_table[i].score, expected[i].first) << i;
    EXPECT_EQ(name(static_cast<int>(i)), expected[i].second) << i;
  }
}

TEST_F(HiScoreTest, AMergeKeepsTheLineBeingEnteredUnderTheCursor) {
  fill_table({900, 100});
  save_high_score_table();
  fill_table({100});
  ASSERT_EQ(insert_high_score(scored(500)), 0);
  type('Q');
  merge_high_score_file(HI_SCORE_FILE);
  ASSERT_EQ(enter_name, 1);
  EXPECT_EQ(name(0), "");  // the file's line carries no name
  EXPECT_EQ(hi_score_table[0].score, 900);
  EXPECT_EQ(hi_score_table[2].score, 100);
  EXPECT_EQ(hi_score_table[3].score, 0);  // the two 100s were one line
  type('R');
  EXPECT_EQ(name(1), "QRA");
}

namespace {

// Pixels of colour `c` inside a box.
int count_colour(BITMAP *b, int c, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) n += getpixel(b, x, y) == c;
  return n;
}

}  // namespace

// Found by fuzzing: a line of no score but a round and name of its own
// loaded as it was, and the merge of the next save wrote it back blank.
TEST_F(HiScoreTest, ALineWithoutAScoreLoadsAsTheBlankLineASaveWrites) {
  const std::string found =
      read_file(std::string(SOURCE_DIR) + "/tests/unit/findings/hiscore-unscored-line.dat");
  ASSERT_FALSE(found.empty());
  FILE *f = fopen(HI_SCORE_FILE, "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(fwrite(found.data(), 1, found.size(), f), found.size());
  ASSERT_EQ(fclose(f), 0);
  init_high_score_table();
  hi_score loaded[HI_SCORE_LINES];
  std::memcpy(loaded, hi_score_table, sizeof loaded);
  save_high_score_table();
  init_high_score_table();
  for (int i = 0; i < HI_SCORE_LINES; i++) {
    EXPECT_EQ(hi_score_table[i].score, loaded[i].score) << i;
    EXPECT_EQ(hi_score_table[i].round, loaded[i].round) << i;
    EXPECT_EQ(hi_score_table[i].stage, loaded[i].stage) << i;
    EXPECT_STREQ(hi_score_table[i].name, loaded[i].name) << i;
  }
}

TEST_F(HiScoreTest, TheTableShowsItsLinesOrSaysItIsEmpty) {
  // An 8-bit mode's colour table maps every entry to itself; headless it
  // is empty.
  int saved_colours[PAL_SIZE];
  std::memcpy(saved_colours, _palette_color8, sizeof saved_colours);
  for (int i = 0; i < PAL_SIZE; i++) _palette_color8[i] = i;
  BITMAP *b = create_bitmap_ex(8, 640, 480);
  clear_bitmap(b);
  draw_hi_score_lines(b);
  EXPECT_GT(count_colour(b, HI_EMPTY_COLOUR, 0, 195, 640, 215), 0);
  EXPECT_EQ(count_colour(b, 29, 0, 140, 640, 180), 0);

  clear_bitmap(b);
  fill_table({900, 800});
  hi_score_table[1].cheated = -1;
  total_scores = count_total_scores();
  draw_hi_score_lines(b);
  const int mid = 320, y0 = HI_FIRST_LINE_Y, y1 = y0 + HI_LINE_SPACING;
  EXPECT_EQ(count_colour(b, HI_EMPTY_COLOUR, 0, 195, 640, 215), 0);
  EXPECT_GT(count_colour(b, 29, mid - 110, y0, mid - 90, y1), 0);    // rank 1
  EXPECT_GT(count_colour(b, 29, mid - 20, y0, mid + 21, y1), 0);     // its score
  EXPECT_EQ(count_colour(b, 29, 0, y0, mid - 119, y1), 0);           // no mark
  EXPECT_GT(count_colour(b, 23, mid - 140, y1, mid - 119, y1 + HI_LINE_SPACING), 0);  // "*"
  EXPECT_EQ(count_colour(b, 29, mid + 21, y0 - 2, 640, y1), 0);      // nothing past the score
  destroy_bitmap(b);
  std::memcpy(_palette_color8, saved_colours, sizeof saved_colours);
}

TEST(HiScoreIcon, IsTheRoundMarkerAtHalfSizeMadeOnce) {
  DATAFILE *saved = data;
  set_color_conversion(COLORCONV_NONE);
  data = load_datafile(GAME_DIR "/kestal.dat");
  ASSERT_NE(data, nullptr);
  BITMAP *marker = static_cast<BITMAP *>(data[KESTAL_ROUND_MARKER].dat);
  BITMAP *icon = hi_score_icon();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->w, marker->w / 2);
  EXPECT_EQ(icon->h, marker->h / 2);
  EXPECT_EQ(bitmap_color_depth(icon), 8);
  EXPECT_EQ(hi_score_icon(), icon);
  unload_datafile(data);
  data = saved;
}
