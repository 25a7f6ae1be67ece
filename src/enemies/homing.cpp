#include "enemies/homing.h"

#include <allegro.h>

#include <cmath>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/paths.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "world/enemy_map.h"

homing_plane homing_planes[HOMING_RECORDS];

namespace {

// The formation move's states, kept in the enemy's step counter.
constexpr int FORMATION_START = -1;
constexpr int FORMATION_MOVE = 0;
constexpr int FORMATION_DIVE = 1;
constexpr int FORMATION_HOME = 2;
constexpr int FORMATION_FLY_ON = 3;

constexpr int FORMATION_TIME = 192;
constexpr int FORMATION_SHORT_TIME = 96;
constexpr int FORMATION_TOP_Y = 30;
constexpr int FORMATION_UPPER_Y = 130;

constexpr float ON_LINE = 10.0f;        // |d| below this: on the ship's line
constexpr float SHIP_ALT_OFFSET = 6.0f;  // aim this far below the ship
constexpr int DOODLEBUG_MIN_ALT = 80;
constexpr float DOODLEBUG_STEER = 2.0f;
constexpr float DOODLEBUG_FINE_STEER = 0.02f;
constexpr float EXHAUST_EVERY = 5.0f;
constexpr float EXHAUST_MIN_ALT = 10.0f;
constexpr float MISSILE_HOLDS_LINE = 10.0f;  // beyond the boss's x by more: no steering

// Across-track distance of (x, y, alt) from the ship's line of flight.
float line_offset(const enemy *e, float target_alt) {
  return (e->screen_x - (shipscreenx + 24)) * 0.5f -
         ((shipscreeny + 10 + target_alt) - (e->screen_y + e->alt));
}

float clamp_velocity(float v) {
  if (v > HOMING_MAX_VELOCITY) return HOMING_MAX_VELOCITY;
  if (v < -HOMING_MAX_VELOCITY) return -HOMING_MAX_VELOCITY;
  return v;
}

homing_plane *record_of(const enemy *e) {
  for (homing_plane &h : homing_planes)
    if (h.slot == e->index) return &h;
  return nullptr;
}

}  // namespace

int is_homing_data_available(int n) {
  const int slot = homing_planes[n].slot;
  if (slot > 0 && slot < total_enemies && enemy_map[slot]->on_screen == -1 &&
      enemy_map[slot]->hit_points > 0)
    return 0;
  return -1;
}

void free_homing_record(int slot) {
  for (homing_plane &h : homing_planes)
    if (h.slot == slot) h.slot = 0;
}

void move_home_in_formation(enemy *e) {
  const int state = static_cast<int>(e->frame);
  if (state == FORMATION_START) {
    e->frame = FORMATION_MOVE;
    const int alt = static_cast<int>(e->alt);
    if (e->screen_y < FORMATION_TOP_Y) {
      start_enemy_move_target(e, FORMATION_TIME, 64, 32, alt);
      return;
    }
    // A third of them home in at once, with no record: they fly straight.
    if (game_rand() % 3 == 0) {
      e->move = move_home_in;
      return;
    }
    if (e->screen_y <= FORMATION_UPPER_Y)
      start_enemy_move_target(e, FORMATION_TIME, -64, 32, alt);
    else if (e->screen_y > (41 - lcorner / 2) * 8)
      start_enemy_move_target(e, FORMATION_SHORT_TIME, -64, 32, alt);
    else
      start_enemy_move_target(e, FORMATION_TIME, -64, -32, alt);
  } else if (state == FORMATION_MOVE) {
    move_enemy_to_target(e);
    if (e->move_time > 0) return;
    if (e->screen_y >= 0 && e->screen_x < SCREEN_W) {
      // Drop or climb to the ship's altitude, keeping the screen height of
      // the picture.
      const int dz = static_cast<int>(shipalt - SHIP_ALT_OFFSET - e->alt);
      const int alt = static_cast<int>(shipalt - SHIP_ALT_OFFSET);
      e->origin_x = static_cast<int>(e->screen_x);
      e->origin_y = static_cast<int>(e->screen_y);
      e->move_time = std::abs(dz);
      e->target_x = e->origin_x;
      e->target_y = static_cast<int>(e->screen_y - dz);
      e->target_alt = alt < MIN_MOVE_ALT ? MIN_MOVE_ALT : alt;
      e->frame = FORMATION_DIVE;
    } else {
      e->frame = FORMATION_START;
    }
  } else if (state == FORMATION_DIVE) {
    move_enemy_to_target(e);
    if (e->move_time <= 0) e->frame += game_rand() % 2 + 1;
  } else if (state == FORMATION_HOME) {
    for (int n = 0; n < HOMING_RECORDS; n++) {
      if (is_homing_data_available(n) != -1) continue;
      homing_planes[n] = {e->index, HOMING_SPEED, 0.0f, 0.0f};
      e->move = move_home_in;
      return;
    }
    e->move = move_diag_down_left;
  } else if (state == FORMATION_FLY_ON) {
    e->move = move_diag_down_left;
  }
}

