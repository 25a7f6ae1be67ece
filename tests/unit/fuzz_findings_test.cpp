// Faults the loaders' fuzzing found, kept as tests.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "frontend/hiscore.h"
#include "frontend/config.h"
#include "shell/datafile_check.h"
#include "shell/lzss.h"
#include "shell/packed_file.h"
#include "test_support.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

// The library's unpacker leaves the last 18 bytes of its window unset until
// it writes them, so a stream that copies from there unpacks to whatever
// memory held (different from run to run). Zeros are set; those are not.
TEST(FuzzFindings, UnpackingRefusesCopiesFromTheWindowsUnwrittenEnd) {
  std::vector<uint8_t> out;
  const uint8_t from_unset[] = {0x00, 0xEE, 0xF0};  // a copy from 4078
  EXPECT_FALSE(lzss_unpack(from_unset, sizeof from_unset, out, 100));
  const uint8_t from_zeros[] = {0x00, 0x10, 0x00};  // a copy from 16
  ASSERT_TRUE(lzss_unpack(from_zeros, sizeof from_zeros, out, 100));
  EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 0}));
  // Once written, the end of the window may be copied from.
  const uint8_t after_writing[] = {0x07, 'a', 'b', 'c', 0xEE, 0xF0};
  ASSERT_TRUE(lzss_unpack(after_writing, sizeof after_writing, out, 100));
  EXPECT_EQ(out, (std::vector<uint8_t>{'a', 'b', 'c', 'a', 'b', 'c'}));
  // A copy that runs into its own output (from 4078 + 2 after two bytes).
  const uint8_t overlapping[] = {0x0B, 'x', 'y', 0xEE, 0xF2};
  ASSERT_TRUE(lzss_unpack(overlapping, sizeof overlapping, out, 100));
  EXPECT_EQ(out, (std::vector<uint8_t>{'x', 'y', 'x', 'y', 'x', 'y', 'x'}));
}

namespace {

void write_bytes(const char *name, const std::vector<uint8_t> &bytes) {
  FILE *f = fopen(name, "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  ASSERT_EQ(fclose(f), 0);
}

// A compressed stream whose fourth and fifth bytes are copied from the
// window's unset end: as an enemy map, its first record's place across is
// whatever memory held, so it read as sound or as broken depending on what
// the program had done before (and the second reading of the enemy map
// target disagreed with the first).
std::vector<uint8_t> from_the_unset_window() {
  std::vector<uint8_t> b = {'s', 'l', 'h', '!', 0x00, 0xC4, 0x00, 0xFE};
  b.resize(63, 0xFF);
  return b;
}

}  // namespace

TEST(FuzzFindings, EveryPackedLoaderRefusesAStreamFromTheWindowsUnsetEnd) {
  ScratchDir dir;
  const std::vector<uint8_t> bad = from_the_unset_window();
  for (const char *name : {ENEMY_MAP_FILE, SECOND_MAP_FILE, CONFIG_FILE, HI_SCORE_FILE})
    write_bytes(name, bad);
  EXPECT_EQ(open_packed_file(ENEMY_MAP_FILE), nullptr);
  std::vector<enemy_record> records{{KIND_FUEL, 1, 1, 0}};
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, records));
  EXPECT_TRUE(records.empty());
  const int placed = total_enemies;
  EXPECT_FALSE(read_enemy_map(ENEMY_MAP_FILE));
  EXPECT_EQ(total_enemies, placed);
  EXPECT_FALSE(read_map_file(SECOND_MAP_FILE, FIRST_HALF_POSITIONS, SECOND_HALF_POSITIONS));
  config_fields fields;
  EXPECT_FALSE(read_config_file(CONFIG_FILE, fields));
  EXPECT_FALSE(read_high_score_file(HI_SCORE_FILE));

  // What the library writes opens, compressed or stored whole; a stream
  // cut inside a copy does not, and neither does a missing file.
  PACKFILE *f = pack_fopen("packed.dat", F_WRITE_PACKED);
  ASSERT_NE(f, nullptr);
  for (int i = 0; i < 100; i++) pack_putc(i % 7, f);
  ASSERT_EQ(pack_fclose(f), 0);
  f = open_packed_file("packed.dat");
  ASSERT_NE(f, nullptr);
  for (int i = 0; i < 100; i++) ASSERT_EQ(pack_getc(f), i % 7) << i;
  EXPECT_EQ(pack_getc(f), EOF);
  pack_fclose(f);
  write_bytes("stored.dat", {'s', 'l', 'h', '.', 9});
  f = open_packed_file("stored.dat");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(pack_getc(f), 9);
  pack_fclose(f);
  write_bytes("cut.dat", {'s', 'l', 'h', '!', 0x00, 0x10});
  EXPECT_EQ(open_packed_file("cut.dat"), nullptr);
  EXPECT_EQ(open_packed_file("missing.dat"), nullptr);
}

// A packed data file whose font has a glyph range in format 9, which the
// library cannot read: its loader then freed the object table twice.
TEST(FuzzFindings, DataFileWithAFontRangeTheLibraryCannotReadIsRefused) {
  const std::string found =
      read_file(std::string(SOURCE_DIR) + "/tests/unit/findings/datafile-font-range-format.dat");
  ASSERT_EQ(found.size(), 1039u);
  EXPECT_FALSE(datafile_structure_ok(reinterpret_cast<const uint8_t *>(found.data()), found.size()));
}
