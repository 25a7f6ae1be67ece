// An installed game cannot write beside itself: the settings, the high
// scores and the screenshot go to the user's data folder, and the next
// start reads them from there.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <string>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "frontend/hiscore.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "game/ship.h"
#include "world/state.h"
#include "game_data.h"
#include "frontend/config.h"
#include "shell/paths.h"
#include "shell/shell.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// A game folder nobody can write to, even root (a path through a file),
// and a user data folder inside the scratch folder; both put back after.
class UserFolderSaves : public GameData {
 protected:
  void SetUp() override {
    GameData::SetUp();
    std::ofstream(dir.path + "/file") << "x";
    game_folder = dir.path + "/file/game";
    saved_xdg = getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", (dir.path + "/xdg").c_str(), 1);
    user = dir.path + "/xdg/borlin";
    std::memcpy(saved_table, hi_score_table, sizeof saved_table);
  }
  void TearDown() override {
    std::memcpy(hi_score_table, saved_table, sizeof saved_table);
    top_score = saved_top;
    game_folder = saved_folder;
    if (saved_xdg.empty()) unsetenv("XDG_DATA_HOME");
    else setenv("XDG_DATA_HOME", saved_xdg.c_str(), 1);
  }

  ScratchDir dir;
  NoticeSaved notice;
  std::string user;

 private:
  std::string saved_folder = game_folder;
  std::string saved_xdg;
  hi_score saved_table[HI_SCORE_LINES];
  int saved_top = top_score;
};

}  // namespace

TEST_F(UserFolderSaves, TheHighScoresAreSavedThereAndReadBackFirst) {
  // An older table beside the game, from before it was installed.
  const std::string unwritable = game_folder;
  game_folder = ".";
  default_high_score_table();
  hi_score_table[0] = hi_score{5, "OLD", 1, 0, 0, 0, {0, 0}};
  save_high_score_table();
  ASSERT_TRUE(fs::exists(HI_SCORE_FILE));

  game_folder = unwritable;
  hi_score_table[0] = hi_score{70000, "XYZ", 2, 1, 0, 0, {0, 0}};
  save_high_score_table();
  EXPECT_TRUE(fs::exists(user + "/" + HI_SCORE_FILE));

  default_high_score_table();
  top_score = 0;
  load_high_score_table();
  EXPECT_EQ(hi_score_table[0].score, 70000);
  EXPECT_STREQ(hi_score_table[0].name, "XYZ");
  EXPECT_EQ(top_score, 70000);
}

TEST_F(UserFolderSaves, SettingsAndTheScreenshotAreSavedThere) {
  const int saved[] = {gr_driver,     bpp,           hz,
                       updatemethod,  regulate_method, bulletshadows,
                       reverse_logic, myopts[OPTS_SHADOWS].value, myopts[OPTS_REVERSE_ALT].value};
  {
    FakeCard card;
    ASSERT_EQ(init_graphics(GFX_AUTODETECT_WINDOWED, 640, 480, 16, 60, METHOD_DOUBLE_BUFFER), -1);
    capture_stdout([] { save_config(); });  // it says where
  }
  EXPECT_TRUE(fs::exists(user + "/config.dat"));
  EXPECT_FALSE(fs::exists(CONFIG_FILE));
  {
    FakeCard card;
    load_config();
    ASSERT_FALSE(card.attempts.empty());
    EXPECT_EQ(card.attempts.front().w, 640);  // the saved mode is tried first
    EXPECT_EQ(card.attempts.front().depth, 16);
  }
  int *restored[] = {&gr_driver,     &bpp,           &hz,
                     &updatemethod,  &regulate_method, &bulletshadows,
                     &reverse_logic, &myopts[OPTS_SHADOWS].value, &myopts[OPTS_REVERSE_ALT].value};
  for (size_t i = 0; i < std::size(saved); i++) *restored[i] = saved[i];

  DATAFILE *saved_common = commondata;
  BITMAP *saved_buffer = currentbuffer;
  commondata = borlin;
  currentbuffer = create_bitmap_ex(8, 16, 16);
  EXPECT_TRUE(save_snapshot());
  destroy_bitmap(currentbuffer);
  currentbuffer = saved_buffer;
  commondata = saved_common;
  EXPECT_TRUE(fs::exists(user + "/" + SNAP_FILE));
  EXPECT_FALSE(fs::exists(SNAP_FILE));
}
