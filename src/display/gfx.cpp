#include "display/gfx.h"

#include <allegro.h>

#include <cstdio>

#include "display/frame.h"
#include "platform/devices.h"
#include "platform/video.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

int gr_driver = 0;
int good_driver = 0, good_w = 0, good_h = 0, good_bpp = 8;
int bpp = 0;
int desktop_bpp = 0;
int hz_is_reliable = 0;

char wintitle[WINTITLE_SIZE];
char driverbuf[DRIVERBUF_SIZE];
char tmp_driverbuf[DRIVERBUF_SIZE];

int big_screen_w = 0;
int lcorner = 36;
int ystart = 0;
int screen_tile_w = 0;
int screen_tile_h = 0;

int current_pal = BORLIN_NORMAL_PALETTE;

namespace {

// The owners of mode-dependent bitmaps, in the order they registered.
struct mode_dependent {
  void (*make)();
  void (*release)();
};
constexpr int MAX_MODE_DEPENDENTS = 4;
mode_dependent mode_dependents[MAX_MODE_DEPENDENTS];
int mode_dependent_count = 0;

}  // namespace

bool register_mode_dependent(void (*make)(), void (*release)()) {
  // A fixed set of owners registers at start; one too many is a build fault.
  if (mode_dependent_count == MAX_MODE_DEPENDENTS) {
    puts("Too many parts that follow the mode");
    main_exit(EXIT_FATAL);
  }
  mode_dependents[mode_dependent_count++] = {make, release};
  return true;
}

void make_mode_dependents() {
  for (int i = 0; i < mode_dependent_count; i++) mode_dependents[i].make();
}

void release_mode_dependents() {
  for (int i = mode_dependent_count - 1; i >= 0; i--)
    if (mode_dependents[i].release) mode_dependents[i].release();
}

namespace {

// Room for the library's whole error text and the words around it.
constexpr int MESSAGE_SIZE = ALLEGRO_ERROR_SIZE + 64;

// Full-screen requests of these widths open 640 x 480.
bool is_small_fullscreen_width(int w) { return w == 448 || w == 512 || w == 480; }

void message(const char *format, const char *text, int a = 0, int b = 0) {
  char buf[MESSAGE_SIZE];
  snprintf(buf, sizeof buf, format, text, a, b);
  message_call(buf);
}

}  // namespace

void set_current_palette() {
  // Not set_palette: in 8-bit X11 modes it waits for a simulated retrace.
  if (RGB *p = datafile_palette(commondata, current_pal)) set_whole_palette(p);
}

void show_palette(int palette) {
  current_pal = palette;
  set_current_palette();
}

int is_driver_windowed(int driver) {
  return driver == GFX_AUTODETECT_WINDOWED || driver == WINDOW_DRIVER ? -1 : 0;
}

int set_gfx(int driver, int w, int h, int depth, int refresh) {
  if (desktop_bpp == 0) desktop_bpp = desktop_color_depth();
  request_refresh_rate(refresh);
  bool windowed = is_driver_windowed(driver) == -1;
  if (depth == 0 && windowed) depth = desktop_bpp;
  if (depth != -1) set_color_depth(depth);
  if (!windowed && is_small_fullscreen_width(w)) {
    w = 640;
    h = 480;
  }

  // Every mode starts from the library's own pixel layouts: a truecolour
  // mode sets its screen's, and an 8-bit one would show its palette
  // through the last truecolour mode's (red and blue swapped).
  default_pixel_layouts();

  // Room for three pages, then two, then the screen alone.
  if (gfx_mode_call(driver, w, h, 0, 3 * h) != 0 && gfx_mode_call(driver, w, h, 0, 2 * h) != 0 &&
      gfx_mode_call(driver, w, h, 0, 0) != 0) {
    al_un_id(tmp_driverbuf, driver);
    message("Failed to set gfx: driver %s  %dx%d\n", tmp_driverbuf, w, h);
    return 0;
  }

  al_un_id(driverbuf, driver);
  snprintf(wintitle, sizeof wintitle, "Borlin : %s  %dx%d %d bpp @ %d hz", driverbuf, SCREEN_W,
           SCREEN_H, bitmap_color_depth(screen), get_refresh_rate());
  set_window_title(wintitle);

  gr_driver = driver;
  good_driver = driver;
  good_w = SCREEN_W;
  good_h = SCREEN_H;
  // bpp still holds the depth before this mode (or the preloaded request).
  good_bpp = bpp;
  return -1;
}

int init_graphics(int driver, int w, int h, int depth, int refresh, int update_method) {
  bool ok = (bpp > 0 && set_gfx(driver, w, h, depth, refresh)) ||
            (good_w > 0 && set_gfx(good_driver, good_w, good_h, good_bpp, refresh)) ||
            set_gfx(driver, w, h, depth, refresh) ||
            set_gfx(GFX_SAFE, 320, 480, 8, refresh) || set_gfx(GFX_SAFE, 320, 240, 8, refresh);
  if (!ok) {
    gfx_mode_call(GFX_TEXT, 0, 0, 0, 0);
    message_call("Couldn't set any Video Mode\n");
    message("Last driver tried : %s\n", tmp_driverbuf);
    message("Allegro error message: %s\n", allegro_error);
    main_exit(EXIT_FATAL);
  }

  bpp = bitmap_color_depth(screen);
  set_current_palette();
  set_color_conversion(bpp == 8 ? COLORCONV_NONE : COLORCONV_TOTAL | COLORCONV_KEEP_TRANS);

  if (init_bitmaps(update_method) < 0) {
    gfx_mode_call(GFX_TEXT, 0, 0, 0, 0);
    message_call("Couldn't set update method\n");
    main_exit(EXIT_FATAL);
  }

  hz = get_refresh_rate();
  hz_is_reliable = hz != 0 ? -1 : 0;
  if (hz == 0) hz = ASSUMED_HZ;

  regulate_method = REGULATE_TIME_DIFFERENCE;
  apply_regulation();

  set_screen_geometry(SCREEN_W, SCREEN_H);
  return -1;
}

void set_screen_geometry(int w, int h) {
  big_screen_w = w + 32;
  lcorner = w > h ? 36 : 16;
  ystart = (w - 8 * lcorner) / 2;
  screen_tile_w = (w + 32) / 8;
  screen_tile_h = (h + 16) / 8;
}

void request_depth(int depth) { bpp = depth; }

void set_default_gfx() {
  if (!init_graphics(GFX_AUTODETECT_WINDOWED, DEFAULT_W, DEFAULT_H, 0, DEFAULT_HZ, 0)) {
    printf("Can't set video mode");
    main_exit(EXIT_FATAL);
  }
}

int change_graphics_mode(int driver, int w, int h, int depth, int refresh, int update_method) {
  destroy_blit_bitmaps();
  release_mode_dependents();
  int r = init_graphics(driver, w, h, depth, refresh, update_method);
  make_mode_dependents();
  set_current_palette();
  return r;
}

void release_display() {
  if (usetimer == -1) remove_tick_timer(inc_game_ticks);
  remove_int(fps_saver);
  destroy_blit_bitmaps();
  release_mode_dependents();
}
