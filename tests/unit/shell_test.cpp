#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/shell.h"
#include "test_support.h"

TEST(WorkingDirectory, CutsAtTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(executable_directory("/usr/games/borlin"), "/usr/games");
  EXPECT_EQ(executable_directory("C:\\games/borlin\\bin\\borlin"), "C:\\games/borlin\\bin");
  EXPECT_EQ(executable_directory("a\\b/c"), "a\\b");
  EXPECT_EQ(executable_directory("borlin"), "");
  EXPECT_EQ(executable_directory("game/"), "game");
  EXPECT_EQ(executable_directory("/borlin"), "");
}

TEST(WorkingDirectory, FollowsTheLinkToTheExecutableBeforeTheProgramPath) {
  ScratchDir dir;
  std::filesystem::create_directories("install/games");
  std::filesystem::create_directory("bin");
  { std::ofstream("install/games/borlin") << "x"; }
  // Started as bin/borlin, a link to the installed game, or by bare name.
  std::filesystem::create_symlink(dir.path + "/install/games/borlin", "bin/borlin");
  std::filesystem::create_symlink(dir.path + "/install/games/borlin", "self");
  EXPECT_EQ(executable_folder("self", "bin/borlin"), dir.path + "/install/games");
  EXPECT_EQ(executable_folder("self", "borlin"), dir.path + "/install/games");
  // Without the link: the program path as given.
  EXPECT_EQ(executable_folder("no-such-link", "bin/borlin"), "bin");
  EXPECT_EQ(executable_folder(nullptr, "borlin"), "");
  EXPECT_EQ(executable_folder(nullptr, nullptr), "");
}

TEST(WorkingDirectory, ChangesIntoTheFolderOfTheRunningExecutable) {
  ScratchDir dir;
  chdir_to_executable("borlin");
  EXPECT_EQ(std::filesystem::current_path(),
            std::filesystem::canonical("/proc/self/exe").parent_path());
}

TEST(StartUpDeathTest, MissingDataFileNamesItAndFails) {
  ScratchDir dir;
  std::string said = output_of_exit(dir.path, EXIT_FATAL, [] { init_main(); });
  // Our own check finds it missing: the library has nothing to add.
  EXPECT_EQ(said, "Error loading borlin.dat!\n");

  std::filesystem::copy_file(std::string(GAME_DIR) + "/borlin.dat", "borlin.dat");
  said = output_of_exit(dir.path, EXIT_FATAL, [] { init_main(); });
  EXPECT_EQ(said.rfind("Error loading kestal.dat!\n", 0), 0u) << said;
}

TEST(StartUpDeathTest, NormalQuitReportsSuccess) {
  EXPECT_EXIT(main_exit(), ::testing::ExitedWithCode(EXIT_QUIT), "");
  EXPECT_EXIT(do_exit(), ::testing::ExitedWithCode(0), "");
}

TEST(StartUp, MissingDevicesAreReportedAndSkipped) {
  joy_ok = 123;
  std::string said = capture_stderr([] { init_joystick(); });
  EXPECT_EQ(said, "No joystick: playing with the keyboard.\n");
  EXPECT_EQ(joy_ok, 0);

  // Headless the library installs its silent driver and calls it success.
  said = capture_stderr([] { init_sound(); });
  EXPECT_EQ(said, "No sound device: playing without sound.\n");
  EXPECT_FALSE(digi_driver && digi_driver->id != DIGI_NONE);
}

TEST(FrameCounter, SaverMovesTheCountAndRestarts) {
  fps_now = 61;
  fps_save = 0;
  fps_saver();
  EXPECT_EQ(fps_save, 61);
  EXPECT_EQ(fps_now, 0);
  game_ticks = 0;
  inc_game_ticks();
  inc_game_ticks();
  EXPECT_EQ(game_ticks, 2);
}
