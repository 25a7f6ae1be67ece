#include "enemies/boss.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/homing.h"
#include "enemies/paths.h"
#include "world/state.h"
#include "platform/random.h"
#include "world/enemy_map.h"

int last_f = 0;

namespace {

constexpr int BOSS_START_DY = -177;
constexpr int MISSILE_START_DY = -250;
constexpr int DODGE_SECONDS_NUM = 35;  // a dodge lasts 35/60 of a second
constexpr int DODGE_SECONDS_DEN = 60;

// The missile, whether held or flying; null when the slot names none.
enemy *missile() {
  return enemy_is(borlin_missile, KIND_DOODLEBUG) ? enemy_map[borlin_missile] : nullptr;
}

void pick_dodge(enemy *e) {
  static constexpr int dodges[3][2] = {{-30, 0}, {-20, 10}, {0, 20}};
  const int *d = dodges[game_rand() % 3];
  // Ticks of movement from a count of display refreshes, as the round-end
  // pause (game/world.cpp): 35/60 s only at 75 Hz.
  relative_enemy_move_target(e, hz * DODGE_SECONDS_NUM / DODGE_SECONDS_DEN, d[0], d[1],
                             static_cast<int>(e->alt));
}

// Gone past an edge: the boss and its missile leave play.
void boss_gone(enemy *e) {
  e->hit_points = 0;
  e->frame = BOSS_APPROACH;
  e->move = nullptr;
  if (enemy *m = missile()) m->hit_points = 0;
}

}  // namespace

void add_boss() {
  const int y = (51 - lcorner / 2) * 8;
  borlin_boss = add_dynamic_enemy(KIND_BOSS, SCREEN_W, y + BOSS_START_DY, BOSS_ALT, move_boss);
  borlin_missile = add_dynamic_enemy(KIND_DOODLEBUG, SCREEN_W, y + MISSILE_START_DY, MISSILE_ALT,
                                     nullptr);
  free_homing_record(borlin_boss);
  free_homing_record(borlin_missile);
  enemy *b = enemy_map[borlin_boss];
  b->frame = BOSS_APPROACH;
  b->origin_x = static_cast<int>(b->screen_x);
  b->origin_y = static_cast<int>(b->screen_y);
}

void forget_boss() {
  borlin_boss = 0;
  borlin_missile = 0;
}

int boss_progress(const enemy *boss) {
  return static_cast<int>((boss->origin_x - boss->screen_x) * 0.5f +
                          (boss->screen_y - boss->origin_y));
}

void move_boss(enemy *e) {
  const float t = time_unit;
  // Only the boss the world step recorded carries the missile.
  enemy *m = enemy_is(borlin_boss, KIND_BOSS) && enemy_map[borlin_boss] == e ? missile() : nullptr;
  switch (static_cast<int>(e->frame)) {
    case BOSS_APPROACH: {
      if (e->hit_points == 0) break;
      e->screen_x -= 0.5f * t;
      e->screen_y += 0.25f * t;
      const int p = boss_progress(e);
      if (p >= BOSS_DODGE_FROM && p <= BOSS_DODGE_TO) {
        e->move_time = 0;
        e->frame = BOSS_DODGE;
      }
      if (p > BOSS_LEAVES_AFTER) e->frame = BOSS_LEAVE;
      if (p > BOSS_FIRES_AFTER && m && !m->move) m->move = move_doodlebug;
      break;
    }
    case BOSS_LEAVE:
      e->screen_x += 2 * t;
      e->screen_y -= t;
      if (e->screen_x < 0 || e->screen_x >= SCREEN_W) {
        boss_gone(e);
        return;
      }
      break;
    case BOSS_DODGE:
      move_enemy_to_target(e);
      if (boss_progress(e) >= BOSS_DODGE_ENDS) e->frame = BOSS_APPROACH;
      break;
    case BOSS_SHAKEN: {
      // Shaken up and down; the point under it stays where it was.
      const int half = static_cast<int>(e->move_time * 0.5f);
      if (half != last_f) {
        const int ground = static_cast<int>(e->alt + e->screen_y);
        e->alt += 4 - game_rand() % 8;
        if (e->alt < BOSS_MIN_SHAKEN_ALT) e->alt = BOSS_MIN_SHAKEN_ALT;
        if (e->alt > BOSS_MAX_SHAKEN_ALT) e->alt = BOSS_MAX_SHAKEN_ALT;
        e->screen_y = ground - e->alt;
        last_f = half;
      }
      e->move_time -= t;
      if (e->move_time < 0) {
        e->screen_y = static_cast<int>(e->alt + e->screen_y) - BOSS_ALT;
        e->alt = BOSS_ALT;
        e->frame = BOSS_APPROACH;
      }
      break;
    }
  }
  if (e->frame == BOSS_DODGE && e->move_time == 0) pick_dodge(e);
  // Until it is fired the missile rides on the boss.
  if (m && !m->move) {
    m->screen_x = e->screen_x + MISSILE_RIDE_DX;
    m->screen_y = e->screen_y + MISSILE_RIDE_DY;
    m->alt = e->alt + MISSILE_RIDE_DALT;
  }
}
