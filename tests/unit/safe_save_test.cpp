#include "shell/safe_save.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

constexpr int NOISE_BYTES = 64 * 1024;

// Bytes that do not compress, so the packed file really grows.
bool write_noise(PACKFILE *f) {
  unsigned int x = 12345;
  for (int i = 0; i < NOISE_BYTES; i++) {
    x = x * 1103515245u + 12345u;
    pack_putc((x >> 16) & 255, f);
  }
  return true;
}

bool write_abc(PACKFILE *f) {
  return pack_putc('a', f) != EOF && pack_putc('b', f) != EOF && pack_putc('c', f) != EOF;
}

bool writer_gives_up(PACKFILE *f) {
  pack_putc('x', f);
  return false;
}

std::string unpacked(const char *name) {
  std::string s;
  PACKFILE *f = pack_fopen(name, F_READ_PACKED);
  if (!f) return "<none>";
  for (int c; (c = pack_getc(f)) != EOF;) s += static_cast<char>(c);
  pack_fclose(f);
  return s;
}

bool write_abcdefghij(PACKFILE *f) {
  for (char c = 'a'; c <= 'j'; c++)
    if (pack_putc(c, f) == EOF) return false;
  return true;
}

}  // namespace

TEST(SafeSave, ReplacesTheFileAndLeavesNoTemporary) {
  ScratchDir dir;
  ASSERT_TRUE(safe_save("f.dat", write_abc));
  EXPECT_EQ(unpacked("f.dat"), "abc");
  // The file is in the library's packed form.
  EXPECT_EQ(read_file("f.dat").substr(0, 4), "slh!");
  ASSERT_TRUE(safe_save("f.dat", write_noise));
  EXPECT_EQ(unpacked("f.dat").size(), static_cast<size_t>(NOISE_BYTES));
  EXPECT_EQ(folder_listing(), std::vector<std::string>{"f.dat"});
}

TEST(SafeSave, EveryKindOfFailureKeepsTheOldFile) {
  ScratchDir dir;
  ASSERT_TRUE(safe_save("f.dat", write_abc));

  // The writer's own check.
  EXPECT_FALSE(safe_save("f.dat", writer_gives_up));
  EXPECT_EQ(unpacked("f.dat"), "abc");
  EXPECT_EQ(folder_listing(), std::vector<std::string>{"f.dat"});

  // Writes that fail on the way (the disk is full).
  {
    FileSizeLimit limit(1000);
    EXPECT_FALSE(safe_save("f.dat", write_noise));
  }
  EXPECT_EQ(unpacked("f.dat"), "abc");
  EXPECT_EQ(folder_listing(), std::vector<std::string>{"f.dat"});

  // The rename fails: the target is a folder with something in it.
  std::filesystem::create_directories("g.dat/inside");
  EXPECT_FALSE(safe_save("g.dat", write_abc));
  EXPECT_TRUE(std::filesystem::is_directory("g.dat"));
  EXPECT_EQ(folder_listing(), (std::vector<std::string>{"f.dat", "g.dat"}));

  // A folder that does not exist.
  EXPECT_FALSE(safe_save("no/such/f.dat", write_abc));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(unpacked("f.dat"), "abc");
}

TEST(SafeSave, AFileTooSmallDiskKeepsTheOldFileByteForByte) {
  ScratchDir dir;
  ASSERT_TRUE(safe_save("f.dat", write_abc));
  const std::string old = read_file("f.dat");
  {
    // Room for the signature and a few bytes: a write falls short at the
    // end, where the library's own buffer would have lost it.
    FileSizeLimit limit(old.size());
    EXPECT_FALSE(safe_save("f.dat", write_abcdefghij));
    EXPECT_EQ(errno, EFBIG);
  }
  EXPECT_EQ(read_file("f.dat"), old);
  EXPECT_EQ(folder_listing(), std::vector<std::string>{"f.dat"});
  ASSERT_TRUE(safe_save("f.dat", write_abcdefghij));
  EXPECT_EQ(unpacked("f.dat"), "abcdefghij");
}

TEST(SafeSave, LeftoversOfAnEarlierTemporaryNeitherBlockNorRedirect) {
  ScratchDir dir;
  // A link where the old fixed temporary name was must not be written
  // through, and a folder there must not stop the save.
  std::filesystem::create_directory("d.dat.new");
  {
    std::FILE *f = std::fopen("victim", "w");
    std::fputs("keep me", f);
    std::fclose(f);
  }
  std::filesystem::create_symlink("victim", "f.dat.new");
  ASSERT_TRUE(safe_save("f.dat", write_abc));
  ASSERT_TRUE(safe_save("d.dat", write_abc));
  EXPECT_EQ(read_file("victim"), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink("f.dat"));
  EXPECT_EQ(unpacked("f.dat"), "abc");
  EXPECT_EQ(unpacked("d.dat"), "abc");
  EXPECT_EQ(folder_listing(),
            (std::vector<std::string>{"d.dat", "d.dat.new", "f.dat", "f.dat.new", "victim"}));
}
