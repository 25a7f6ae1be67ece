#include "display/gfx.h"

#include <allegro.h>

#include <cstdio>

#include "display/frame.h"
#include "frontend/menu.h"
#include "frontend/options.h"
#include "game/state.h"
#include "platform/video.h"
#include "render/background.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_kinds.h"
#include "world/enemy_map.h"

int gr_driver = 0;
int good_driver = 0, good_w = 0, good_h = 0, good_bpp = 8;
int bpp = 0;
int desktop_bpp = 0;
int hz = 0;
int hz_is_reliable = 0;

char wintitle[WINTITLE_SIZE];
char driverbuf[DRIVERBUF_SIZE];
char tmp_driverbuf[DRIVERBUF_SIZE];

int big_screen_w = 0;
int lcorner = 36;
int ystart = 0;
int screen_tile_w = 0;
int screen_tile_h = 0;

BITMAP *background = nullptr;
BITMAP *tileset = nullptr;

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

// Kinds that always draw from their data file bitmap: the moving ones and
// those drawn by contour alone.
bool keeps_base_sprite(int kind) {
  switch (kind) {
    case KIND_PLANE:
    case KIND_2X3_BLOCK:
    case KIND_YELLOW_ROCKET:
    case KIND_RED_ROCKET:
    case KIND_INVISIBLE_3X2_BLOCK:
    case KIND_SATELLITE:
    case KIND_DOODLEBUG:
    case KIND_BOSS:
      return true;
    default:
      return false;
  }
}

// Video copies of the other kinds' sprites, where video memory allows.
void make_enemy_video_sprites() {
  for (int i = 0; i < total_enemy_types; i++) {
    enemy_type *t = enemy_type_list[i];
    if (keeps_base_sprite(i)) continue;
    if (!t->base_sprite) {
      t->sprite = nullptr;
      continue;
    }
    t->video_sprite = create_video_bitmap(t->base_sprite->w, t->base_sprite->h);
    if (t->video_sprite) {
      blit(t->base_sprite, t->video_sprite, 0, 0, 0, 0, t->base_sprite->w, t->base_sprite->h);
      t->sprite = t->video_sprite;
    } else {
      t->sprite = t->base_sprite;
    }
  }
}

BITMAP *tile_sheet() { return data ? static_cast<BITMAP *>(data[KESTAL_TILE_SHEET].dat) : nullptr; }

// The floor is opaque: colour 0 of the sheet is black there, not the
// transparent colour that the library's conversion would turn it into.
void copy_tile_sheet(BITMAP *sheet, BITMAP *dest) {
  int conversion = get_color_conversion();
  set_color_conversion(conversion & ~COLORCONV_KEEP_TRANS);
  blit(sheet, dest, 0, 0, 0, 0, sheet->w, sheet->h);
  set_color_conversion(conversion);
}

}  // namespace

void set_current_palette() {
  if (commondata) set_whole_palette(static_cast<RGB *>(commondata[current_pal].dat));
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
  set_opts_switches();

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

void set_default_gfx() {
  if (!init_graphics(GFX_AUTODETECT_WINDOWED, DEFAULT_W, DEFAULT_H, 0, DEFAULT_HZ, 0)) {
    printf("Can't set video mode");
    main_exit(EXIT_FATAL);
  }
}

void destroy_game_video_bitmaps() {
  if (background) destroy_bitmap(background);
  background = nullptr;
  release_tiles();
  if (tileset && tileset != tile_sheet()) destroy_bitmap(tileset);
  tileset = nullptr;
  release_enemy_video_sprites();
}

void make_game_video_bitmaps() {
  destroy_game_video_bitmaps();
  BITMAP *sheet = tile_sheet();
  int bw = SCREEN_W + 32, bh = SCREEN_H + 16;

  if (updatemethod == METHOD_TRIPLE_BUFFER || updatemethod == METHOD_PAGE_FLIPPING) {
    background = create_video_bitmap(bw, bh);
    if (background && sheet) {
      tileset = create_video_bitmap(sheet->w, sheet->h);
      if (tileset) copy_tile_sheet(sheet, tileset);
    }
  }
  if (!background) {
    background = create_bitmap(bw, bh);
    if (!background) {
      puts("couldn't create background bitmap");
      main_exit(EXIT_FATAL);
    }
  }
  // Above 8 bits a copy in the screen's depth keeps tile blits plain copies.
  if (!tileset && sheet && bitmap_color_depth(sheet) != bpp) {
    tileset = create_bitmap(sheet->w, sheet->h);
    if (tileset) copy_tile_sheet(sheet, tileset);
  }
  if (!tileset) tileset = sheet;
  make_enemy_video_sprites();

  init_tileset();
  clear_bitmap(background);
}

void refresh_tileset() {
  BITMAP *sheet = tile_sheet();
  if (tileset && sheet && tileset != sheet) copy_tile_sheet(sheet, tileset);
}

int change_graphics_mode(int driver, int w, int h, int depth, int refresh, int update_method) {
  destroy_blit_bitmaps();
  destroy_game_video_bitmaps();
  int r = init_graphics(driver, w, h, depth, refresh, update_method);
  make_game_video_bitmaps();
  set_current_palette();
  // What opened may not be what was asked for (a failed mode falls back,
  // maybe to the other kind), and the lists choose either kind: the
  // window/full-screen switch starts from the mode open now.
  follow_open_mode();
  return r;
}
