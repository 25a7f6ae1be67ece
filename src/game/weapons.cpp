#include "game/weapons.h"

#include <allegro.h>

#include <algorithm>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/homing.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "render/background.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"

bullet ship_bullets[SHIP_BULLETS];
bullet enemy_bullets[ENEMY_BULLETS];

namespace {

constexpr int EFFECT_VOLUME = 100;
constexpr int EFFECT_FREQUENCY = 1000;
constexpr int CENTRE_PAN = 128;
constexpr int MAX_PAN = 255;

// Shots move 8 across and 4 up per tick; enemy shots 4 and 2.
constexpr float SHIP_SHOT_DX = 8.0f;
constexpr float SHIP_SHOT_DY = 4.0f;
constexpr float ENEMY_SHOT_DX = 4.0f;
constexpr float ENEMY_SHOT_DY = 2.0f;
// Enemy shots flying up-left or down-right leave the strip at these
// diagonals (x / 2 + y against ystart).
constexpr int STRIP_TOP_EDGE = 110;
constexpr int STRIP_BOTTOM_EDGE = 393;

// The probes along a shot's nose and the ship's body.
constexpr int NOSE_PROBES_FROM = 9, NOSE_PROBES_TO = 30, NOSE_PROBE_STEP = 3;
constexpr int BODY_PROBES_TO = 35, BODY_PROBE_STEP = 5;

// Rockets wait until the ship, looking ahead by its height, has passed
// their launch value; they puff smoke every few ticks of climbing.
constexpr float ROCKET_LOOKAHEAD = 1.5f;
constexpr float SMOKE_EVERY = 5.0f;
constexpr float SMOKE_FROM_ALT = 10.0f;

// Where a fuel tank's kill leaves the sinking ship.
constexpr float LOWEST_HELD_ALT = 11.0f;
constexpr float CAUGHT_CLIMB = 2.0f;

// The scenery's motion on screen per tick, which debris and labels share.
float scenery_dx() { return -scroll_speed; }
float scenery_dy() { return scroll_speed * 0.5f; }

// The explosion of an enemy, placed and moving as debris of that enemy.
void explode_at(const enemy *e, int anim) {
  const enemy_type *t = enemy_type_list[e->type];
  const bool placed = e->map_x > 0;
  const int frame_h = anim_type_list[anim] ? anim_type_list[anim]->height : 0;
  const int offset = placed ? 0 : (t->height - frame_h) / 2 - t->height;
  float vx, vy, valt;
  if (inside_fortress == 0) {
    vx = -4.0f - scroll_speed;
    vy = scroll_speed * 0.5f + 2.0f;
    valt = 0.0f;
  } else {
    vx = scenery_dx();
    vy = scenery_dy();
    valt = -0.5f;
  }
  add_animation(anim, e->screen_x, e->screen_y + offset - 10, placed ? -1 : 0,
                static_cast<int>(e->alt + 10), vx, vy, valt, 1);
}

// The boss flash: the palette is set straight away and stays until the
// next hit. Only the boss's own ramp differs between the two, and the boss
// is drawn through the palette in every depth, so it alone flashes. A
// video copy of the boss (none is ever made) would be converted in the
// flash colours and the normal palette set again.
void boss_flash(int palette) {
  show_palette(palette);
  const enemy_type *t = enemy_type_list[KIND_BOSS];
  if (bpp > 8 && copy_video_sprite(t)) show_palette(BORLIN_NORMAL_PALETTE);
}

// A hit on the missile the boss still holds: its weak point. Returns false
// when ship_bullet_logic must stop for this tick.
bool hit_boss_weak_point() {
  enemy *boss = enemy_map[borlin_boss];
  enemy *missile = enemy_map[borlin_missile];
  if (static_cast<int>(boss->frame) == BOSS_SHAKEN) return false;

  // The flash: palette 45 and 43 take turns with every hundred lost.
  const int flash = (boss->hit_points / BOSS_HIT_DAMAGE) % 2 != 0 ? BORLIN_BOSS_FLASH_PALETTE
                                                                   : BORLIN_NORMAL_PALETTE;
  boss_flash(flash);

  boss->hit_points -= BOSS_HIT_DAMAGE;
  boss->frame = BOSS_SHAKEN;
  boss->move_time = BOSS_SHAKE_TIME;
  if (boss->hit_points >= 1) return true;

  enemy_explosion(boss, ANIM_EXPLOSION_LARGE);
  enemy_explosion(missile, ANIM_EXPLOSION_MEDIUM);
  boss->frame = 0;  // now counts the ticks to the round's end
  last_score = current_player->score;
  add_score(BOSS_BONUS);
  boss_bonus_paid = BOSS_BONUS;
  return false;
}

// One hit point off an ordinary enemy, and what destroying it brings.
void hit_enemy(int n, int alt) {
  enemy *e = enemy_map[n];
  // Walls and blocks too: a thousand shots wear one down.
  if (--e->hit_points > 0) return;
  const bool fired_missile =
      n == borlin_missile && enemy_is(n, KIND_DOODLEBUG) && live_enemy_is(borlin_boss, KIND_BOSS);
  if (fired_missile) enemy_map[borlin_boss]->frame = BOSS_LEAVING;  // its fired missile is down
  enemy_explosion(e, ANIM_EXPLOSION_LARGE);

  const int points = shot_score(e->type, alt);
  last_score = current_player->score;
  add_score(points);
  if (fired_missile) boss_bonus_paid = points;
  if (e->type == KIND_PLANE && enemy_planes > 0) enemy_planes--;
  if (e->type == KIND_FUEL || e->type == KIND_SATELLITE) {
    refill_fuel();
    return;
  }
  int label = -1;
  if (points == 1000) label = ANIM_POINTS_1000;
  if (points == 500) label = ANIM_POINTS_500;
  if (points == 200) label = ANIM_POINTS_200;
  if (label >= 0)
    add_animation(label, e->screen_x + 30, e->screen_y - 10, -1, static_cast<int>(e->alt),
                  scenery_dx(), scenery_dy(), 0, 1);
}

}  // namespace

