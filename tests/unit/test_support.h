// Shared helpers of the unit tests.
#pragma once

#include <string>

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
