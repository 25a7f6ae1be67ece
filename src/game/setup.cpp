#include "game/setup.h"

#include <allegro.h>

#include "display/frame.h"
#include "enemies/boss.h"
#include "enemies/events.h"
#include "game/ground_enemies.h"
#include "game/weapons.h"
#include "render/animations.h"
#include "render/background.h"
#include "render/palette.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/scroll.h"
#include "world/state.h"

void stop_engine_noise() {
  stop_common_sample(BORLIN_ENGINE_SPACE_SAMPLE);
  stop_common_sample(BORLIN_ENGINE_GROUND_SAMPLE);
}

void init_game() {
  start_next_round = init_round;
  current_player->score = 0;
  current_player->name[0] = '\0';
  current_player->round = 1;
  current_player->cheated = 0;
  // Single steps belong to the game they were turned on in: the next one
  // starts running, not frozen on a black screen.
  paused = 0;
  play_common_sample(BORLIN_ENEMY_SHOT_SAMPLE, 100, 128, 1000, 0);
  init_round();
}

void init_round() {
  if (demomode_flag == -1) {
    place_scroll(DEMO_START_STRETCH, DEMO_START_SCROLL);
    my_set_pallete(BORLIN_DEMO_PALETTE, CLEAR_PICTURE);
  } else {
    place_scroll(0, current_player->round == 1 ? FIRST_ROUND_START_SCROLL : 0);
    my_set_pallete(BORLIN_NORMAL_PALETTE, CLEAR_PICTURE);
  }
  align_scroll_steps();

  init_enemies();
  enemy_planes = ENEMY_PLANES_PER_ROUND;

  // A restart must not leave the old round's engine loop playing under the new one.
  stop_engine_noise();
  over_ground = 0;
  play_common_sample(BORLIN_ENGINE_SPACE_SAMPLE, ENGINE_START_VOLUME, 128, 1000, 1);

  reset_timing();
  at_new_position();
  ship_bullet_last_fired = 0;
  enemy_bullet_last_fired = 0;
}

void init_life() {
  shipscreenx = shipscreeny = 0;
  ship_state = 0;
  zspeed = altspeed = 0;
  end_life = 0;
  shipz = SHIPZ_START;
  shipalt = SHIPALT_START;
  fuel = FULL_FUEL;
  at_new_position();
  forget_boss();
}

void at_new_position() {
  settle_scroll();
  ship_bullet_last_fired = 0;
  enemy_bullet_last_fired = 0;
  restart_formation();

  free_all_bullets();

  for (int i = 0; i < total_enemies; i++) {
    enemy *e = enemy_map[i];
    e->index = i;
    e->on_screen = 0;
    e->spritemap_columns = 0;
    e->spritemap_y = 0;
    e->screen_x = e->screen_y = -1;
    if (is_rocket(e->type)) {
      if (e->alt > 0) e->hit_points = 0;
      if (e->hit_points) {
        // Only its height goes back: one launched just before keeps its
        // frame, so it climbs again without a second trigger or sound.
        e->alt = static_cast<float>(enemy_type_list[e->type]->start_alt);
      }
    }
  }

  reset_timing();
  draw_all_background();
  clear_contours();
  clear_dynamic_enemies();
  // The boss and its missile were dynamic enemies: their slots are free now.
  forget_boss();
  boss_bonus_paid = 0;
  clear_animations();
}

void warp_to(int pos, int range, int palette) {
  place_scroll(range, static_cast<float>(pos));
  my_set_pallete(palette, CLEAR_PICTURE);
  at_new_position();
}

void init_demo_game() {
  demomode_flag = -1;
  current_player = &demo_player;
  init_game();
  init_life();
  shipscreenx = DEMO_SHIP_X;
  shipscreeny = DEMO_SHIP_Y;
  shipalt = DEMO_SHIP_ALT;
}

void make_player1_current() {
  demomode_flag = 0;
  current_player = &player1;
}
