#include "render/background.h"

#include <allegro.h>

#include "display/gfx.h"
#include "world/state.h"
#include "world/map_data.h"

BITMAP *tiles[TILESET_TILES];
int scrolled_x = 0;
int scrolled_y = 0;
int last_scroll_x = -100;
int blits_done = 4;
void (*start_next_round)() = nullptr;

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

int stretch_last(int s) { return logic_map[2 * s + 1]; }
int stretch_first(int s) { return logic_map[2 * s]; }

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
  float newpos = scrollpos + x;
  int i = static_cast<int>(newpos);
  int sx = i / SCROLL_STEP;
  scroll_offset = i & (SCROLL_STEP - 1);
  int d = sx - last_scroll_x;

  // Finish the strips of the step still shown, before the next shift, and
  // before the stretch changes under them: they belong to scroll_x, which
  // still counts in the stretch they were due in.
  if (blits_done <= EDGES_DRAWN && d >= 0 && d < screen_tile_w) {
    if (blits_done < EDGES_DRAWN && (scroll_offset > 0 || d > 0)) {
      draw_top_row_and_second_last_column();
      blits_done = EDGES_DRAWN;
    }
    if (blits_done <= EDGES_DRAWN && (scroll_offset > 8 || d > 0)) {
      draw_last_column();
      blits_done = COMPLETE;
    }
  }

  if (2 * sx > stretch_last(range_index)) {
    range_index++;
    if (range_index > LAST_STRETCH) {
      range_index = 0;
      current_player->round++;
      if (start_next_round) start_next_round();
      sx = scroll_x;
      newpos = scrollpos;
      // The round set-up has just drawn the whole floor for its start;
      // shifting it by the step that led here would misplace it.
      d = 0;
    } else {
      newpos += 8 * (stretch_first(range_index) - stretch_last(range_index - 1));
      i = static_cast<int>(newpos);
      sx = i / SCROLL_STEP;
      scroll_offset = i & (SCROLL_STEP - 1);
    }
  }

  // The pixel counts follow the raw advance, not a stretch jump, so
  // things moving with the floor move smoothly across it.
  scroll_x = sx;
  scrolled_x = static_cast<int>(scrollpos + x) - static_cast<int>(scrollpos);
  logicpos += scrolled_x;
  scrolled_y = static_cast<int>((scrollpos + x) * 0.5f) - static_cast<int>(scrollpos * 0.5f);
  scrollpos = newpos;

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
