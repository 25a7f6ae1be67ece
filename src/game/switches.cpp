#include "game/switches.h"

#include <allegro.h>

#include "display/gfx.h"
#include "game/setup.h"
#include "platform/video.h"
#include "render/background.h"
#include "render/spritemap.h"
#include "world/enemy_map.h"
#include "world/scroll.h"
#include "world/state.h"

int infullscreen = 0;
int last_bpp_in_fullscreen = -1;
int last_bpp_in_windowed = -1;

namespace {

int flip(int flag) { return flag == -1 ? 0 : -1; }

// What the library opened, whatever was asked for: under X11 the safe
// driver opens a window.
int open_mode_is_fullscreen() { return gfx_driver && !gfx_driver->windowed ? -1 : 0; }

// What opened may not be what was asked for (a failed mode falls back,
// maybe to the other kind), and the display lists choose either kind: after
// every change of mode the switch starts from the mode open then.
const bool follows_the_mode = register_mode_dependent(follow_open_mode, nullptr);

}  // namespace

void set_shadows(int flag) { bulletshadows = flag; }

void set_reverse_alt(int on) { reverse_logic = on == 0 ? 1 : -1; }

int reverse_alt_on() { return reverse_logic == 1 ? 0 : -1; }

void function_key(int key_code) {
  switch (key_code) {
    case KEY_F1:
      show_info_flag = flip(show_info_flag);
      break;
    case KEY_F2:
      set_shadows(flip(bulletshadows));
      break;
    case KEY_F3:
      show3dmap = (show3dmap + 1) % 3;
      break;
    case KEY_F4:
      set_reverse_alt(flip(reverse_alt_on()));
      break;
    case KEY_F5:
      change_fullscreen();
      break;
    default:
      break;
  }
}

void follow_open_mode() {
  infullscreen = open_mode_is_fullscreen();
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
    hold_scroll_at(static_cast<float>((1170 - screen_tile_w) * 8));
    if (enemy_is(borlin_boss, KIND_BOSS)) enemy_map[borlin_boss]->screen_x += SCREEN_W - old_w;
    draw_all_background();  // the new mode's floor bitmap starts out empty
    // The sprite map's ring is as wide as the screen: lay it out afresh.
    clear_contours();
  } else {
    at_new_position();
  }
}
