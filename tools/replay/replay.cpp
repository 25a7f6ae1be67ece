// The replay runner: plays a script headless through the game's own frame
// pass and prints what happened.
//
//   replay SCRIPT [--game DIR] [--seed N] [--frames N] [--mode W H DEPTH] [--time] [--expect FILE | --write FILE]
//
// The game comes up as it does at start-up, but on a memory screen of the
// script's mode (the unit tests' fake card), with the script's seed, a clock
// that moves one refresh of the script at a time, and the key state the
// script sets before each frame. Every line printed is also compared with
// FILE under --expect (the first differing line ends the run with status 1)
// or written to FILE under --write. --seed and --frames replace the script's
// own (the sanitizers' soak plays the scripts with many seeds), --mode W H
// DEPTH its screen. --time measures every whole frame (input, world step,
// drawing, presentation into memory) in processor time and, in the same
// run, the two full-frame copies no frame can avoid (the floor window in,
// the frame out), and prints median, 99th percentile and busiest frame,
// also the busiest after the first (which sets the round up).
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <algorithm>
#include <ctime>

#include "fake_card.h"
#include "display/frame.h"
#include "display/gfx.h"
#include "game/frame_pass.h"
#include "frontend/menu.h"
#include "game/play.h"
#include "world/state.h"
#include "gen/anims.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "render/background.h"
#include "script.h"
#include "shell/shell.h"
#include "watch.h"
#include "world/enemy_map.h"
#include "world/map_data.h"
#include "game/setup.h"

namespace {

constexpr long HASH_EVERY = 1000;
constexpr int64_t CLOCK_START = 1000000;  // any reading but 0, which means "none yet"
constexpr int EXIT_DIFFERENT = 1;
constexpr int EXIT_USAGE = 2;

replay_script script;
long shown = 0;       // frames shown so far
long refreshes = 0;   // refreshes the clock has moved on
int64_t replay_now = CLOCK_START;
int next_change = 0;  // the first key change not yet made
watched_state last_watched{};  // all zero: the first frame reports where play starts

// Where the lines go besides standard output.
std::ifstream expected;
std::ofstream written;
long line_number = 0;

struct replay_end {};

// Frame timing under --time.
bool timing = false;
double frame_start_ms = 0;
std::vector<double> frame_ms, copies_ms;
BITMAP *copy_in = nullptr, *copy_out = nullptr;

double cpu_ms() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void time_frame() {
  const double end = cpu_ms();
  frame_ms.push_back(end - frame_start_ms);
  if (!copy_in) {
    copy_in = create_bitmap(SCREEN_W, SCREEN_H);
    copy_out = create_bitmap(SCREEN_W, SCREEN_H);
  }
  const double c0 = cpu_ms();
  blit(background, copy_in, scroll_offset, 8 - scroll_offset / 2, 0, 0, SCREEN_W, SCREEN_H);
  blit(copy_in, copy_out, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  copies_ms.push_back(cpu_ms() - c0);
}

double percentile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(share * (v.size() - 1))];
}

void print_timing() {
  if (frame_ms.empty()) return;
  const size_t busiest = std::max_element(frame_ms.begin(), frame_ms.end()) - frame_ms.begin();
  // The first frame also sets the round up: the busiest frame of play itself is told apart.
  const size_t busiest_after = frame_ms.size() < 2 ? 0
                             : std::max_element(frame_ms.begin() + 1, frame_ms.end()) - frame_ms.begin();
  printf("timing %dx%dx%d frames %zu: frame median %.3f ms, 99%% %.3f ms, busiest %.3f ms (frame %zu), "
         "after the first %.3f ms (frame %zu); copies median %.3f ms, 99%% %.3f ms\n",
         SCREEN_W, SCREEN_H, bitmap_color_depth(screen), frame_ms.size(), percentile(frame_ms, 0.5),
         percentile(frame_ms, 0.99), frame_ms[busiest], busiest + 1, frame_ms[busiest_after],
         busiest_after + 1, percentile(copies_ms, 0.5), percentile(copies_ms, 0.99));
}  // thrown by the frame hook when the last frame is shown

[[noreturn]] void differs(const std::string &want, const std::string &got) {
  fflush(stdout);
  fprintf(stderr, "replay: first difference at line %ld\n  expected: %s\n  got:      %s\n", line_number,
          want.c_str(), got.c_str());
  exit(EXIT_DIFFERENT);
}

void emit(const std::string &lines) {
  std::istringstream in(lines);
  for (std::string l; std::getline(in, l);) {
    line_number++;
    puts(l.c_str());
    if (written.is_open()) written << l << '\n';
    if (!expected.is_open()) continue;
    std::string want;
    if (!std::getline(expected, want)) differs("(end of the expected run)", l);
    if (want != l) differs(want, l);
  }
}

void emit_hash() {
  char text[96];
  snprintf(text, sizeof text, "%8ld hash %016" PRIx64 " picture %016" PRIx64, shown, game_state_hash(),
           picture_hash(currentscreen));
  emit(text);
}

int64_t replay_clock() { return replay_now; }

// A wait for the display ends at the next refresh of the script.
void replay_retrace(int) { replay_now += frame_length(script, refreshes++); }

