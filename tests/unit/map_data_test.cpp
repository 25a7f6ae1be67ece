#include "world/map_data.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "shell/shell.h"
#include "test_support.h"

// Writes the given words as a packed map file.
static void write_words(const char *name, const std::vector<int> &words) {
  PACKFILE *f = pack_fopen(name, F_WRITE_PACKED);
  ASSERT_NE(f, nullptr);
  for (int w : words) pack_iputw(w, f);
  pack_fclose(f);
}

// A first-half file whose word k is k mod 1792, so every cell tells where
// it came from.
static std::vector<int> numbered_words(int positions) {
  std::vector<int> words(MAP_COLUMNS * positions);
  for (size_t k = 0; k < words.size(); k++) words[k] = k % MAP_TILES;
  return words;
}

TEST(MapFiles, AreStoredColumnByColumn) {
  ScratchDir dir;
  write_words(FIRST_MAP_FILE, numbered_words(FIRST_HALF_POSITIONS));
  ASSERT_TRUE(read_map_file(FIRST_MAP_FILE, 0, FIRST_HALF_POSITIONS));
  EXPECT_EQ(map_data[0][0], 0);
  EXPECT_EQ(map_data[1][0], 1);
  // Word 1170 is column 1 of position 0, not position 1170.
  EXPECT_EQ(map_data[0][1], 1170);
  EXPECT_EQ(map_data[1169][50], (51 * 1170 - 1) % MAP_TILES);

  std::vector<int> second(MAP_COLUMNS * SECOND_HALF_POSITIONS, 0);
  second[1] = 7;                      // column 0, position 1171
  second[SECOND_HALF_POSITIONS] = 9;  // column 1, position 1170
  second.back() = 1791;               // column 50, position 2265
  write_words(SECOND_MAP_FILE, second);
  ASSERT_TRUE(read_map_file(SECOND_MAP_FILE, FIRST_HALF_POSITIONS, SECOND_HALF_POSITIONS));
  EXPECT_EQ(map_data[1171][0], 7);
  EXPECT_EQ(map_data[1170][1], 9);
  EXPECT_EQ(map_data[2265][50], 1791);
}

TEST(MapFiles, WriteThenReadGivesTheSameStrip) {
  ScratchDir dir;
  for (int p = 0; p < MAP_POSITIONS; p++)
    for (int c = 0; c < MAP_COLUMNS; c++) map_data[p][c] = (p * 7 + c * 13) % MAP_TILES;
  ASSERT_TRUE(write_map_file(FIRST_MAP_FILE, 0, FIRST_HALF_POSITIONS));
  ASSERT_TRUE(write_map_file(SECOND_MAP_FILE, FIRST_HALF_POSITIONS, SECOND_HALF_POSITIONS));
  EXPECT_EQ(read_file(FIRST_MAP_FILE).substr(0, 4), "slh!");  // packed, as the game reads it
  for (auto &row : map_data)
    for (int &cell : row) cell = -1;
  load_map_data();
  for (int p = 0; p < MAP_POSITIONS; p++)
    for (int c = 0; c < MAP_COLUMNS; c++)
      ASSERT_EQ(map_data[p][c], (p * 7 + c * 13) % MAP_TILES) << p << "," << c;
}

TEST(MapFiles, ShortFilesAndTilesOffTheSheetAreRejected) {
  ScratchDir dir;
  std::vector<int> words = numbered_words(FIRST_HALF_POSITIONS);
  words.pop_back();
  write_words(FIRST_MAP_FILE, words);
  EXPECT_FALSE(read_map_file(FIRST_MAP_FILE, 0, FIRST_HALF_POSITIONS));

  words = numbered_words(FIRST_HALF_POSITIONS);
  words[12345] = MAP_TILES;
  write_words(FIRST_MAP_FILE, words);
  EXPECT_FALSE(read_map_file(FIRST_MAP_FILE, 0, FIRST_HALF_POSITIONS));

  words[12345] = 0xFFFF;  // must not pass for the end-of-file value either
  write_words(FIRST_MAP_FILE, words);
  EXPECT_FALSE(read_map_file(FIRST_MAP_FILE, 0, FIRST_HALF_POSITIONS));

  // Unpacked data has no packfile signature.
  FILE *raw = fopen(FIRST_MAP_FILE, "wb");
  fputs("plain bytes", raw);
  fclose(raw);
  EXPECT_FALSE(read_map_file(FIRST_MAP_FILE, 0, FIRST_HALF_POSITIONS));
  EXPECT_FALSE(read_map_file("nothing-here.dat", 0, FIRST_HALF_POSITIONS));
}

TEST(MapFilesDeathTest, AFailedFileIsNamedAndEndsTheProgram) {
  ScratchDir dir;
  EXPECT_EQ(output_of_exit(dir.path, EXIT_FATAL, [] { load_map_data(); }),
            "Could not read file: mapdatap.dat\n");

  write_words(FIRST_MAP_FILE, numbered_words(FIRST_HALF_POSITIONS));
  write_words(SECOND_MAP_FILE, std::vector<int>(MAP_COLUMNS * SECOND_HALF_POSITIONS - 1, 0));
  EXPECT_EQ(output_of_exit(dir.path, EXIT_FATAL, [] { load_map_data(); }),
            "Could not read file: smapdatap.dat\n");
}

TEST(FoldRule, JoinsEachStretchToTheNext) {
  range_index = 0;                         // 490..594, then 0..554
  EXPECT_EQ(fold_map_position(594), 594);  // the last position itself stays
  EXPECT_EQ(fold_map_position(595), 1);
  EXPECT_EQ(fold_map_position(600), 6);
  range_index = 1;  // 0..554, then 490..554
  EXPECT_EQ(fold_map_position(555), 491);
  range_index = 5;  // 490..1188, then 460..594
  EXPECT_EQ(fold_map_position(1189), 461);
  range_index = 12;  // the loop, then fortress 4
  EXPECT_EQ(fold_map_position(1644), 1626);
  // The last stretch goes on where a new round starts, inside the table.
  range_index = 13;
  EXPECT_EQ(fold_map_position(2266), 2266);
  EXPECT_EQ(fold_map_position(2267), 491);
  EXPECT_EQ(logic_map[2 * 13 + 2], logic_map[0]);
  EXPECT_EQ(logic_map[2 * 13 + 3], logic_map[1]);
  range_index = 0;
}
