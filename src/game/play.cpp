#include "game/play.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/events.h"
#include "frontend/menu.h"
#include "game/frame_pass.h"
#include "game/ground_enemies.h"
#include "game/ship.h"
#include "game/world.h"
#include "game/palette.h"
#include "game/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "render/background.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

namespace {

constexpr int GAME_OVER_COLOUR = 22;
constexpr int GAME_OVER_RAISE = 20;
constexpr int AFTER_DEATH_EXTRA_FRAMES = 64;
constexpr int BONUS_LINE_Y = 224;
constexpr int BONUS_COLOUR = 29;
constexpr const char *BOSS_GOT_AWAY = "THE BOSS GOT AWAY";

int after_death_frame = 0;  // counts the after-death frames for their overlay

void game_over_text() {
  draw_bonus_texts();
  if (current_player->lives > 0) return;
  if (game_over_frame(after_death_frame))
    nise_text("GAME OVER", SCREEN_H / 2 - GAME_OVER_RAISE, GAME_OVER_COLOUR);
}

}  // namespace

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
  logicpos = 0;
}

void init_round() {
  if (demomode_flag == -1) {
    scrollpos = DEMO_START_SCROLL;
    range_index = DEMO_START_STRETCH;
    my_set_pallete(BORLIN_DEMO_PALETTE, CLEAR_PICTURE);
  } else {
    range_index = 0;
    scrollpos = current_player->round == 1 ? FIRST_ROUND_START_SCROLL : 0;
    my_set_pallete(BORLIN_NORMAL_PALETTE, CLEAR_PICTURE);
  }
  if (scrollpos < stretch_start(range_index)) scrollpos = stretch_start(range_index);
  scroll_x = static_cast<int>(scrollpos) / SCROLL_STEP;
  scroll_offset = static_cast<int>(scrollpos) & (SCROLL_STEP - 1);

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
  borlin_boss = 0;
  borlin_missile = 0;
}

void at_new_position() {
  scrollpos = static_cast<float>(static_cast<int>(scrollpos) & ~1);
  logicpos = 0;
  ship_bullet_last_fired = 0;
  enemy_bullet_last_fired = 0;
  formation_count = 0;

  free_all_bullets();

  for (int i = 0; i < total_enemies; i++) {
    enemy *e = enemy_map[i];
    e->index = i;
    e->on_screen = 0;
    e->spritemap_columns = 0;
    e->spritemap_y = 0;
    e->screen_x = e->screen_y = -1;
    if (e->type == KIND_YELLOW_ROCKET || e->type == KIND_RED_ROCKET) {
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
  borlin_boss = 0;
  borlin_missile = 0;
  boss_bonus_paid = 0;
  clear_animations();
}

void warp_to(int pos, int range, int palette) {
  range_index = range;
  scrollpos = static_cast<float>(pos > stretch_start(range) ? pos : stretch_start(range));
  my_set_pallete(palette, CLEAR_PICTURE);
  at_new_position();
}

void draw_bonus_texts() {
  if (current_player->stage != STAGE_BOSS || !enemy_is(borlin_boss, KIND_BOSS)) return;
  const enemy *boss = enemy_map[borlin_boss];
  // Ticks against display refreshes, as the round-end pause (world.cpp).
  if (boss->hit_points != 0 || boss->frame <= hz) return;
  FONT *f = static_cast<FONT *>(commondata[BORLIN_GAME_FONT].dat);
  if (boss_bonus_paid == 0) {
    // It left with its hit points and nothing was paid: no praise.
    textprintf_ex(currentbuffer, f, (SCREEN_W - text_length(f, BOSS_GOT_AWAY)) / 2 + 1,
                  BONUS_LINE_Y, palette_color[BONUS_COLOUR], -1, "%s", BOSS_GOT_AWAY);
    return;
  }
  textprintf_ex(currentbuffer, f, (SCREEN_W - 240) / 2 + 1, 176, palette_color[71], -1,
                "CONGRATULATIONS !");
  textprintf_ex(currentbuffer, f, static_cast<int>((SCREEN_W - 280) * 0.5f + 1), BONUS_LINE_Y,
                palette_color[BONUS_COLOUR], -1, "YOU GET BONUS %d PTS", boss_bonus_paid);
  textprintf_ex(currentbuffer, f, (SCREEN_W - 64) / 2 + 1, 272, palette_color[14], -1, "GOOD !");
}

int after_death_frames(int lives_left) {
  return (lives_left > 0 ? hz : 3 * hz) + AFTER_DEATH_EXTRA_FRAMES;
}

bool game_over_frame(int i) { return i > hz && i < after_death_frames(0) - 1; }

void play_game() {
  init_game();
  logicpos = 0;
  current_player->lives = START_LIVES;

  do {
    init_life();
    while (end_life != -1) run_frame(draw_bonus_texts);

    // Quitting set the lives to 0: no after-death frames, no restart.
    bool quit = current_player->lives <= 0;
    if (!quit) current_player->lives--;
    int death_pos = static_cast<int>(scrollpos);
    int death_range = range_index;
    int death_round = current_player->round;

    if (!quit && ship_state >= 100) {
      int n = after_death_frames(current_player->lives);
      for (after_death_frame = 0; after_death_frame < n && !key[KEY_ESC]; after_death_frame++)
        run_frame(game_over_text);
    }

    // A round completed meanwhile starts where the new round does.
    if (current_player->lives > 0 && current_player->round == death_round) {
      range_index = death_range;
      scrollpos = static_cast<float>(death_pos - big_screen_w / 2);
      if (scrollpos < stretch_start(range_index)) scrollpos = stretch_start(range_index);
    }
  } while (current_player->lives > 0);

  stop_engine_noise();
  clear_keybuf();
  last_score = current_player->score;
  if (last_score > top_score) top_score = last_score;
}
