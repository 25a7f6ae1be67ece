#include "game/ground_enemies.h"

#include <allegro.h>

#include <cmath>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/boss.h"
#include "enemies/launchers.h"
#include "world/position.h"
#include "world/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

int force_field_onscreen = 0;
int force_field_x = 0;
int doodlebug_onscreen = 0;
int doodlebug_x = 0;
int s_force_field_playing = 0;
int s_doodlebug_playing = 0;
int rand_blocks[WALL_BLOCK_HANDLES];
int fortress1_too_high = 0;

namespace {

constexpr int YELLOW_ROCKET_LEAD = 80;
constexpr int RED_ROCKET_LEAD = 70;
constexpr int LOOP_VOLUME = 100;
constexpr int LOOP_FREQUENCY = 1000;
constexpr float FIRST_ODDS = 100.0f;

// Placement with a negative scroll rounds downward.
int floor_int(float v) { return static_cast<int>(std::floor(v)); }

void open_blocks(std::initializer_list<int> names) {
  for (int name : names) enemy_map[rand_blocks[name]]->hit_points = 0;
}

bool is_force_field(int kind) {
  return kind == KIND_FORCE_FIELD || kind == KIND_FORCE_FIELD_2 || kind == KIND_FORCE_FIELD_1 ||
         kind == KIND_FORCE_FIELD_3;
}

// The list (-1 dynamic, 0 static) of a placed enemy.
int placed_list(int kind) {
  return is_rocket(kind) || kind == KIND_DOODLEBUG || kind == KIND_BOSS ? -1 : 0;
}

// A looped sound that plays while its source is on screen and follows it.
void keep_loop(int onscreen, int x, int sample, int &playing) {
  SAMPLE *s = common_sample(sample);
  const int pan = effect_pan(static_cast<float>(x));
  if (onscreen == -1) {
    if (playing == -1) {
      if (s) adjust_sample(s, LOOP_VOLUME, pan, LOOP_FREQUENCY, 1);
    } else {
      if (s) play_sample(s, LOOP_VOLUME, pan, LOOP_FREQUENCY, 1);
      playing = -1;
    }
  } else if (playing == -1) {
    if (s) stop_sample(s);
    playing = 0;
  }
}

// One enemy shot from the enemy in slot i, whose image stands at (X, B).
void fire(const enemy *e, float X, float B) {
  const int slot = first_free_bullet(enemy_bullets, ENEMY_BULLETS);
  if (slot < 0) return;
  bullet &b = enemy_bullets[slot];
  const bool flying_plane = e->type == KIND_PLANE && e->map_x <= 0;
  b.alt = flying_plane ? static_cast<int>(e->alt) : ENEMY_SHOT_ALT;
  float fx = 0, fy = 0;
  bool flash = true;
  switch (e->type) {
    case KIND_GREEN_TURRET_LEFT:
      b.direction = SHOT_DOWN_RIGHT;
      b.x = X + 70;
      b.y = B - 5;
      fx = X + 70;
      fy = B - 8;
      break;
    case KIND_GREEN_TURRET_RIGHT:
      b.direction = SHOT_UP_LEFT;
      b.x = X - 4;
      b.y = B - 40;
      fx = X - 2;
      fy = B - 40;
      break;
    default:
      b.direction = SHOT_DOWN_LEFT;
      b.x = X - 4;
      b.y = B - 8;
      fx = X;
      fy = B - 11;
      flash = e->type == KIND_BLUE_TURRET;
      break;
  }
  b.active = -1;
  play_effect(BORLIN_ENEMY_SHOT_SAMPLE, effect_pan(b.x));
  enemy_bullet_last_fired = static_cast<unsigned int>(this_time);
  if (flash)
    add_animation(ANIM_EXPLOSION_MEDIUM, fx, fy, -1, ENEMY_SHOT_ALT, -scroll_speed,
                  scroll_speed * 0.5f, 0, 1);
}

}  // namespace

int enemy_fire_odds(int round) {
  return static_cast<int>(FIRST_ODDS / (round * 0.5f + 0.5f) + 1);
}

bool enemy_may_fire(int kind, bool dynamic, int round) {
  switch (kind) {
    case KIND_BLUE_TURRET:
    case KIND_SUPER_BLUE_TURRET:
      return true;
    case KIND_GREEN_TURRET_LEFT:
    case KIND_GREEN_TURRET_RIGHT:
      return round >= 2;
    case KIND_PLANE:
      return dynamic || round >= 2;
    default:
      return false;
  }
}

bool enemy_fire_interval_over() {
  // Both sides signed: just after a clock reset this_time - 3000 is
  // negative, and an unsigned compare would let every turret fire at once.
  return static_cast<long long>(static_cast<int>(enemy_bullet_last_fired)) <
         static_cast<long long>(this_time) - ENEMY_FIRE_INTERVAL;
}

