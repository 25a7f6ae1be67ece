#include <allegro.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "display/frame.h"
#include "game/frame_pass.h"
#include "platform/devices.h"
#include "platform/signals.h"
#include "shell/command_line.h"
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

namespace {

void say_first() { fputs("first ", stderr); }
void say_second() { fputs("second ", stderr); }
void leave_again() {
  fputs("again ", stderr);
  main_exit(EXIT_FATAL);
}

}  // namespace

TEST(StartUpDeathTest, TheWayOutReleasesNewestFirstAndEachOnce) {
  // Registered twice, released once; a release that leaves again does not
  // start the list over.
  EXPECT_EXIT(
      {
        release_at_exit(say_first);
        release_at_exit(say_second);
        release_at_exit(say_first);
        release_at_exit(leave_again);
        main_exit(EXIT_QUIT);
      },
      ::testing::ExitedWithCode(EXIT_FATAL), "^again second first $");
}

TEST(StartUp, DataFileObjectsAreNullWithoutTheFileOrTheIndex) {
  // Before a file is loaded (or for a kind without that object) every
  // accessor answers null instead of reading through a null file.
  EXPECT_EQ(datafile_bitmap(nullptr, 0), nullptr);
  EXPECT_EQ(datafile_font(nullptr, BORLIN_GAME_FONT), nullptr);
  EXPECT_EQ(datafile_palette(nullptr, BORLIN_NORMAL_PALETTE), nullptr);
  DATAFILE one[2] = {};
  BITMAP *b = create_bitmap(2, 2);
  one[0].dat = b;
  one[1].type = DAT_END;
  EXPECT_EQ(datafile_bitmap(one, 0), b);
  EXPECT_EQ(datafile_bitmap(one, -1), nullptr);
  destroy_bitmap(b);
}

TEST(StartUpDeathTest, AStoppingSignalOnlyAsksAndTheNextFrameQuits) {
  EXPECT_EXIT(
      {
        no_leak_check_in_child();
        install_quit_handlers();
        for (int s : {SIGTERM, SIGINT, SIGHUP}) raise(s);
        if (!quit_requested) _exit(98);
        frame_pass(nullptr, false, nullptr);
        _exit(99);
      },
      ::testing::ExitedWithCode(EXIT_QUIT), "");
}

TEST(CommandLine, HelpAndVersionAnswerWithoutStartingAndOthersAreRefused) {
  char prog[] = "borlin", help[] = "--help", version[] = "--version", bad[] = "-x";
  char *none[] = {prog, nullptr}, *asks_help[] = {prog, help, nullptr},
       *asks_version[] = {prog, version, nullptr}, *asks_bad[] = {prog, bad, nullptr};
  EXPECT_EQ(answer_command_line(1, none), -1);
  int r = -1;
  std::string said = capture_stdout([&] { r = answer_command_line(2, asks_help); });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(said.rfind("Usage: borlin [--help | --version]\n", 0), 0u) << said;
  for (const char *k : {"End ", "F1 ", "F2 ", "Escape ", "  P "}) EXPECT_NE(said.find(k), std::string::npos) << k;
  said = capture_stdout([&] { r = answer_command_line(2, asks_version); });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(said, std::string("borlin ") + borlin_version + "\n");
  said = capture_stderr([&] { r = answer_command_line(2, asks_bad); });
  EXPECT_EQ(r, 2);
  EXPECT_EQ(said.rfind("borlin: unknown option -x\nUsage:", 0), 0u) << said;
}

TEST(CommandLine, WithoutADisplayItSaysWhichOneItTried) {
  const char *set = getenv("DISPLAY");
  const std::string saved = set ? set : "";
  unsetenv("DISPLAY");
  EXPECT_EQ(capture_stderr(report_start_failure), "Borlin needs an X display, and DISPLAY is not set.\n");
  setenv("DISPLAY", ":987", 1);
  EXPECT_EQ(capture_stderr(report_start_failure),
            "Borlin needs an X display and could not open display \":987\".\n");
  if (set) setenv("DISPLAY", saved.c_str(), 1);
  else unsetenv("DISPLAY");
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
