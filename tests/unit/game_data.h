// The generated data files as the game loads them, shared by the tests
// that check their contents.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

inline DATAFILE *load_game_file(const char *name) {
  set_color_conversion(COLORCONV_NONE);  // as the game does before loading
  return load_datafile((std::string(GAME_DIR) + "/" + name).c_str());
}

// Both files, loaded once for each suite that uses them.
class GameData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    borlin = load_game_file("borlin.dat");
    kestal = load_game_file("kestal.dat");
  }
  static void TearDownTestSuite() {
    if (borlin) unload_datafile(borlin);
    if (kestal) unload_datafile(kestal);
    borlin = kestal = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(borlin, nullptr);
    ASSERT_NE(kestal, nullptr);
  }
  static const RGB *palette(int i) { return static_cast<const RGB *>(borlin[i].dat); }
  static FONT *font_at(int i) { return static_cast<FONT *>(borlin[i].dat); }
  static SAMPLE *sample_at(int i) { return static_cast<SAMPLE *>(borlin[i].dat); }
  static std::string name(const DATAFILE *d, int i) {
    return get_datafile_property(d + i, DAT_NAME);
  }

  inline static DATAFILE *borlin = nullptr;
  inline static DATAFILE *kestal = nullptr;
};
