#include "frontend/options.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/menu.h"
#include "game/play.h"
#include "game/state.h"
#include "game/world.h"
#include "platform/video.h"
#include "render/background.h"
#include "render/spritemap.h"
#include "shell/shell.h"
#include "world/enemy_map.h"

int infullscreen = 0;
int last_bpp_in_fullscreen = -1;
int last_bpp_in_windowed = -1;

int (*install_tick_timer)(void (*)(), long) = install_int_ex;
void (*remove_tick_timer)(void (*)()) = remove_int;

namespace {

struct regulation_switches {
  int usetimer;
  int waitforvsync;
  int pretend_75hz;
};

// By regulate_method; any other value sets nothing.
constexpr regulation_switches REGULATION_TABLE[] = {
    {0, 0, 0},   // "Time Difference"
    {-1, 0, 0},  // "Timer no Vsync"
    {-1, 1, 0},  // "Timer and Vsync"
    {0, 1, 0},   // "Game=Screen Hz"
    {0, 1, -1},  // every frame one tick
};
constexpr int REGULATION_COUNT = sizeof REGULATION_TABLE / sizeof REGULATION_TABLE[0];

// What the library opened, whatever was asked for: under X11 the safe
// driver opens a window.
int open_mode_is_fullscreen() { return gfx_driver && !gfx_driver->windowed ? -1 : 0; }

}  // namespace

void set_opts_switches() {
  if (usetimer == -1) remove_tick_timer(inc_game_ticks);

  bulletshadows = myopts[OPTS_SHADOWS].value != 0 ? -1 : 0;
  reverse_logic = myopts[OPTS_REVERSE_ALT].value == 0 ? 1 : -1;

  waitforvsync = 0;
  usetimer = 0;
  pretend_75hz = 0;
  if (regulate_method >= 0 && regulate_method < REGULATION_COUNT) {
    const regulation_switches &s = REGULATION_TABLE[regulate_method];
    usetimer = s.usetimer;
    waitforvsync = s.waitforvsync;
    pretend_75hz = s.pretend_75hz;
  }

  if (usetimer == -1) install_tick_timer(inc_game_ticks, GAME_TICK_PERIOD);
}

void follow_open_mode() {
  infullscreen = open_mode_is_fullscreen();
  mymain[MAIN_FULLSCREEN].value = infullscreen;  // F5 and the play key keep the item in step
}

void change_fullscreen() {
  const int old_w = SCREEN_W;
  int depth;
  if (infullscreen == -1) {
    last_bpp_in_fullscreen = bpp;
    depth = last_bpp_in_windowed > 0 ? last_bpp_in_windowed : 0;
  } else {
    last_bpp_in_windowed = bpp;
    depth = last_bpp_in_fullscreen > 0 ? last_bpp_in_fullscreen : 8;
  }

  int driver;
  if (gr_driver == WINDOW_DRIVER || gr_driver == GFX_AUTODETECT_WINDOWED) {
    driver = gr_driver == WINDOW_DRIVER ? FULLSCREEN_DRIVER : GFX_AUTODETECT_FULLSCREEN;
    infullscreen = -1;
  } else {
    driver = gr_driver == FULLSCREEN_DRIVER ? WINDOW_DRIVER : GFX_AUTODETECT_WINDOWED;
    infullscreen = 0;
  }

  int w = SWITCH_WINDOW_W, h = SWITCH_WINDOW_H;
  if (infullscreen == 0) {
    depth = 0;  // a window takes the desktop's depth
  } else if (old_w == 480 || old_w == 512 || old_w == 448) {
    w = SWITCH_FULLSCREEN_W;
    h = SWITCH_FULLSCREEN_H;
  } else {
    w = SCREEN_W;
    h = SCREEN_H;
  }
  change_graphics_mode(driver, w, h, depth, SWITCH_REFRESH, 0);

  if (current_player->stage == STAGE_BOSS) {
    // The boss fight goes on where it was, against the new screen's edge.
    scrollpos = static_cast<float>((1170 - screen_tile_w) * 8);
    if (enemy_is(borlin_boss, KIND_BOSS)) enemy_map[borlin_boss]->screen_x += SCREEN_W - old_w;
    draw_all_background();  // the new mode's floor bitmap starts out empty
    // The sprite map's ring is as wide as the screen: lay it out afresh.
    clear_contours();
  } else {
    at_new_position();
  }
}