int effect_pan(float x) { return std::clamp(static_cast<int>(x), 0, MAX_PAN); }

void play_effect(int sample, int pan) {
  play_common_sample(sample, EFFECT_VOLUME, pan, EFFECT_FREQUENCY, 0);
}

bool live_enemy_is(int index, int type) {
  return enemy_is(index, type) && enemy_map[index]->hit_points > 0;
}

int first_free_bullet(const bullet *slots, int count) {
  for (int i = 0; i < count; i++)
    if (slots[i].active == 0) return i;
  return -1;
}

void free_all_bullets() {
  for (bullet &b : ship_bullets) b = bullet{};
  for (bullet &b : enemy_bullets) b = bullet{};
}

void add_score(int points) {
  const int old = current_player->score;
  current_player->score += points;
  const int passed = current_player->score / EXTRA_SHIP_SCORE - old / EXTRA_SHIP_SCORE;
  if (passed > 0) current_player->lives += passed;
}

void refill_fuel() {
  if (fuel == 0) altspeed = shipalt > LOWEST_HELD_ALT ? 0 : CAUGHT_CLIMB;
  fuel = std::min(fuel + FUEL_REFILL, FULL_FUEL);
}

int shot_score(int kind, int alt) {
  const enemy_type *t = enemy_type_list[kind];
  return alt <= LOW_SHOT_ALT ? t->score_low : t->score_high;
}

void move_bullets() {
  const float tu = time_unit;
  for (bullet &b : ship_bullets) {
    if (b.active == 0) continue;
    b.x += SHIP_SHOT_DX * tu;
    b.y -= SHIP_SHOT_DY * tu;
    if (b.y < 0 || b.x >= SCREEN_W) b.active = 0;
  }
  for (bullet &b : enemy_bullets) {
    if (b.active == 0) continue;
    b.x += tu * scenery_dx();
    b.y += tu * scenery_dy();
    switch (b.direction) {
      case SHOT_UP_LEFT:
        b.x -= ENEMY_SHOT_DX * tu;
        b.y -= ENEMY_SHOT_DY * tu;
        if (b.x < 0 || b.x * 0.5f + b.y < ystart + STRIP_TOP_EDGE) b.active = 0;
        break;
      case SHOT_DOWN_RIGHT:
        b.x += ENEMY_SHOT_DX * tu;
        b.y += ENEMY_SHOT_DY * tu;
        if (b.y >= SCREEN_H || b.x * 0.5f + b.y >= ystart + STRIP_BOTTOM_EDGE) b.active = 0;
        break;
      default:
        b.x -= ENEMY_SHOT_DX * tu;
        b.y += ENEMY_SHOT_DY * tu;
        if (b.x < 0 || b.y >= SCREEN_H) b.active = 0;
        break;
    }
  }
}

int bullet_hit_detect(int x, int y, int alt) {
  int n = detect_sprite_with_width(x, y, alt);
  if (n < 0) n = detect_sprite_with_width(x - 3, y + 1, alt);
  if (n < 0) n = detect_sprite_with_width(x - 6, y + 3, alt);
  for (int t = NOSE_PROBES_FROM; n < 0 && t <= NOSE_PROBES_TO; t += NOSE_PROBE_STEP)
    n = detect_sprite_with_width(x - t, y + t / 2, alt);
  return n;
}

