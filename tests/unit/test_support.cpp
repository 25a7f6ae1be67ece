#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

ScratchDir::ScratchDir() {
  char tmpl[] = "/tmp/borlin-test-XXXXXX";
  path = mkdtemp(tmpl);
  old_cwd = std::filesystem::current_path();
  std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir() {
  std::filesystem::current_path(old_cwd);
  std::filesystem::remove_all(path);
}

std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

static int saved_stdout = -1;

std::string capture_stdout_begin() {
  fflush(stdout);
  char tmpl[] = "/tmp/borlin-out-XXXXXX";
  int fd = mkstemp(tmpl);
  saved_stdout = dup(1);
  dup2(fd, 1);
  close(fd);
  return tmpl;
}

std::string capture_stdout_end(const std::string &file) {
  fflush(stdout);
  dup2(saved_stdout, 1);
  close(saved_stdout);
  std::string out = read_file(file);
  std::remove(file.c_str());
  return out;
}