void raise_loop_sample_priorities() {
  for (int i : {BORLIN_ENGINE_GROUND_SAMPLE, BORLIN_ENGINE_SPACE_SAMPLE, BORLIN_DOODLEBUG_SAMPLE,
                BORLIN_FORCE_FIELD_HUM_SAMPLE})
    if (SAMPLE *s = common_sample(i)) s->priority = LOOP_SAMPLE_PRIORITY;
}

void clear_dynamic_enemies() {
  for (int i = total_loaded_enemies; i < total_enemies; i++) enemy_map[i]->hit_points = 0;
}

void init_enemies() {
  for (int i = 0; i < total_loaded_enemies; i++) {
    enemy *e = enemy_map[i];
    const enemy_type *t = enemy_type_list[e->type];
    e->hit_points = t->hit_points;
    e->launch_position = 0;
    if (is_rocket(e->type)) {
      e->alt = t->start_alt;
      e->launch_position = e->map_x * 8 - e->map_y * 4 +
                           (e->type == KIND_YELLOW_ROCKET ? YELLOW_ROCKET_LEAD : RED_ROCKET_LEAD);
    }
    e->frame = 0;
    e->screen_x = e->screen_y = -1;
  }
  clear_dynamic_enemies();

  for (int h = 0; h < WALL_BLOCK_HANDLES; h++) {
    const wall_block_handle &w = wall_block_handles[h];
    rand_blocks[h] = get_spriteid_at_mapxy(w.kind, w.m, w.n);
  }
  forget_boss();
  for (int h = 0; h < WALL_BLOCK_HANDLES; h++)
    if (h != RAND_BLOCK3 && h != RAND_BLOCK4) enemy_map[rand_blocks[h]]->hit_points = INDESTRUCTIBLE;

  if (current_player->round <= 1) {
    open_blocks({game_rand() % 2 == 1 ? RAND_BLOCK1 : RAND_BLOCK2});
    open_blocks({RAND_BLOCK4, RAND_BLOCK10, RAND_BLOCK11, RAND_BLOCK11B, RAND_BLOCK12, RAND_BLOCK13,
                 RAND_BLOCK14, RAND_BLOCK15, RAND_BLOCK15B, RAND_BLOCK16, RAND_BLOCK16B});
    switch (game_rand() % 3) {
      case 0:
        open_blocks({RAND_BLOCK6, RAND_BLOCK7});
        break;
      case 1:
        open_blocks({RAND_BLOCK7, RAND_BLOCK8, RAND_BLOCK8B});
        break;
      default:
        open_blocks({RAND_BLOCK8, RAND_BLOCK8B, RAND_BLOCK9, RAND_BLOCK9B});
        break;
    }
  } else {
    switch (game_rand() % 3) {
      case 0:
        open_blocks({RAND_BLOCK6});
        break;
      case 1:
        open_blocks({RAND_BLOCK7});
        break;
      default:
        open_blocks({RAND_BLOCK8, RAND_BLOCK8B});
        break;
    }
  }
}

