#include "enemies/paths.h"

#include <allegro.h>

#include "display/frame.h"
#include "render/spritemap.h"
#include "world/enemy_map.h"

const std::array<path_step, ANTICLOCKWISE_LOOP_STEPS + 2> anticlockwise_loop_path{{
    {25, 50, 100, 78},   {14, 83, 156, 50},   {5, 99, 176, 40},    {11, 143, 220, 18},
    {8, 175, 236, 10},   {4, 191, 236, 10},   {3, 203, 232, 12},   {3, 215, 220, 18},
    {5, 225, 200, 28},   {4, 227, 184, 36},   {2, 225, 174, 41},   {6, 225, 150, 53},
    {4, 223, 134, 61},   {4, 221, 118, 69},   {4, 213, 102, 77},   {4, 201, 88, 84},
    {6, 177, 64, 96},    {6, 153, 50, 103},   {4, 137, 46, 105},   {4, 121, 46, 105},
    {2, 115, 48, 104},   {6, 91, 60, 100},    {2, 83, 66, 98},     {9, 47, 102, 86},
    {9, 20, 136, 75},    {23, -35, 230, 43},  {38, -111, 382, 10}, {19, -187, 458, 10},
    {0, 0, 0, 0},        {0, 0, 0, 0},
}};

const std::array<path_step, CLOCKWISE_LOOP_STEPS + 2> clockwise_loop_path{{
    {21, -84, -19, 10},   {7, -112, -30, 16},   {10, -153, -48, 25},  {13, -205, -74, 38},
    {8, -239, -94, 48},   {5, -259, -114, 58},  {3, -265, -126, 64},  {4, -265, -142, 72},
    {4, -255, -158, 80},  {3, -247, -168, 85},  {7, -219, -176, 90},  {9, -183, -176, 96},
    {10, -141, -168, 92}, {6, -117, -156, 84},  {5, -97, -140, 76},   {3, -87, -128, 70},
    {4, -79, -112, 62},   {7, -75, -86, 49},    {3, -75, -74, 43},    {6, -81, -51, 32},
    {12, -107, -3, 20},   {13, -147, 45, 14},   {16, -211, 105, 12},  {57, -441, 267, 10},
    {0, 0, 0, 0},         {0, 0, 0, 0},
}};

const std::array<path_step, SHARKFIN_STEPS + 1> sharkfin_path{{
    {52, -104, 52, 12},
    {16, -120, 60, 28},
    {160, -120, -20, 108},
    {20, -120, -20, 128},
    {7, -140, 0, 98},
    {7, -160, 23, 87},
    {7, -174, 48, 75},
    {10, -194, 86, 75},
    {8, -210, 115, 60},
    {8, -225, 146, 45},
    {14, -243, 191, 22},
    {17, -260, 256, 12},
    {3, -263, 267, 12},
    {50, -463, 367, 12},
    {100, -863, 467, 12},
    {0, 0, 0, 0},
}};

// Climbs like the sharkfin, then swings wide to the left.
const std::array<path_step, SHARKFIN_LEFT1_STEPS + 1> sharkfin_left1{{
    {52, -104, 52, 12},
    {16, -120, 60, 28},
    {160, -120, -20, 108},
    {20, -120, -20, 128},
    {20, -191, 26, 115},
    {64, -392, 194, 31},
    {216, -860, 422, 12},
    {0, 0, 0, 0},
}};

int track_path = 0;

namespace {

constexpr int PATH_COLOUR = 15;

void aim(enemy *e, int time, float x, float y, float alt) {
  e->move_time = time;
  e->target_x = x;
  e->target_y = y;
  e->target_alt = alt;
}

}  // namespace

void move_enemy_to_target(enemy *e) {
  const float t = time_unit;
  if (e->move_time > t) {
    e->screen_x += (e->target_x - e->screen_x) * t / e->move_time;
    e->screen_y += (e->target_y - e->screen_y) * t / e->move_time;
    e->alt += (e->target_alt - e->alt) * t / e->move_time;
    e->move_time -= t;
  } else {
    e->screen_x = e->target_x;
    e->screen_y = e->target_y;
    e->alt = e->target_alt;
    e->move_time = 0;
  }
}

void start_enemy_move_target(enemy *e, int time, int dx, int dy, int alt) {
  e->origin_x = static_cast<int>(e->screen_x);
  e->origin_y = static_cast<int>(e->screen_y);
  aim(e, time, e->origin_x + dx, e->origin_y + dy, alt < MIN_MOVE_ALT ? MIN_MOVE_ALT : alt);
}

void adjust_enemy_move_target(enemy *e, int time, int dx, int dy, int alt) {
  aim(e, time, e->origin_x + dx, e->origin_y + dy, alt);
}

void relative_enemy_move_target(enemy *e, int time, int dx, int dy, int alt) {
  aim(e, time, e->screen_x + dx, e->screen_y + dy, alt);
}

void move_along_path(enemy *e, const path_step *path) {
  if (e->hit_points == 0) return;
  if (e->frame == PATH_NOT_STARTED) {
    e->frame = 0;
    start_enemy_move_target(e, path[0].time, path[0].dx, path[0].dy, path[0].alt);
  }
  move_enemy_to_target(e);
  if (e->move_time > 0) return;

  e->frame += PATH_STEP_FIELDS;
  const path_step &s = path[static_cast<int>(e->frame) / PATH_STEP_FIELDS];
  if (s.time == 0) {
    e->hit_points = 0;
    e->screen_x = SCREEN_W;
    e->screen_y = SCREEN_H;
    clear_last_sprite(e);
    return;
  }
  adjust_enemy_move_target(e, s.time * LATER_STEP_NUM / LATER_STEP_DEN, s.dx, s.dy, s.alt);
}

void move_anticlockwise_loop(enemy *e) { move_along_path(e, anticlockwise_loop_path.data()); }
void move_clockwise_loop(enemy *e) { move_along_path(e, clockwise_loop_path.data()); }
void move_sharkfin(enemy *e) { move_along_path(e, sharkfin_path.data()); }
void move_sharkfin_left1(enemy *e) { move_along_path(e, sharkfin_left1.data()); }

void move_diag_up_left(enemy *e) {
  e->screen_x -= 4 * time_unit;
  e->screen_y -= time_unit;
}

void move_diag_down_left(enemy *e) {
  e->screen_x -= 4 * time_unit;
  e->screen_y += 2 * time_unit;
}

void draw_path(const enemy *e, const path_step *path) {
  if (!currentbuffer) return;
  const int colour = palette_color[PATH_COLOUR];
  for (const path_step *s = path; s->time != 0; s++)
    putpixel(currentbuffer, e->origin_x + s->dx, e->origin_y + s->dy, colour);
}

void draw_path_view() {
  if (track_path > 0 && track_path < total_enemies && enemy_map[track_path]->hit_points > 0)
    draw_path(enemy_map[track_path], clockwise_loop_path.data());
}