void move_home_in(enemy *e) {
  const float t = time_unit;
  homing_plane *h = record_of(e);
  if (!h) {
    e->screen_y += 2 * t;
    e->screen_x -= 4 * t;
    return;
  }
  float a = shipalt - SHIP_ALT_OFFSET;
  if (a < MIN_MOVE_ALT) a = MIN_MOVE_ALT;
  const float d = line_offset(e, a);

  if (d <= -ON_LINE)
    h->lateral = clamp_velocity(h->lateral + HOMING_ACCELERATION * t);
  else if (d >= ON_LINE)
    h->lateral = clamp_velocity(h->lateral - HOMING_ACCELERATION * t);

  if (a > e->alt)
    h->climb = clamp_velocity(h->climb + HOMING_ACCELERATION * t);
  else if (static_cast<int>(a - e->alt) <= -2)
    h->climb = clamp_velocity(h->climb - HOMING_ACCELERATION * t);
  else
    h->climb = 0;

  // The sideways drift is not scaled by the tick length; only the forward
  // speed and the climb are.
  e->screen_x += 2 * h->lateral - 2 * t * h->speed;
  e->screen_y += h->lateral + t * h->speed;
  e->alt += t * h->climb;
}

void move_doodlebug(enemy *e) {
  const float t = time_unit;
  const bool missile = is_boss_missile(e);
  const float k = missile ? 1.0f : 2.0f;

  float a = shipalt - SHIP_ALT_OFFSET;
  if (!missile && a < DOODLEBUG_MIN_ALT) a = DOODLEBUG_MIN_ALT;
  const float d = line_offset(e, a);
  float v;
  if (d < -ON_LINE)
    v = DOODLEBUG_STEER;
  else if (d > ON_LINE)
    v = -DOODLEBUG_STEER;
  else
    v = -DOODLEBUG_FINE_STEER * d;
  if (missile && e->screen_x > enemy_map[borlin_boss]->screen_x + MISSILE_HOLDS_LINE) v = 0;
  v *= t;

  float climb = 0;
  if (a > e->alt)
    climb = 2 * t;
  else if (static_cast<int>(a - e->alt) <= -2)
    climb = -2 * t;

  e->frame += t;
  if (e->frame > EXHAUST_EVERY && e->alt > EXHAUST_MIN_ALT) {
    add_animation(ANIM_EXPLOSION_SMALL, e->screen_x + 35, e->screen_y - 20, -1,
                  static_cast<int>(e->alt), 1 - scroll_speed, (scroll_speed - 1) * 0.5f, 0, 1);
    e->frame = 1;
  }

  e->screen_x += 2 * v - 2 * k * t;
  e->screen_y += v + k * t;
  e->alt += climb;
}
