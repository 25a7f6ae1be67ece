// Shared helpers of the unit tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frontend/notice.h"
#include "gen/anims.h"
#include "world/enemy_map.h"

// A fresh empty folder that the process works in while the helper lives;
// removed again afterwards.
struct ScratchDir {
  ScratchDir();
  ~ScratchDir();
  std::string path;
  std::string old_cwd;
};

std::string read_file(const std::string &path);

// Standard output sent to a file between begin and end; end returns it.
std::string capture_stdout_begin();
std::string capture_stdout_end(const std::string &file);

template <class F> std::string capture_stdout(F fn) {
  std::string f = capture_stdout_begin();
  fn();
  return capture_stdout_end(f);
}

// Standard error through a pipe, which no limit on file sizes cuts short
// (a few kilobytes at most, or the writer would wait for ever).
int capture_stderr_begin();
std::string capture_stderr_end(int pipe_read);

template <class F> std::string capture_stderr(F fn) {
  int p = capture_stderr_begin();
  fn();
  return capture_stderr_end(p);
}

// The note at the foot of the menus, put back afterwards.
struct NoticeSaved {
  NoticeSaved();
  ~NoticeSaved();
  char lines[2][NOTICE_TEXT_SIZE];
  float until;
};

// Caps the size of any file this process writes, as a full disk would,
// with SIGXFSZ ignored so that a write past it fails instead; both are put
// back afterwards.
struct FileSizeLimit {
  explicit FileSizeLimit(unsigned long bytes);
  ~FileSizeLimit();
  unsigned long saved_cur;
  void (*old_handler)(int);
};

// The names in the working folder, sorted.
std::vector<std::string> folder_listing();

// Under LeakSanitizer a death test's child reports what the parent's
// fixture still holds when the program ends through main_exit; those are
// the parent's to free, so the child does not check.
void no_leak_check_in_child();

// Runs `fn` in a child process that must exit with `status`, and returns
// what the child printed to standard output (written into `folder`).
template <class F>
std::string output_of_exit(const std::string &folder, int status, F fn) {
  // One file per test process: ctest runs tests side by side, and two
  // sharing a folder would read each other's output.
  const std::string out = folder + "/exit-stdout-" + std::to_string(getpid()) + ".txt";
  EXPECT_EXIT(
      {
        if (!freopen(out.c_str(), "w", stdout)) _exit(99);
        no_leak_check_in_child();
        fn();
      },
      ::testing::ExitedWithCode(status), "");
  const std::string said = read_file(out);
  std::remove(out.c_str());
  return said;
}

// The generated animation types as they were before a test. The game makes
// them once and never frees them; a test that makes its own has them freed
// here, also in between with free_new (before making them again).
struct AnimTypesSaved {
  AnimTypesSaved();
  ~AnimTypesSaved();
  void free_new();
  int total;
  anim_type *list[MAX_ANIM_TYPES];
  BITMAP *bullet_left;
};

// The enemy kinds as they were before a test: the records it filled are
// kept (the game never frees them) but keep no pointer to its bitmaps.
struct EnemyKindsSaved {
  EnemyKindsSaved();
  ~EnemyKindsSaved();
  int total;
  std::vector<enemy_type> records;
};
