#include "game/world.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/boss.h"
#include "enemies/events.h"
#include "enemies/launchers.h"
#include "game/ground_enemies.h"
#include "render/palette.h"
#include "game/setup.h"
#include "world/position.h"
#include "game/ship.h"
#include "world/state.h"
#include "game/weapons.h"
#include "render/animations.h"
#include "platform/random.h"
#include "render/background.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"
#include "world/scroll.h"

namespace {

constexpr int STAR_CHANCE = 15;
constexpr int STARS_FROM = 461;  // the window of stretches 1 and 5 with stars
constexpr int STARS_TO = 523;

int view_position() { return static_cast<int>(scrollpos * 0.125f); }

void next_round() {
  current_player->round++;
  init_round();
  place_scroll(0, 0);
  my_set_pallete(BORLIN_NORMAL_PALETTE, CLEAR_PICTURE);
  at_new_position();
  forget_boss();
}

void boss_ending() {
  scroll_speed = 0;
  if (scroll_offset <= BOSS_CREEP_OFFSET) {
    scroll_speed = SCROLL_BOSS_CREEP;
    return;
  }
  if (borlin_boss == 0 || borlin_boss >= total_enemies) {
    add_boss();
    boss_bonus_paid = 0;
  }
  if (!enemy_is(borlin_boss, KIND_BOSS)) return;
  enemy *boss = enemy_map[borlin_boss];
  if (boss->hit_points != 0) return;
  boss->frame += time_unit;
  if (enemy_is(borlin_missile, KIND_DOODLEBUG)) enemy_map[borlin_missile]->hit_points = 0;
  // Ticks against a count of display refreshes (hz), as written: the pause
  // is 3.5 s only at 75 Hz. The grace after a restart, the boss's dodge and
  // the bonus texts' second do the same; change none of them alone.
  if (boss->frame > ROUND_END_SECONDS * hz) next_round();
}

void burn_fuel() {
  if (fuel > 0) {
    bool ground = over_ground == -1 && current_player->stage != STAGE_BOSS;
    fuel -= time_unit * (ground ? FUEL_BURN_GROUND : FUEL_BURN_SPACE);
  }
  // An empty tank sinks the ship, also when it ran down to exactly 0.
  if (fuel <= 0) altspeed = SINK_SPEED;
  // Only a live ship can hit the ground: a wreck sinking on must not
  // explode again every tick.
  if (shipalt <= GROUND_ALT && ship_state < 100) ship_explosion();
}

void add_stars(int v) {
  int stage = current_player->stage;
  bool place = (range_index != 1 && range_index != 5) || (v >= STARS_FROM && v <= STARS_TO);
  // Rolled once a frame whatever its length, as the enemies' fire is: more
  // stars at a higher refresh rate. Change both or neither.
  if (place && (stage == STAGE_START || stage == STAGE_SPACE) && game_rand() % STAR_CHANCE == 1)
    add_star();
}

}  // namespace

int stage_at(int v, int stage) {
  if (range_index == 0) {
    stage = v >= 585 ? STAGE_FORTRESS1 : STAGE_START;
  } else if (v >= 1 && v <= 479) {
    stage = STAGE_FORTRESS1;
  } else if (v >= 509 && v <= 563 && range_index == 5) {
    stage = STAGE_SPACE_CLEARED;
  } else if (v >= 480 && v <= 564 && range_index <= 5) {
    stage = enemy_planes != 0 ? STAGE_SPACE : STAGE_SPACE_CLEARED;
  } else if (v >= 565 && v <= 1199) {
    stage = STAGE_FORTRESS2;
  }
  if (v >= 1170 - screen_tile_w && range_index == 5) stage = STAGE_BOSS;
  if (range_index == 6) stage = STAGE_SECOND_HALF;
  if (range_index == 7) stage = STAGE_LAST_FORTRESSES;
  return stage;
}

float stage_scroll_speed(int stage) {
  switch (stage) {
    case STAGE_SPACE:
      return SCROLL_SPACE;
    case STAGE_SPACE_CLEARED:
      return SCROLL_SPACE_CLEARED;
    case STAGE_BOSS:
      return 0;
    case STAGE_SECOND_HALF:
    case STAGE_LAST_FORTRESSES:
      return SCROLL_SECOND_HALF;
    default:
      return SCROLL_NORMAL;
  }
}

void play_background_noise() {
  int x = static_cast<int>(shipscreenx), y = static_cast<int>(shipscreeny);
  shippos = get_mappos(x, y, static_cast<int>(shipalt));
  inside_fortress = inside_fortress_at_pos(shippos);
  bool ground = over_ground_at_pos(shippos) == -1;
  if (ground && over_ground != -1) {
    stop_common_sample(BORLIN_ENGINE_SPACE_SAMPLE);
    play_common_sample(BORLIN_ENGINE_GROUND_SAMPLE, ENGINE_VOLUME, 128, 1000, 1);
    over_ground = -1;
  } else if (!ground && over_ground == -1) {
    stop_common_sample(BORLIN_ENGINE_GROUND_SAMPLE);
    play_common_sample(BORLIN_ENGINE_SPACE_SAMPLE, ENGINE_VOLUME, 128, 1000, 1);
    over_ground = 0;
  }
}

void move_sprites() {
  move_ship();
  move_bullets();
  move_rockets();
  move_anims();
}

void game_logic() {
  scroll_background2(scroll_speed * time_unit);
  play_background_noise();

  int v = view_position();
  if (demomode_flag == -1 && v > DEMO_LAST_POSITION) {
    place_scroll(0, 0);
    my_set_pallete(BORLIN_NORMAL_PALETTE, CLEAR_PICTURE);
    at_new_position();
    v = view_position();
  }

  int stage = current_player->stage = stage_at(v, current_player->stage);
  scroll_speed = stage_scroll_speed(stage);
  // Space after its planes are shot shows the normal colours from round 2
  // on, set directly: the loop waves' palette changed only the planes'
  // livery, which no tile or video copy uses, so nothing is redrawn.
  if (stage == STAGE_SPACE_CLEARED && current_player->round >= 2 &&
      current_pal != BORLIN_NORMAL_PALETTE)
    show_palette(BORLIN_NORMAL_PALETTE);
  if (stage == STAGE_BOSS) boss_ending();

  if (demomode_flag != -1) burn_fuel();
  doodlebug_logic();

  move_sprites();
  do_events();
  if (demomode_flag != -1) ship_bullet_logic();
  enemy_logic();
  enemy_bullet_logic();

  if (demomode_flag != -1 && ship_state < 100) {
    ship_logic();
    // Ticks against display refreshes, as the round-end pause (boss_ending).
    if (end_life != -1 && game_time > GRACE_SECONDS * hz && ghostship_flag != -1)
      ship_collision_detection();
  }

  add_stars(v);
  draw_anims();
}