void enemy_logic() {
  const int view_end = static_cast<int>((big_screen_w + scrollpos) / 8);
  const int first = logic_map[2 * range_index];
  const int last = logic_map[2 * range_index + 1];
  const int next_first = logic_map[2 * range_index + 2];
  const int next_last = logic_map[2 * range_index + 3];
  const float next_scroll = (next_first - last) * 8 + scrollpos;
  const int round = current_player->round;

  clear_scrolled_spritemap();
  force_field_onscreen = 0;
  doodlebug_onscreen = 0;
  planes_onscreen = 0;

  for (int i = 0; i < total_enemies; i++) {
    enemy *e = enemy_map[i];
    const int kind = e->type;
    const enemy_type *t = enemy_type_list[kind];
    const int was_on_screen = e->on_screen;
    e->on_screen = 0;
    if (e->hit_points <= 0 && !t->wreck) continue;

    const bool dynamic = e->map_x <= 0;
    const float A = e->alt;
    float X, B;
    int list, mode;
    if (dynamic) {
      X = e->screen_x;
      B = e->screen_y;
      list = -1;
      mode = kind == KIND_BOSS ? 1 : 0;
    } else {
      list = placed_list(kind);
      mode = list == 0 || kind == KIND_BOSS ? 1 : 0;
      if (was_on_screen == -1 && e->screen_x > 0 && list == 0 && scrolled_x >= 1) {
        // On screen already: it moves with the floor.
        e->screen_x -= scrolled_x;
        e->screen_y += scrolled_y;
        X = static_cast<float>(static_cast<int>(e->screen_x - t->width / 2));
        B = e->screen_y + t->height / 2;
      } else {
        float S = scrollpos;
        if (last < view_end) {
          // The view reaches past this stretch: enemies of the next one
          // are placed with the next stretch's scroll value.
          if (first <= e->map_x && e->map_x < last) {
          } else if (next_first != first && next_first <= e->map_x && e->map_x < next_last) {
            S = next_scroll;
          } else {
            continue;
          }
        }
        X = static_cast<float>(t->screen_dx + 8 * e->map_x - floor_int(S));
        B = t->screen_dy + ystart + floor_int(S * 0.5f) - 4 * e->map_x + 4 * e->map_y - 12 - A;
        e->screen_x = static_cast<float>(static_cast<int>(X + t->width / 2));
        e->screen_y = static_cast<float>(static_cast<int>(B - t->height / 2));
      }
    }

    if (X + t->width > 0 && X < big_screen_w) {
      if (e->hit_points < 1) {
        if (t->wreck && over_ground == -1 && !e->move)
          add_screen_object(t->wreck, -1, 0, nullptr, nullptr, X, B - t->wreck->h, 0, A, 0, 1, 0);
      } else {
        e->on_screen = -1;
        add_screen_object(t->sprite, t->anim_type, e->frame, t->contour, t->shadow, X,
                          B - t->height, 0, A, list, mode, i);
        if (t->anim_type >= 0) {
          e->frame += time_unit;
          if (anim_type_list[t->anim_type] && e->frame >= anim_type_list[t->anim_type]->frames)
            e->frame = 0;
        }
        // Rolled once a frame whatever its length, as the stars are (world.cpp):
        // more fire at a higher refresh rate. Change both or neither.
        if (enemy_may_fire(kind, dynamic, round) && game_rand() % enemy_fire_odds(round) == 1 &&
            enemy_fire_interval_over())
          fire(e, X, B);
      }
    }

    if (e->on_screen == -1) {
      if (is_force_field(kind)) {
        force_field_onscreen = -1;
        force_field_x = static_cast<int>(X);
      } else if (kind == KIND_DOODLEBUG) {
        doodlebug_onscreen = -1;
        doodlebug_x = static_cast<int>(X);
      } else if (kind == KIND_PLANE) {
        planes_onscreen++;
      }
    } else {
      e->spritemap_columns = 0;
      e->spritemap_y = 0;
      if (dynamic) {
        // A launched enemy that has left by the left or the top is gone;
        // one still to come in from the right keeps its own position.
        if (X < big_screen_w) e->hit_points = 0;
      } else {
        e->screen_x = e->screen_y = -1;
      }
    }
  }

  keep_loop(force_field_onscreen, force_field_x, BORLIN_FORCE_FIELD_HUM_SAMPLE,
            s_force_field_playing);
  keep_loop(doodlebug_onscreen, doodlebug_x, BORLIN_DOODLEBUG_SAMPLE, s_doodlebug_playing);
}

void enemy_bullet_logic() {
  for (bullet &b : enemy_bullets) {
    if (b.active == 0) continue;
    const int X = static_cast<int>(b.x);
    const int Y = static_cast<int>(b.y);
    const int A = b.alt;
    int n;
    if (b.direction == SHOT_UP_LEFT)
      n = detect_sprite_in_front(X, Y, A);
    else if (b.direction == SHOT_DOWN_RIGHT)
      n = detect_sprite_in_front(X + 24, Y + 14, A);
    else
      n = detect_sprite_in_front(X, Y + 14, A);

    if (n >= 0 && n < total_enemies && enemy_map[n]->type < ENEMY_KIND_COUNT) {
      b.active = 0;
    } else if (demomode_flag != -1 && end_life != -1 && ghostship_flag != -1 &&
               shipalt - 4 <= A && A <= shipalt + 5 && shipscreenx - 22 < X + 24 &&
               X < shipscreenx + 22 && shipscreeny + 2 < Y + 14 && Y < shipscreeny + 33) {
      // The demo has no ship: its invisible stand-in is never hit.
      ship_explosion();
    }
    BITMAP *image = b.direction == SHOT_DOWN_LEFT ? enemy_bullet : enemy_bullet_left;
    add_screen_object(image, -1, 0, nullptr, image, X, Y, -1, A, -1, 0, 0);
  }
}

void doodlebug_logic() {
  if (inside_fortress != 1 || shipalt < ALT_WATCH_HEIGHT)
    fortress1_too_high = static_cast<int>(scrollpos);
  if (scrollpos - fortress1_too_high > ALT_WATCH_DISTANCE && doodlebug_onscreen != -1) {
    const int q = fold_map_position(
        static_cast<int>(((SCREEN_H + big_screen_w) / 2 + scrollpos + ystart) * 0.125f));
    if (inside_fortress_at_pos(q) == 1) {
      add_doodlebug();
      fortress1_too_high = static_cast<int>(scrollpos + ALT_WATCH_DISTANCE);
    }
  }
}
