// Unit tests run with no display: the library's headless system gives
// memory bitmaps, data files and packfiles, and no threads, so death tests
// may simply fork. Its timer must never be
// installed here (it crashes without a system driver).
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::GTEST_FLAG(death_test_style) = "fast";
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
  return RUN_ALL_TESTS();
}
