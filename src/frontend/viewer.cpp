#include "frontend/viewer.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "game/ground_enemies.h"
#include "game/state.h"
#include "game/weapons.h"
#include "render/background.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/map_data.h"

namespace {

constexpr float NORMAL_SPEED = 2.0f;
constexpr float FAST_SPEED = 3.0f;
constexpr int FAST_FROM_STRETCH = 6;
constexpr int INFO_X = 180;
constexpr int INFO_Y = 20;

}  // namespace

void viewer_start() {
  range_index = VIEWER_START_STRETCH;
  scrollpos = VIEWER_START_SCROLL;
  float first = 8.0f * logic_map[2 * range_index];
  if (scrollpos < first) scrollpos = first;
  current_pal = BORLIN_DEMO_PALETTE;
  set_current_palette();
  refresh_tileset();  // a copy in the screen's depth holds the old palette's colours
  // A new position: an even whole scroll, and the floor drawn afresh.
  scrollpos = static_cast<float>(static_cast<int>(scrollpos) & ~1);
  scroll_x = static_cast<int>(scrollpos) / SCROLL_STEP;
  scroll_offset = static_cast<int>(scrollpos) & (SCROLL_STEP - 1);
  logicpos = 0;
  reset_timing();
  draw_all_background();
}

float viewer_scroll_speed() {
  return range_index >= FAST_FROM_STRETCH ? FAST_SPEED : NORMAL_SPEED;
}

void run_level_viewer() {
  start_next_round = viewer_start;
  viewer_start();
  // The enemies as in the demo: placed afresh, firing at no ship.
  demomode_flag = -1;
  init_enemies();
  clear_contours();
  bool f1_held = false;
  for (;;) {
    if (key[KEY_END]) main_exit(EXIT_QUIT);
    if (key[KEY_F1] && !f1_held) show_info_flag = show_info_flag == -1 ? 0 : -1;
    f1_held = key[KEY_F1];

    scroll_background2(viewer_scroll_speed() * time_unit);
    move_bullets();
    move_rockets();
    enemy_logic();
    enemy_bullet_logic();
    BeginDrawing();
    blit(background, currentbuffer, scroll_offset, 8 - scroll_offset / 2, 0, 0, SCREEN_W, SCREEN_H);
    draw_screen_objects();
    if (show_info_flag == -1) show_time_info(INFO_X, INFO_Y);
    EndDrawing();
  }
}
