#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "shell/paths.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the fixture's lifetime.
struct SavedEnv {
  explicit SavedEnv(const char *n) : name(n) {
    if (const char *v = getenv(n)) old = v;
  }
  ~SavedEnv() {
    if (old) setenv(name, old->c_str(), 1);
    else unsetenv(name);
  }
  const char *name;
  std::optional<std::string> old;
};

void touch(const std::string &path) { std::ofstream(path) << "x"; }

// A scratch folder holding the game's folder and a home; the player's
// environment points at that home.
class SavePaths : public ::testing::Test {
 protected:
  void SetUp() override {
    game = dir.path + "/game";
    home = dir.path + "/home";
    fs::create_directory(game);
    fs::create_directory(home);
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    game_folder = game;
  }
  void TearDown() override { game_folder = old_game_folder; }

  // A game folder nobody can write to, even root: a path through a file.
  void make_game_folder_unwritable() {
    touch(dir.path + "/file");
    game_folder = dir.path + "/file/game";
  }

  ScratchDir dir;
  SavedEnv saved_home{"HOME"}, saved_xdg{"XDG_DATA_HOME"};
  std::string old_game_folder = game_folder;
  std::string game, home;
  std::string user() const { return home + "/.local/share/borlin"; }
};

}  // namespace

TEST_F(SavePaths, UserFolderFollowsXdgThenHomeThenPasswordEntry) {
  EXPECT_EQ(user_data_folder(), user());
  setenv("XDG_DATA_HOME", "/data/", 1);
  EXPECT_EQ(user_data_folder(), "/data/borlin");
  // Relative and empty values are not valid and fall back to HOME.
  setenv("XDG_DATA_HOME", "rel/data", 1);
  EXPECT_EQ(user_data_folder(), user());
  setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(user_data_folder(), user());

  unsetenv("HOME");
  const passwd *pw = getpwuid(getuid());
  ASSERT_NE(pw, nullptr);
  EXPECT_EQ(user_data_folder(), std::string(pw->pw_dir) + "/.local/share/borlin");
}

TEST_F(SavePaths, WritableGameFolderKeepsFilesBesideTheGame) {
  EXPECT_EQ(save_path("config.dat"), game + "/config.dat");
  EXPECT_EQ(load_path("config.dat"), game + "/config.dat");
  // Nothing was saved in the user's folder, so it is not made.
  EXPECT_FALSE(fs::exists(home + "/.local"));

  game_folder = ".";
  EXPECT_EQ(save_path("hi.dat"), "hi.dat");
}

TEST_F(SavePaths, UnwritableGameFolderSavesInANewPrivateUserFolder) {
  make_game_folder_unwritable();
  EXPECT_EQ(save_path("hi.dat"), user() + "/hi.dat");
  ASSERT_TRUE(fs::is_directory(user()));
  EXPECT_EQ(fs::status(user()).permissions() & fs::perms::all, fs::perms::owner_all);
  touch(user() + "/hi.dat");
  EXPECT_EQ(load_path("hi.dat"), user() + "/hi.dat");

  setenv("XDG_DATA_HOME", (dir.path + "/xdg/deep").c_str(), 1);
  EXPECT_EQ(save_path("snap.bmp"), dir.path + "/xdg/deep/borlin/snap.bmp");
  EXPECT_TRUE(fs::is_directory(dir.path + "/xdg/deep/borlin"));
}

TEST_F(SavePaths, ReadOnlyGameFolderSavesInUserFolder) {
  // Root writes anywhere; the permission check only means something for
  // an ordinary user.
  if (geteuid() == 0) GTEST_SKIP() << "root may write into a read-only folder";
  fs::permissions(game, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(save_path("config.dat"), user() + "/config.dat");
  fs::permissions(game, fs::perms::owner_all);
}

// Whatever the state of the folders, the next read finds what the last
// save wrote.
TEST_F(SavePaths, ReadFindsWhatWasSaved) {
  for (int writable = 0; writable < 2; writable++)
    for (int in_user = 0; in_user < 2; in_user++)
      for (int beside = 0; beside < 2; beside++) {
        SCOPED_TRACE(testing::Message() << "writable " << writable << " in user folder "
                                        << in_user << " beside " << beside);
        fs::remove_all(home + "/.local");
        fs::remove(game + "/config.dat");
        game_folder = game;
        if (in_user) {
          fs::create_directories(user());
          touch(user() + "/config.dat");
        }
        if (beside) touch(game + "/config.dat");
        if (!writable) make_game_folder_unwritable();

        const std::string written = save_path("config.dat");
        std::ofstream(written) << "saved";
        EXPECT_EQ(load_path("config.dat"), written);
        EXPECT_EQ(read_file(load_path("config.dat")), "saved");
      }
}

TEST_F(SavePaths, FolderNamedLikeTheFileIsNotTheFile) {
  fs::create_directories(user() + "/hi.dat");
  EXPECT_EQ(load_path("hi.dat"), game + "/hi.dat");
}
