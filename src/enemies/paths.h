// Flight paths and straight flight: how the launched planes move.
#pragma once

#include <array>

struct enemy;

// One step of a path: fly to the point (dx, dy) from where the path began,
// at altitude alt, in `time` time units. A step of time 0 ends the path.
struct path_step {
  int time;
  int dx;
  int dy;
  int alt;
};

// An enemy's path step counter counts integers of the table, four a step.
constexpr int PATH_STEP_FIELDS = 4;
constexpr int PATH_NOT_STARTED = -1;
// The lowest altitude a straight move started from rest may aim for.
constexpr int MIN_MOVE_ALT = 15;
// Later steps of a path last 75/60 of their table time.
constexpr int LATER_STEP_NUM = 75;
constexpr int LATER_STEP_DEN = 60;

constexpr int ANTICLOCKWISE_LOOP_STEPS = 28;
constexpr int CLOCKWISE_LOOP_STEPS = 24;
constexpr int SHARKFIN_STEPS = 15;
constexpr int SHARKFIN_LEFT1_STEPS = 7;

// Each table ends with rows of zeros.
extern const std::array<path_step, ANTICLOCKWISE_LOOP_STEPS + 2> anticlockwise_loop_path;
extern const std::array<path_step, CLOCKWISE_LOOP_STEPS + 2> clockwise_loop_path;
extern const std::array<path_step, SHARKFIN_STEPS + 1> sharkfin_path;
extern const std::array<path_step, SHARKFIN_LEFT1_STEPS + 1> sharkfin_left1;

// The enemy whose path the screen shows (the path view); 0 shows none.
extern int track_path;

// One tick of straight movement towards the target; lands exactly on it.
void move_enemy_to_target(enemy *e);
// Origin = the current position, truncated; target = origin + (dx, dy) at
// altitude max(alt, 15).
void start_enemy_move_target(enemy *e, int time, int dx, int dy, int alt);
// Target = origin + (dx, dy) at altitude alt; the origin stays.
void adjust_enemy_move_target(enemy *e, int time, int dx, int dy, int alt);
// Target = the current position + (dx, dy) at altitude alt.
void relative_enemy_move_target(enemy *e, int time, int dx, int dy, int alt);

// One tick along `path`; at its end the enemy's slot is freed.
void move_along_path(enemy *e, const path_step *path);

void move_anticlockwise_loop(enemy *e);
void move_clockwise_loop(enemy *e);
void move_sharkfin(enemy *e);
void move_sharkfin_left1(enemy *e);
// Straight flight that never ends by itself: the enemy leaves play when it
// leaves the screen.
void move_diag_up_left(enemy *e);
void move_diag_down_left(enemy *e);

// Plots the points of `path` from the enemy's origin in colour 15 on the
// back buffer, to check a path by eye.
void draw_path(const enemy *e, const path_step *path);
// The path view: the tracked enemy's path, while that enemy lives.
void draw_path_view();
