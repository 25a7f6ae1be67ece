// A replay script: everything a recorded run depends on, as a small text
// file. One setting per line, '#' starts a comment:
//
//   seed 1234              the random source's seed
//   mode 448 512 8         screen width, height and colour depth
//   hz 75                  the refresh rate the game is told it has
//   frame 133              refresh length in clock units (0.1 ms); several
//                          numbers are used in turn, over and over
//   start game             "game" (a game for the player) or "demo"
//   frames 20000           how many frames to run at most
//   at 120 +LEFT +SPACE    key changes before frame 120: +KEY down, -KEY up,
//                          KEY alone pressed for this frame only
//
// Frames count from 0. Key names: LEFT RIGHT UP DOWN SPACE LCONTROL ESC
// F1 to F4, PAD2 PAD4 PAD6 PAD8, and the letters and digits (not P: a
// pause waits for a key nobody can press during a replay).
#pragma once

#include <array>

constexpr int MAX_FRAME_LENGTHS = 64;
constexpr int MAX_KEY_CHANGES = 4096;
constexpr int MAX_SCRIPT_ERROR = 160;

constexpr int START_GAME = 0;
constexpr int START_DEMO = 1;

// What happens to a key before a frame.
constexpr int KEY_CHANGE_UP = 0;
constexpr int KEY_CHANGE_DOWN = 1;
constexpr int KEY_CHANGE_TAP = 2;  // down for this frame, up before the next

struct key_change {
  long frame;
  int scancode;
  int change;
};

struct replay_script {
  unsigned int seed = 0;
  int w = 448, h = 512, depth = 8;
  int hz = 75;
  std::array<int, MAX_FRAME_LENGTHS> frame_lengths{};
  int frame_length_count = 0;
  int start = START_GAME;
  long frames = 0;
  std::array<key_change, MAX_KEY_CHANGES> changes{};
  int change_count = 0;  // in frame order, as written
};

// Reads a script. On failure returns false with `error` saying which line
// and what is wrong with it.
bool parse_script(const char *text, replay_script &script, char (&error)[MAX_SCRIPT_ERROR]);

// The scancode of a key name, or -1.
int key_by_name(const char *name);

// Refresh length number `i` (counted over the whole run).
int frame_length(const replay_script &script, long i);
