#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "frontend/notice.h"

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
static int saved_stderr = -1;

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

int capture_stderr_begin() {
  fflush(stderr);
  int p[2];
  if (pipe(p) != 0) return -1;
  saved_stderr = dup(2);
  dup2(p[1], 2);
  close(p[1]);
  return p[0];
}

std::string capture_stderr_end(int pipe_read) {
  fflush(stderr);
  dup2(saved_stderr, 2);
  close(saved_stderr);
  std::string out;
  char chunk[256];
  for (ssize_t n; pipe_read >= 0 && (n = read(pipe_read, chunk, sizeof chunk)) > 0;) out.append(chunk, n);
  if (pipe_read >= 0) close(pipe_read);
  return out;
}

NoticeSaved::NoticeSaved() : until(notice_until) { std::memcpy(lines, notice_line, sizeof lines); }

NoticeSaved::~NoticeSaved() {
  notice_until = until;
  std::memcpy(notice_line, lines, sizeof lines);
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
  rlimit l;
  getrlimit(RLIMIT_FSIZE, &l);
  saved_cur = l.rlim_cur;
  old_handler = signal(SIGXFSZ, SIG_IGN);
  l.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &l);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit l;
  getrlimit(RLIMIT_FSIZE, &l);
  l.rlim_cur = saved_cur;
  setrlimit(RLIMIT_FSIZE, &l);
  signal(SIGXFSZ, old_handler);
}

std::vector<std::string> folder_listing() {
  std::vector<std::string> names;
  for (const auto &e : std::filesystem::directory_iterator("."))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

AnimTypesSaved::AnimTypesSaved() : total(total_anim_types), bullet_left(enemy_bullet_left) {
  std::copy(anim_type_list, anim_type_list + MAX_ANIM_TYPES, list);
}

void AnimTypesSaved::free_new() {
  std::set<BITMAP *> frames;  // a points text shares one bitmap among its frames
  for (anim_type *&t : anim_type_list) {
    if (!t || std::find(list, list + MAX_ANIM_TYPES, t) != list + MAX_ANIM_TYPES) continue;
    for (int f = 0; f < t->frames; f++)
      if (t->frame_list[f]) frames.insert(t->frame_list[f]);
    delete[] t->frame_list;
    delete t;
    t = nullptr;
  }
  for (BITMAP *b : frames) destroy_bitmap(b);
  if (enemy_bullet_left != bullet_left) destroy_bitmap(enemy_bullet_left);
  enemy_bullet_left = bullet_left;
  total_anim_types = 0;
}

AnimTypesSaved::~AnimTypesSaved() {
  free_new();
  std::copy(list, list + MAX_ANIM_TYPES, anim_type_list);
  total_anim_types = total;
}

EnemyKindsSaved::EnemyKindsSaved() : total(total_enemy_types) {
  for (int i = 0; i < total; i++) records.push_back(*enemy_type_list[i]);
}

EnemyKindsSaved::~EnemyKindsSaved() {
  release_enemy_video_sprites();
  for (int i = 0; i < MAX_ENEMY_TYPES; i++) {
    if (!enemy_type_list[i]) continue;
    *enemy_type_list[i] = i < total ? records[i] : enemy_type{};
  }
  total_enemy_types = total;
}

namespace {
int leak_check_off = 0;
}

// LeakSanitizer asks this at exit; without the sanitizer nothing calls it.
extern "C" int __lsan_is_turned_off() { return leak_check_off; }

void no_leak_check_in_child() { leak_check_off = 1; }
