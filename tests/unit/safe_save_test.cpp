#include "shell/safe_save.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

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

// Caps the size of any file this process writes, as a full disk would.
struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved);
    old_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit l = saved;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);
  }
  rlimit saved;
  void (*old_handler)(int);
};

}  // namespace

TEST(SafeSave, ReplacesTheFileAndLeavesNoTemporary) {
  ScratchDir dir;
  ASSERT_TRUE(safe_save("f.dat", write_abc));
  EXPECT_EQ(unpacked("f.dat"), "abc");
  // The file is in the library's packed form.
  EXPECT_EQ(read_file("f.dat").substr(0, 4), "slh!");
  ASSERT_TRUE(safe_save("f.dat", write_noise));
  EXPECT_EQ(unpacked("f.dat").size(), static_cast<size_t>(NOISE_BYTES));
  EXPECT_FALSE(std::filesystem::exists("f.dat.new"));
}

TEST(SafeSave, EveryKindOfFailureKeepsTheOldFile) {
  ScratchDir dir;
  ASSERT_TRUE(safe_save("f.dat", write_abc));

  // The writer's own check.
  EXPECT_FALSE(safe_save("f.dat", writer_gives_up));
  EXPECT_EQ(unpacked("f.dat"), "abc");
  EXPECT_FALSE(std::filesystem::exists("f.dat.new"));

  // Writes that fail on the way (the disk is full).
  {
    FileSizeLimit limit(1000);
    EXPECT_FALSE(safe_save("f.dat", write_noise));
  }
  EXPECT_EQ(unpacked("f.dat"), "abc");
  EXPECT_FALSE(std::filesystem::exists("f.dat.new"));

  // The temporary file cannot be made.
  std::filesystem::create_directory("f.dat.new");
  EXPECT_FALSE(safe_save("f.dat", write_abc));
  std::filesystem::remove("f.dat.new");

  // The rename fails: the target is a folder with something in it.
  std::filesystem::create_directories("g.dat/inside");
  EXPECT_FALSE(safe_save("g.dat", write_abc));
  EXPECT_TRUE(std::filesystem::is_directory("g.dat"));
  EXPECT_FALSE(std::filesystem::exists("g.dat.new"));

  // A folder that does not exist.
  EXPECT_FALSE(safe_save("no/such/f.dat", write_abc));
  EXPECT_EQ(unpacked("f.dat"), "abc");
}
