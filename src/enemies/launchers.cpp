#include "enemies/launchers.h"

#include <allegro.h>

#include "display/gfx.h"
#include "enemies/wave.h"
#include "enemies/homing.h"
#include "enemies/paths.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "shell/datafile_index.h"
#include "world/enemy_map.h"

namespace {

constexpr int LOOP_ALT = 128;
constexpr int SATELLITE_ALT = 128;
constexpr int STRAIGHT_ALT = 64;
constexpr int SHARKFIN_ALT = 12;
constexpr int HOMER_ALT = 145;
constexpr int HOMER_SPREAD = 368;  // start points along the top and right edges
constexpr int HOMER_LOW_Y = 70;    // homers entering above this start at full height
constexpr int HOMER_SINK_DIV = 408;  // lower down the edge, lower in the sky
constexpr int DOODLEBUG_SPREAD = 128;
constexpr int STAR_SPREAD = 408;

bool plane_room() { return planes_on_screen() < enemy_planes; }

int half_lcorner() { return lcorner / 2; }

// A fresh launch never inherits a homing record left by the slot's last
// occupant.
int launch(int kind, int x, int y, int alt, enemy_move move) {
  const int slot = add_dynamic_enemy(kind, x, y, alt, move);
  free_homing_record(slot);
  return slot;
}

}  // namespace

int planes_on_screen() { return planes_onscreen; }

void add_satelite() {
  if (!plane_room()) return;
  launch(KIND_SATELLITE, SCREEN_W, (41 - half_lcorner()) * 8, SATELLITE_ALT, move_diag_up_left);
}

void add_streight_plane() {
  if (!plane_room()) return;
  launch(KIND_PLANE, SCREEN_W, (10 * formation_count - half_lcorner()) * 8 + 128, STRAIGHT_ALT,
         move_diag_down_left);
}

void add_sharkfin_plane() {
  if (!plane_room()) return;
  const int fc = formation_count;
  launch(KIND_PLANE, SCREEN_W + 32 * fc - 40, (4 * fc - half_lcorner()) * 8 + 200, SHARKFIN_ALT,
         direction == DIRECTION_NEAR ? move_sharkfin_left1 : move_sharkfin);
}

void add_loop_plane() {
  if (plane_room()) {
    const int fc = formation_count;
    if (direction == DIRECTION_NEAR) {
      launch(KIND_PLANE, SCREEN_W, (51 - half_lcorner()) * 8, LOOP_ALT, move_clockwise_loop);
    } else {
      const int q = (30 - lcorner) / 2;
      launch(KIND_PLANE, SCREEN_W - 24 * fc - 272, static_cast<int>((q + 1.5 * fc + 2) * 8),
             LOOP_ALT, move_anticlockwise_loop);
    }
  }
  // From round 2 the loop waves fly under their own colours, set directly:
  // only the planes' livery changes, which no tile or video copy uses.
  if (current_player->round > 1 && current_pal != BORLIN_WAVES_PALETTE)
    show_palette(BORLIN_WAVES_PALETTE);
}

void add_homer_plane() {
  if (!plane_room()) return;
  const int r = game_rand() % HOMER_SPREAD;
  int x, y, alt;
  if (r < 4 * lcorner) {  // over the top edge
    x = SCREEN_W + 2 * r - 8 * lcorner - 40;
    y = 0;
    alt = HOMER_ALT;
  } else {
    x = SCREEN_W;
    y = r - 4 * lcorner + 40;
    alt = y <= HOMER_LOW_Y ? HOMER_ALT : HOMER_ALT - (130 * r) / HOMER_SINK_DIV;
  }
  launch(KIND_PLANE, x, y, alt, move_home_in_formation);
}

int add_doodlebug() {
  const int r = game_rand() % DOODLEBUG_SPREAD;
  const int y = static_cast<int>(shipscreeny - (SCREEN_W - shipscreenx) * 0.5 + 64 - r);
  return launch(KIND_DOODLEBUG, SCREEN_W, y, static_cast<int>(shipalt), move_doodlebug);
}

void add_star() {
  if (anim_list[STAR_GUARD_SLOT].count > 0) return;
  const int a = game_rand() % STAR_SPREAD;
  const int b = game_rand() % 40 + 20;
  const int s = static_cast<int>(b * 0.1f);  // 2 to 5: size and speed
  int x, y;
  if (a < 4 * lcorner) {
    x = SCREEN_W + 2 * a - 8 * lcorner;
    y = 0;
  } else {
    x = SCREEN_W;
    y = a - 4 * lcorner;
  }
  add_animation(ANIM_STAR_FIRST - 2 + s, x, y, -1, s, -s * scroll_speed, 0.5f * s * scroll_speed,
                0, STAR_COUNT);
}
