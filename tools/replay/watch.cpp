#include "watch.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "display/frame.h"
#include "enemies/events.h"
#include "enemies/homing.h"
#include "world/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "world/enemy_kinds.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

namespace {

constexpr uint64_t FNV_OFFSET = 14695981039346656037ull;
constexpr uint64_t FNV_PRIME = 1099511628211ull;

struct fnv {
  uint64_t h = FNV_OFFSET;
  void bytes(const void *p, size_t n) {
    const unsigned char *c = static_cast<const unsigned char *>(p);
    for (size_t i = 0; i < n; i++) h = (h ^ c[i]) * FNV_PRIME;
  }
  // Field by field: padding between a record's fields is never read.
  template <class T> fnv &operator<<(const T &v) {
    bytes(&v, sizeof v);
    return *this;
  }
};

std::string line(long frame, const char *format, int a, int b = 0, int c = 0) {
  char text[96];
  const int n = snprintf(text, sizeof text, "%8ld ", frame);
  snprintf(text + n, sizeof text - n, format, a, b, c);
  return std::string(text) + "\n";
}

const char *const BOSS_WORDS[] = {"gone", "fighting, hit points %d", "out of play, hit points %d before"};
const char *const MISSILE_WORDS[] = {"gone", "held", "launched"};

}  // namespace

watched_state watch_now() {
  watched_state s{};
  s.lives = current_player->lives;
  s.round = current_player->round;
  s.stage = current_player->stage;
  s.stretch = range_index;
  s.score = current_player->score;
  s.ship_hit = ship_state >= 100;
  s.position = static_cast<int>(scrollpos * 0.125f);
  s.ship_across = static_cast<int>(shipz);
  s.ship_alt = static_cast<int>(shipalt);
  if (enemy_is(borlin_boss, KIND_BOSS)) {
    s.boss_hit_points = enemy_map[borlin_boss]->hit_points;
    s.boss = s.boss_hit_points > 0 ? BOSS_FIGHTING : BOSS_OUT;
  }
  if (enemy_is(borlin_missile, KIND_DOODLEBUG))
    s.missile = enemy_map[borlin_missile]->move ? MISSILE_LAUNCHED : MISSILE_HELD;
  return s;
}

std::string changes_between(long frame, const watched_state &before, const watched_state &now) {
  std::string out;
  if (now.round != before.round) out += line(frame, "round %d", now.round);
  if (now.stretch != before.stretch) out += line(frame, "stretch %d", now.stretch);
  if (now.stage != before.stage) out += line(frame, "stage %d", now.stage);
  if (now.ship_hit && !before.ship_hit) 
    out += line(frame, "ship hit at position %d, across %d, altitude %d", now.position, now.ship_across,
                now.ship_alt);
  if (now.lives < before.lives) out += line(frame, "life lost, %d left", now.lives);
  if (now.lives > before.lives) out += line(frame, "lives %d", now.lives);
  if (now.score != before.score) out += line(frame, "score %d", now.score);
  if (now.boss != before.boss || now.boss_hit_points != before.boss_hit_points) {
    // Out of play: shot down, or past an edge with its hit points left.
    const int shown = now.boss == BOSS_OUT ? before.boss_hit_points : now.boss_hit_points;
    out += line(frame, (std::string("boss ") + BOSS_WORDS[now.boss]).c_str(), shown);
  }
  if (now.missile != before.missile)
    out += line(frame, (std::string("missile ") + MISSILE_WORDS[now.missile]).c_str(), 0);
  return out;
}

uint64_t game_state_hash() {
  fnv f;
  const player &p = *current_player;
  f << p.score << p.round << p.stage << p.cheated << p.lives;
  f << scrollpos << scroll_x << scroll_offset << logicpos << range_index;
  f << shipz << shipalt << zspeed << altspeed << shipscreenx << shipscreeny << shippos << fuel;
  f << end_life << ship_state << borlin_boss << borlin_missile << enemy_planes;
  f << ship_bullet_last_fired << enemy_bullet_last_fired << inside_fortress << over_ground;
  f << scroll_speed << game_time << time_unit << game_rand_state();
  f << formation_count << direction << last_position << last_event_stretch;
  f << total_enemies;
  for (int i = 0; i < total_enemies; i++) {
    const enemy &e = *enemy_map[i];
    f << e.type << e.map_x << e.map_y << e.alt << e.hit_points << e.on_screen;
    f << e.spritemap_columns << e.spritemap_y << e.frame << e.launch_position;
    f << e.screen_x << e.screen_y << e.move_time << e.origin_x << e.origin_y;
    f << e.target_x << e.target_y << e.target_alt << (e.move != nullptr);
  }
  for (const bullet *list : {ship_bullets, enemy_bullets}) {
    const int n = list == ship_bullets ? SHIP_BULLETS : ENEMY_BULLETS;
    for (int i = 0; i < n; i++) {
      const bullet &b = list[i];
      f << b.active;
      if (b.active) f << b.x << b.y << b.alt << b.direction;
    }
  }
  for (const animation &a : anim_list) {
    f << a.count;
    if (a.count > 0) f << a.type << a.x << a.y << a.centred << a.alt << a.frame << a.dx << a.dy << a.dalt;
  }
  for (const homing_plane &h : homing_planes) f << h.slot << h.speed << h.lateral << h.climb;
  return f.h;
}

uint64_t picture_hash(const BITMAP *b) {
  fnv f;
  const size_t row = static_cast<size_t>(b->w) * ((bitmap_color_depth(const_cast<BITMAP *>(b)) + 7) / 8);
  for (int y = 0; y < b->h; y++) f.bytes(b->line[y], row);
  return f.h;
}
