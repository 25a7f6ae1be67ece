#include "render/background.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/state.h"
#include "world/map_data.h"
#include "world/enemy_kinds.h"
#include "world/enemy_map.h"

BITMAP *tiles[TILESET_TILES];
int last_scroll_x = -100;
int blits_done = 4;

namespace {

constexpr int SHIFTED = 1;
constexpr int EDGES_DRAWN = 3;   // top row and second-last column
constexpr int COMPLETE = 4;
constexpr int FAR_AWAY = -100;   // makes the next scroll redraw everything

void draw_top_row_and_second_last_column() {
  for (int tx = 0; tx <= screen_tile_w; tx++) draw_tile2(tx, 0);
  for (int ty = 1; ty <= screen_tile_h; ty++) draw_tile2(screen_tile_w - 2, ty);
}

void draw_last_column() {
  for (int ty = 1; ty <= screen_tile_h; ty++) draw_tile2(screen_tile_w - 1, ty);
}

void draw_every_cell() {
  for (int ty = 0; ty <= screen_tile_h; ty++)
    for (int tx = 0; tx <= screen_tile_w; tx++) draw_tile2(tx, ty);
}

}  // namespace

void release_tiles() {
  for (BITMAP *&t : tiles) {
    if (t) destroy_bitmap(t);
    t = nullptr;
  }
}

void init_tileset() {
  release_tiles();
  if (!tileset) return;
  for (int n = 0; n < TILESET_TILES; n++)
    tiles[n] = create_sub_bitmap(tileset, (n % TILESET_COLUMNS) * TILE_SIZE,
                                 (n / TILESET_COLUMNS) * TILE_SIZE, TILE_SIZE, TILE_SIZE);
}

void draw_tile2(int tx, int ty) {
  int p = fold_map_position(tx + 2 * scroll_x);
  int c = tx / 2 + ty - ystart / TILE_SIZE;
  if (p < 0 || p >= MAP_POSITIONS || c < 0 || c >= MAP_COLUMNS) return;
  int n = map_data[p][c];
  if (n < 0 || n >= TILESET_TILES || !tiles[n]) return;
  blit(tiles[n], background, 0, 0, TILE_SIZE * tx, TILE_SIZE * ty, TILE_SIZE, TILE_SIZE);
}

void scroll_background2(float x) {
  const int i = static_cast<int>(scrollpos + x);
  const int offset = i & (SCROLL_STEP - 1);
  int d = i / SCROLL_STEP - last_scroll_x;

  // Finish the strips of the step still shown, before the next shift, and
  // before the stretch changes under them: they belong to scroll_x, which
  // still counts in the stretch they were due in.
  if (blits_done <= EDGES_DRAWN && d >= 0 && d < screen_tile_w) {
    if (blits_done < EDGES_DRAWN && (offset > 0 || d > 0)) {
      draw_top_row_and_second_last_column();
      blits_done = EDGES_DRAWN;
    }
    if (blits_done <= EDGES_DRAWN && (offset > 8 || d > 0)) {
      draw_last_column();
      blits_done = COMPLETE;
    }
  }

  // The round set-up has just drawn the whole floor for its start;
  // shifting it by the step that led here would misplace it.
  if (advance_scroll(x)) d = 0;

  if (d == 1 || d < 0) {
    int w = background->w, h = background->h;
    blit(background, background, 2 * TILE_SIZE * d, 0, 0, TILE_SIZE * d, w - 2 * TILE_SIZE * d,
         h - TILE_SIZE * d);
    blits_done = SHIFTED;
    if (scroll_offset > 0) {
      draw_top_row_and_second_last_column();
      blits_done = EDGES_DRAWN;
    }
    if (scroll_offset > 8) {
      draw_last_column();
      blits_done = COMPLETE;
    }
  } else if (d >= 2) {
    draw_every_cell();
    blits_done = COMPLETE;
  }
  last_scroll_x = scroll_x;
}

void draw_all_background() {
  last_scroll_x = FAR_AWAY;
  blits_done = COMPLETE;
  scroll_background2(0);
}

BITMAP *background = nullptr;
BITMAP *tileset = nullptr;

namespace {

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
    t->sprite = copy_video_sprite(t) ? t->video_sprite : t->base_sprite;
  }
}

BITMAP *tile_sheet() { return datafile_bitmap(data, KESTAL_TILE_SHEET); }

// The floor is opaque: colour 0 of the sheet is black there, not the
// transparent colour that the library's conversion would turn it into.
void copy_tile_sheet(BITMAP *sheet, BITMAP *dest) {
  int conversion = get_color_conversion();
  set_color_conversion(conversion & ~COLORCONV_KEEP_TRANS);
  blit(sheet, dest, 0, 0, 0, 0, sheet->w, sheet->h);
  set_color_conversion(conversion);
}

const bool mode_bitmaps_registered =
    register_mode_dependent(make_game_video_bitmaps, destroy_game_video_bitmaps);

}  // namespace

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

bool copy_video_sprite(const enemy_type *k) {
  if (!k->base_sprite || !k->video_sprite) return false;
  blit(k->base_sprite, k->video_sprite, 0, 0, 0, 0, k->base_sprite->w, k->base_sprite->h);
  return true;
}
