// Faults the loaders' fuzzing found, kept as tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "shell/datafile_check.h"

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