// The key changes made before frame `frame`; taps of the frame before are
// released first.
void set_keys(long frame) {
  for (int i = next_change - 1; i >= 0 && script.changes[i].frame == frame - 1; i--)
    if (script.changes[i].change == KEY_CHANGE_TAP) key[script.changes[i].scancode] = 0;
  for (; next_change < script.change_count && script.changes[next_change].frame == frame; next_change++) {
    const key_change &c = script.changes[next_change];
    key[c.scancode] = c.change == KEY_CHANGE_UP ? 0 : 1;
  }
}

void on_frame() {
  if (timing) time_frame();
  shown++;
  const watched_state now = watch_now();
  emit(changes_between(shown, last_watched, now));
  last_watched = now;
  if (shown % HASH_EVERY == 0) emit_hash();
  if (shown >= script.frames) throw replay_end{};
  // The frame took one refresh.
  replay_retrace(hz);
  set_keys(shown);
  if (timing) frame_start_ms = cpu_ms();
}

// The demo behind the menus, set up as the menu sets it up.
void bring_up(const std::string &game_dir) {
  if (chdir(game_dir.c_str()) != 0) {
    fprintf(stderr, "replay: no game folder %s\n", game_dir.c_str());
    exit(EXIT_USAGE);
  }
  set_color_conversion(COLORCONV_NONE);
  commondata = load_resource_file("borlin.dat", borlin_object_kinds.data(), BORLIN_OBJECT_COUNT);
  data = load_resource_file("kestal.dat", kestal_object_kinds.data(), KESTAL_OBJECT_COUNT);
  init_graphics(GFX_AUTODETECT_WINDOWED, script.w, script.h, script.depth, script.hz, METHOD_DOUBLE_BUFFER);
  hz = script.hz;
  hz_is_reliable = -1;
  generate_anims();
  make_game_video_bitmaps();
  load_map_data();
  init_enemy_type_list();
}

std::string read_all(const char *path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    fprintf(stderr, "replay: cannot read %s\n", path);
    exit(EXIT_USAGE);
  }
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

int main(int argc, char **argv) {
  std::string game_dir = GAME_DIR;
  const char *script_path = nullptr;
  long seed = -1, frames = -1;
  int mode_w = 0, mode_h = 0, mode_depth = 0;
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--game" && i + 1 < argc) {
      game_dir = argv[++i];
    } else if (a == "--seed" && i + 1 < argc) {
      seed = atol(argv[++i]);
    } else if (a == "--time") {
      timing = true;
    } else if (a == "--mode" && i + 3 < argc) {
      mode_w = atoi(argv[++i]);
      mode_h = atoi(argv[++i]);
      mode_depth = atoi(argv[++i]);
    } else if (a == "--frames" && i + 1 < argc) {
      frames = atol(argv[++i]);
    } else if (a == "--expect" && i + 1 < argc) {
      expected.open(argv[++i]);
      if (!expected) {
        fprintf(stderr, "replay: cannot read %s\n", argv[i]);
        return EXIT_USAGE;
      }
    } else if (a == "--write" && i + 1 < argc) {
      written.open(argv[++i]);
    } else if (!script_path && a[0] != '-') {
      script_path = argv[i];
    } else {
      script_path = nullptr;
      break;
    }
  }
  if (!script_path) {
    fprintf(stderr, "usage: replay SCRIPT [--game DIR] [--seed N] [--frames N] [--mode W H DEPTH] [--time] [--expect FILE | --write FILE]\n");
    return EXIT_USAGE;
  }
  char error[MAX_SCRIPT_ERROR];
  if (!parse_script(read_all(script_path).c_str(), script, error)) {
    fprintf(stderr, "replay: %s: %s\n", script_path, error);
    return EXIT_USAGE;
  }
  if (seed >= 0) script.seed = static_cast<unsigned int>(seed);
  if (frames >= 0) script.frames = frames;
  if (mode_w > 0) {
    script.w = mode_w;
    script.h = mode_h;
    script.depth = mode_depth;
  }

  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return EXIT_USAGE;
  FakeCard card;
  clock_source = replay_clock;
  retrace_wait = replay_retrace;
  bring_up(game_dir);

  char head[160];
  snprintf(head, sizeof head, "start %s seed %u mode %dx%dx%d hz %d frames %ld",
           script.start == START_DEMO ? "demo" : "game", script.seed, script.w, script.h, script.depth,
           script.hz, script.frames);
  emit(head);

  seed_game_rand(script.seed);
  after_frame = on_frame;
  set_keys(0);
  frame_start_ms = cpu_ms();
  try {
    if (script.start == START_DEMO) {
      init_demo_game();
      for (;;) frame_pass(nullptr, true, nullptr);
    }
    demomode_flag = 0;
    current_player = &player1;
    play_game();
    char over[96];
    snprintf(over, sizeof over, "%8ld game over, score %d", shown, player1.score);
    emit(over);
  } catch (const replay_end &) {
  }
  after_frame = nullptr;
  if (shown % HASH_EVERY != 0) emit_hash();
  print_timing();

  if (expected.is_open()) {
    std::string more;
    if (std::getline(expected, more)) differs(more, "(end of the run)");
  }
  fflush(stdout);
  return 0;
}
