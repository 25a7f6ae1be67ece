#include "game/play.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "render/captions.h"
#include "game/frame_pass.h"
#include "world/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"
#include "world/scroll.h"

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

void draw_bonus_texts() {
  if (current_player->stage != STAGE_BOSS || !enemy_is(borlin_boss, KIND_BOSS)) return;
  const enemy *boss = enemy_map[borlin_boss];
  // Ticks against display refreshes, as the round-end pause (world.cpp).
  if (boss->hit_points != 0 || boss->frame <= hz) return;
  FONT *f = datafile_font(commondata, BORLIN_GAME_FONT);
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
      place_scroll(death_range, static_cast<float>(death_pos - big_screen_w / 2));
    }
  } while (current_player->lives > 0);

  stop_engine_noise();
  clear_keybuf();
  last_score = current_player->score;
  if (last_score > top_score) set_top_score(last_score);
}
