#include "frontend/viewer.h"

#include <allegro.h>

#include <cmath>

#include "display/frame.h"
#include "display/gfx.h"
#include "game/state.h"
#include "gen/anims.h"
#include "render/background.h"
#include "render/screen.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

namespace {

constexpr float NORMAL_SPEED = 2.0f;
constexpr float FAST_SPEED = 3.0f;
constexpr int FAST_FROM_STRETCH = 6;

// The fortresses the number keys jump to: stretch and first scroll.
struct fortress_view {
  int key, stretch;
  float scroll;
};
constexpr fortress_view fortress_views[] = {
    {KEY_1, 1, 8 * 60},
    {KEY_2, 5, 8 * 700},
};

// A ship flying a slow figure over the level, so that its shadow and its
// hiding behind walls show before the play loop exists.
constexpr float SHIP_PERIOD = 600;  // ticks
constexpr float SHIP_LOW_ALT = 4, SHIP_ALT_RANGE = 70;
constexpr float SHIP_Z_SHARE = 0.35f, SHIP_Z_RANGE = 0.2f;
constexpr int SHIP_SCREEN_DY = 116;
constexpr float TWO_PI = 6.2831853f;

constexpr float FULL_TANK = 256;
constexpr int VIEWER_LIVES = 3;

// Scroll units per map position, and the vertical step of a strip column.
constexpr int UNITS_PER_POSITION = 8;
constexpr int ROW_PER_POSITION = 4;
constexpr int BASE_DY = 12;

}  // namespace

void viewer_start_at(int stretch, float scroll) {
  range_index = stretch;
  scrollpos = scroll;
  float first = UNITS_PER_POSITION * logic_map[2 * range_index];
  if (scrollpos < first) scrollpos = first;
  // A new position: an even whole scroll, the floor drawn afresh and the
  // sprite map emptied.
  scrollpos = static_cast<float>(static_cast<int>(scrollpos) & ~1);
  scroll_x = static_cast<int>(scrollpos) / SCROLL_STEP;
  scroll_offset = static_cast<int>(scrollpos) & (SCROLL_STEP - 1);
  logicpos = 0;
  clear_animations();
  clear_contours();
  for (int i = 0; i < total_loaded_enemies; i++) enemy_map[i]->on_screen = 0;
  draw_all_background();
}

namespace {

// Truncation that rounds downward for the negative scrolls of the stretch
// ahead, as the placement rule asks.
int floor_trunc(float v) { return static_cast<int>(std::floor(v)); }

}  // namespace

void viewer_queue_placed_enemies() {
  clear_scrolled_spritemap();
  const int right = static_cast<int>((big_screen_w + scrollpos) / UNITS_PER_POSITION);
  const int lf = logic_map[2 * range_index], ll = logic_map[2 * range_index + 1];
  const int nf = logic_map[2 * range_index + 2], nl = logic_map[2 * range_index + 3];
  const float ahead = (nf - ll) * UNITS_PER_POSITION + scrollpos;
  for (int i = 0; i < total_loaded_enemies; i++) {
    enemy *e = enemy_map[i];
    const enemy_type *t = enemy_type_list[e->type];
    if (e->hit_points <= 0) continue;
    float s = scrollpos;
    if (ll < right) {
      if (e->map_x >= lf && e->map_x < ll) {
      } else if (nf != lf && e->map_x >= nf && e->map_x < nl) {
        s = ahead;
      } else {
        e->on_screen = 0;
        continue;
      }
    }
    const int k = e->type;
    const int list = k == KIND_YELLOW_ROCKET || k == KIND_RED_ROCKET || k == KIND_DOODLEBUG ||
                             k == KIND_BOSS
                         ? -1
                         : 0;
    const int mode = list == 0 || k == KIND_BOSS ? 1 : 0;
    const int a = static_cast<int>(e->alt);
    const int x = t->screen_dx + UNITS_PER_POSITION * e->map_x - floor_trunc(s);
    const int b = t->screen_dy + ystart + floor_trunc(s * 0.5f) - ROW_PER_POSITION * e->map_x +
                  ROW_PER_POSITION * e->map_y - BASE_DY - a;
    e->screen_x = x + t->width / 2;
    e->screen_y = b - t->height / 2;
    if (x + t->width <= 0 || x >= big_screen_w) {
      if (e->on_screen) clear_last_sprite(e);
      e->on_screen = 0;
      e->spritemap_columns = e->spritemap_y = 0;
      continue;
    }
    e->on_screen = -1;
    add_screen_object(t->sprite, t->anim_type, e->frame, t->contour, t->shadow, x, b - t->height,
                      0, e->alt, list, mode, i);
    if (t->anim_type >= 0) {
      e->frame += time_unit;
      if (e->frame >= anim_type_list[t->anim_type]->frames) e->frame = 0;
    }
  }
}

namespace {

void queue_viewer_ship() {
  if (!shipmiddle) return;
  const float phase = TWO_PI * std::fmod(game_time, SHIP_PERIOD) / SHIP_PERIOD;
  shipalt = SHIP_LOW_ALT + SHIP_ALT_RANGE * (0.5f + 0.5f * std::sin(phase));
  shipz = SCREEN_W * (SHIP_Z_SHARE + SHIP_Z_RANGE * std::sin(2 * phase));
  shipscreenx = shipz;
  shipscreeny = shipz * 0.5f + (ystart + SHIP_SCREEN_DY) - shipalt;
  add_screen_object(shipmiddle, -1, 0, nullptr,
                    datafile_bitmap(commondata, BORLIN_SHIP_MIDDLE_SHADOW),
                    shipscreenx - shipmiddle->w / 2, shipscreeny, 0, shipalt, -1, 0, 0);
}

}  // namespace

void viewer_start() {
  current_pal = BORLIN_DEMO_PALETTE;
  set_current_palette();
  refresh_tileset();  // a copy in the screen's depth holds the old palette's colours
  viewer_start_at(VIEWER_START_STRETCH, VIEWER_START_SCROLL);
  reset_timing();
}

float viewer_scroll_speed() {
  return range_index >= FAST_FROM_STRETCH ? FAST_SPEED : NORMAL_SPEED;
}

void run_level_viewer() {
  start_next_round = viewer_start;
  viewer_start();
  current_player = &player1;
  player1.round = 1;
  player1.lives = VIEWER_LIVES;
  fuel = FULL_TANK;
  bool f1_held = false;
  for (;;) {
    if (key[KEY_END]) main_exit(EXIT_QUIT);
    if (key[KEY_F1] && !f1_held) show_info_flag = show_info_flag == -1 ? 0 : -1;
    f1_held = key[KEY_F1];
    for (const fortress_view &v : fortress_views)
      if (key[v.key]) viewer_start_at(v.stretch, v.scroll);

    scroll_background2(viewer_scroll_speed() * time_unit);
    viewer_queue_placed_enemies();
    queue_viewer_ship();
    BeginDrawing();
    draw_screen();
    EndDrawing();
  }
}