int ship_hit_detect(int x, int y, int alt) {
  int n = detect_sprite_with_width(x - 20, y + 15, alt);
  if (n < 0) n = detect_sprite_with_width(x - 15, y + 13, alt);
  if (n < 0) n = detect_sprite_with_width(x + 4, y + 26, alt);
  if (n < 0) n = detect_sprite_with_width(x + 6, y + 20, alt);
  for (int t = 0; n < 0 && t <= BODY_PROBES_TO; t += BODY_PROBE_STEP)
    n = detect_sprite_with_width(x + 23 - t, y + 3 + t / 2, alt);
  return n;
}

void ship_collision_detection() {
  // Ticks against display refreshes, as the round-end pause (world.cpp).
  if (end_life == -1 || game_time <= GRACE_SECONDS * hz || ghostship_flag == -1) return;
  const int n = ship_hit_detect(static_cast<int>(shipscreenx), static_cast<int>(shipscreeny),
                                static_cast<int>(shipalt));
  if (n < 0 || n >= total_enemies) return;
  ship_explosion();
  enemy *e = enemy_map[n];
  if (e->type < ENEMY_KIND_COUNT && e->hit_points > 0 && --e->hit_points <= 0)
    enemy_explosion(e, ANIM_EXPLOSION_LARGE);
}

void ship_explosion() {
  add_animation(ANIM_EXPLOSION_LARGE, shipscreenx, shipscreeny, -1, static_cast<int>(shipalt),
                zspeed * 0.125f - 1.5f, zspeed * 0.0625f + 0.75f, -1.0f, 1);
  play_effect(BORLIN_SHIP_EXPLOSION_SAMPLE, effect_pan(shipscreenx));
  end_life = -1;
  ship_state = 100;
}

void enemy_explosion(enemy *e, int anim) {
  e->hit_points = 0;
  free_homing_record(e->index);
  explode_at(e, anim);
  clear_last_sprite(e);
  play_effect(BORLIN_ENEMY_EXPLOSION_SAMPLE, effect_pan(e->screen_x));
}

void ship_bullet_logic() {
  BITMAP *image = ship_bullet;
  const int half_w = image ? image->w / 2 : 0;
  for (bullet &b : ship_bullets) {
    if (b.active == 0) continue;
    const int x0 = static_cast<int>(half_w + b.x - 1);
    const int y0 = static_cast<int>(b.y - 8);
    const int n = bullet_hit_detect(x0, y0, b.alt);
    if (n >= 0 && n < total_enemies && enemy_map[n]->type < ENEMY_KIND_COUNT) {
      enemy *e = enemy_map[n];
      b.active = 0;
      if (enemy_type_list[e->type]->hit_points > SOFT_TARGET_HIT_POINTS) {
        play_effect(BORLIN_ENEMY_EXPLOSION_SAMPLE, effect_pan(x0));
        add_animation(ANIM_EXPLOSION_MEDIUM, x0, y0, -1, b.alt, scenery_dx(), scenery_dy(), 0, 1);
      }
      if (e->hit_points > 0) {
        if (n == borlin_missile && e->move == nullptr && live_enemy_is(n, KIND_DOODLEBUG) &&
            live_enemy_is(borlin_boss, KIND_BOSS)) {
          if (!hit_boss_weak_point()) return;
        } else {
          hit_enemy(n, b.alt);
        }
      }
    }
    add_screen_object(image, -1, 0, nullptr, image, b.x, b.y, -1, b.alt, -1, 0, 0);
  }
}

void move_rockets() {
  const float tu = time_unit;
  for (int i = 0; i < total_enemies; i++) {
    enemy *e = enemy_map[i];
    if (e->move && e->hit_points > 0) e->move(e);
    if (!is_rocket(e->type) || e->hit_points <= 0) continue;
    if (e->alt >= ROCKET_BURST_ALT) {
      enemy_explosion(e, ANIM_EXPLOSION_MEDIUM);
      continue;
    }
    if (e->on_screen != -1) continue;
    // "Passes" is strictly beyond: a ship exactly at the value waits.
    if (e->frame == 0 && shipalt * ROCKET_LOOKAHEAD + scrollpos > e->launch_position) {
      play_effect(BORLIN_ROCKET_LAUNCH_SAMPLE, CENTRE_PAN);
      e->frame = 1;
    }
    if (e->frame <= 0) continue;
    // In flight it leaves the floor's sprite map and re-enters as it moves.
    e->spritemap_columns = 0;
    e->spritemap_y = 0;
    e->frame += tu;
    e->alt += tu;
    if (e->frame > SMOKE_EVERY && e->alt > SMOKE_FROM_ALT) {
      add_animation(ANIM_EXPLOSION_SMALL, e->screen_x, e->screen_y + 16, -1,
                    static_cast<int>(e->alt - 16), scenery_dx(), scenery_dy(), -1.5f, 1);
      e->frame = 1;
    }
  }
}
