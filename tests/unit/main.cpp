// Unit tests run with no display: the library's headless system gives
// memory bitmaps, data files and packfiles, and no threads, so death tests
// may simply fork. Its timer must never be
// installed here (it crashes without a system driver).
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Saves go to the user's data folder when a file is already there: the
  // tests get an empty one of their own, never the player's.
  char data_home[] = "/tmp/borlin-data-home-XXXXXX";
  if (!mkdtemp(data_home)) return 2;
  setenv("XDG_DATA_HOME", data_home, 1);
  struct Remove {
    const char *path;
    ~Remove() { std::filesystem::remove_all(path); }
  } remove_data_home{data_home};
  ::testing::GTEST_FLAG(death_test_style) = "fast";
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
  return RUN_ALL_TESTS();
}
