#include "render/spritemap.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "display/frame.h"
#include "display/gfx.h"
#include "gen/darken.h"
#include "world/state.h"
#include "render/background.h"
#include "shell/shell.h"
#include "world/enemy_map.h"

unsigned short spritemap[SPRITEMAP_COLUMNS][SPRITEMAP_ROWS];
int sprite_index[SPRITEMAP_SLOTS];

namespace {

constexpr int HEIGHT_MASK = 0xff;
constexpr int SLOT_SHIFT = 8;

// A hit without an owner (the ground, or slot 0) counts within this depth.
constexpr int GROUND_DEPTH = 4;

// Fancy shadow strength by the length of the fall.
constexpr int SHADOW_FULL_STEPS = 6;
constexpr int SHADOW_FADE_START = 17;
constexpr int SHADOW_FADE_PER = 9;
constexpr int SHADOW_LONG_FALL = 135;
constexpr int SHADOW_LONG_STEPS = 2;

int height_of(unsigned short cell) { return cell & HEIGHT_MASK; }
int slot_of(unsigned short cell) { return cell >> SLOT_SHIFT; }

// A height of 0 or less is no surface: the cell stays as it is. The byte
// holds at most 255, so a taller one is clamped instead of spilling into
// the slot.
void write_cell(unsigned short &cell, int height, int slot) {
  if (height <= 0) return;
  cell = static_cast<unsigned short>(std::min(height, MAX_HEIGHT) | slot << SLOT_SHIFT);
}

int ring_column(int a) {
  const int c = a % big_screen_w;
  return c < 0 ? c + big_screen_w : c;
}

bool ring_ok() { return big_screen_w > 0 && big_screen_w <= SPRITEMAP_COLUMNS; }

// Reads use the visible screen only.
bool lookup_cell(int sx, int sy, int &column, int &row) {
  if (sx < 0 || sx >= SCREEN_W || sy < 0 || sy >= SCREEN_H) return false;
  return spritemap_cell(sx, sy, column, row);
}

// The value of a contour or shadow pixel; transparent reads 0.
int mask_value(BITMAP *b, int i, int j) {
  if (bitmap_color_depth(b) == 8) return b->line[j][i];
  const int c = getpixel(b, i, j);
  return c == bitmap_mask_color(b) ? 0 : c & HEIGHT_MASK;
}

enemy *enemy_at(int index) {
  if (index < 0 || index >= total_enemies) return nullptr;
  return enemy_map[index];
}

const char *kind_name(const enemy *e) {
  if (e && e->type >= 0 && e->type < total_enemy_types && enemy_type_list[e->type])
    return enemy_type_list[e->type]->name;
  return "an object";
}

// Enters the contour at (x, y) and erases the enemy's cells of its last
// drawing; with a sprite, also draws the sprite where nothing higher
// stands. `old_extra_rows` widens the old rectangle downwards.
void move_contour(BITMAP *sprite, BITMAP *contour, int x, int y, int alt, int index,
                  int old_extra_rows) {
  const int slot = get_index(index);
  const enemy *e = enemy_at(index);
  const int w = contour->w, h = contour->h;
  int ox = 0, oy = 0, ow = w, oh = h;
  if (e && e->last_sprite) {
    ox = static_cast<int>(e->last_x - scrolled_x - x);
    oy = static_cast<int>(scrolled_y + e->last_y - y - 1);
    ow = e->last_sprite->w;
    oh = e->last_sprite->h + old_extra_rows;
  }
  const int i0 = std::min(0, ox), i1 = std::max(w, ox + ow);
  const int j0 = std::min(0, oy), j1 = std::max(h, oy + oh);
  for (int i = i0; i < i1; i++) {
    for (int j = j0; j < j1; j++) {
      int c, r;
      if (!spritemap_cell(x + i, y + j, c, r)) continue;
      unsigned short &cell = spritemap[c][r];
      const bool own = slot_of(cell) == slot;
      const bool in_new = i >= 0 && i < w && j >= 0 && j < h;
      if (!in_new) {
        const bool in_old = i >= ox && i < ox + ow && j >= oy && j < oy + oh;
        if (in_old && own) cell = 0;
        continue;
      }
      const int v = mask_value(contour, i, j);
      if (v == 0) {
        if (own) cell = 0;
        continue;
      }
      const int top = v + alt;
      if (sprite && !(height_of(cell) <= top || own)) continue;  // hidden
      if (sprite) put_sprite_pixel(currentbuffer, sprite, i, j, x + i, y + j);
      if (top > 0)
        write_cell(cell, top, slot);
      else if (own)
        cell = 0;
    }
  }
}

}  // namespace

bool spritemap_cell(int sx, int sy, int &column, int &row) {
  if (!ring_ok() || sx < 0 || sx >= big_screen_w) return false;
  column = (logicpos + sx) % big_screen_w;
  if (column < 0) column += big_screen_w;
  row = sy - ystart + ((sx + (logicpos & 1)) >> 1);
  return row >= 0 && row < SPRITEMAP_ROWS;
}

bool put_sprite_pixel(BITMAP *dest, BITMAP *sprite, int i, int j, int x, int y) {
  const int c = getpixel(sprite, i, j);
  if (c < 0 || c == bitmap_mask_color(sprite)) return false;
  const int depth = bitmap_color_depth(sprite);
  if (depth == 8) {
    putpixel(dest, x, y, palette_color[c]);  // c is 1..255 here
    return true;
  }
  // A truecolour sprite holds colours already: no palette lookup.
  const int dest_depth = bitmap_color_depth(dest);
  if (dest_depth == depth)
    putpixel(dest, x, y, c);
  else
    putpixel(dest, x, y,
             makecol_depth(dest_depth, getr_depth(depth, c), getg_depth(depth, c),
                           getb_depth(depth, c)));
  return true;
}

int get_index(int index) {
  for (int i = 1; i < SPRITEMAP_SLOTS; i++)
    if (sprite_index[i] == index) return i;
  for (int i = 1; i < SPRITEMAP_SLOTS; i++) {
    const enemy *owner = sprite_index[i] == 0 ? nullptr : enemy_at(sprite_index[i]);
    if (!owner || owner->on_screen == 0) {
      sprite_index[i] = index;
      return i;
    }
  }
  return 0;
}

void draw_sprite_to_spritemap(BITMAP *contour, int x, int y, int alt, int index) {
  const int slot = get_index(index);
  const enemy *e = enemy_at(index);
  const int w = contour->w, h = contour->h;
  const int n = std::max((e ? e->spritemap_columns : 0) - 1, 0);
  const int s = e ? e->spritemap_y : 0;
  const int row_limit = s > 0 && s < h ? h - s : h;
  for (int i = 0; i < w; i++) {
    for (int j = 0; j < h; j++) {
      if (i < n && j >= row_limit) continue;
      int c, r;
      if (!spritemap_cell(x + i, y + j, c, r)) continue;
      const int v = mask_value(contour, i, j);
      if (v > 0) write_cell(spritemap[c][r], v + alt, slot);
    }
  }
}

void move_sprite_on_spritemap(BITMAP *contour, int x, int y, int alt, int index) {
  move_contour(nullptr, contour, x, y, alt, index, 1);
}

void move_sprite_with_contour(BITMAP *sprite, BITMAP *contour, int x, int y, int alt,
                              int index) {
  if (contour->w > sprite->w || contour->h > sprite->h) {
    printf("Data fault: the contour of %s (enemy %d) is %d x %d, larger than its %d x %d "
           "sprite\n",
           kind_name(enemy_at(index)), index, contour->w, contour->h, sprite->w, sprite->h);
    main_exit(EXIT_FATAL);
  }
  move_contour(sprite, contour, x, y, alt, index, 2);
}

void draw_sprite_if_above(BITMAP *sprite, int x, int y, int alt) {
  for (int j = 0; j < sprite->h; j++) {
    for (int i = 0; i < sprite->w; i++) {
      int height = 0, c, r;
      if (lookup_cell(x + i, y + j, c, r)) height = height_of(spritemap[c][r]);
      if (height <= alt) put_sprite_pixel(currentbuffer, sprite, i, j, x + i, y + j);
    }
  }
}

void clear_last_sprite(enemy *e) {
  if (!e) return;
  const int slot = get_index(e->index);
  BITMAP *b = e->last_sprite;
  if (!b && e->type >= 0 && e->type < total_enemy_types && enemy_type_list[e->type])
    b = enemy_type_list[e->type]->contour;
  if (!b) return;
  const int ox = static_cast<int>(e->last_x - scrolled_x);
  const int oy = static_cast<int>(scrolled_y + e->last_y);
  for (int i = 0; i < b->w; i++) {
    for (int j = 0; j < b->h; j++) {
      int c, r;
      if (!spritemap_cell(ox + i, oy + j - 1, c, r)) continue;
      if (slot_of(spritemap[c][r]) == slot) spritemap[c][r] = 0;
    }
  }
}

void getcontour(int x, int y, int *height, int *index) {
  int c, r;
  if (!lookup_cell(x, y, c, r)) {
    *height = 0;
    *index = -1;
    return;
  }
  *height = height_of(spritemap[c][r]);
  *index = sprite_index[slot_of(spritemap[c][r])];
}

int detect_sprite_in_front(int x, int y, int alt) {
  int t, n;
  getcontour(x, y, &t, &n);
  return alt <= t ? n : -1;
}

int detect_sprite_with_width(int x, int y, int alt) {
  int t, n;
  getcontour(x, y, &t, &n);
  int depth = GROUND_DEPTH;
  if (n > 0) {
    const enemy *e = enemy_at(n);
    depth = 0;
    if (e && e->type >= 0 && e->type < total_enemy_types && enemy_type_list[e->type])
      depth = enemy_type_list[e->type]->depth;
  }
  return t - depth < alt && alt <= t ? n : -1;
}

void clear_scrolled_spritemap() {
  if (!ring_ok()) return;
  const int count = std::min(scrolled_x + 1, big_screen_w);
  for (int k = 1; k <= count; k++)
    std::memset(spritemap[ring_column(logicpos - k)], 0, sizeof spritemap[0]);
}

void clear_contours() {
  // The ring is as wide as the screen's floor (display's big_screen_w).
  if (SCREEN_W + 32 > SPRITEMAP_COLUMNS) {
    printf("The screen is %d pixels wide; the sprite map allows at most %d\n", SCREEN_W,
           SPRITEMAP_MAX_SCREEN_W);
    main_exit(EXIT_FATAL);
  }
  for (int c = 0; c < big_screen_w; c++) std::memset(spritemap[c], 0, sizeof spritemap[0]);
  for (int i = 0; i < total_enemies; i++) {
    if (!enemy_map[i]) continue;
    enemy_map[i]->spritemap_columns = 0;
    enemy_map[i]->spritemap_y = 0;
  }
}

void draw_fancy_shadow(BITMAP *shadow, int x, int y, int alt) {
  if (!ring_ok()) return;
  for (int i = 0; i < shadow->w; i++) {
    const int sx = x + i;
    // Off the ring there is nothing to fall on: every cell reads empty.
    const bool on_ring = sx >= 0 && sx < big_screen_w;
    const int c = on_ring ? ring_column(logicpos + sx) : 0;
    const int r0 = y - ystart + ((sx + (logicpos & 1)) >> 1);
    int s = 1;
    for (int j = 0; j < shadow->h; j++) {
      if (mask_value(shadow, i, j) == 0) continue;
      int k = s;
      s = 0;
      bool run = false;
      while (k <= alt) {
        const int r = r0 + j + k;
        const int h = on_ring && r >= 0 && r < SPRITEMAP_ROWS ? height_of(spritemap[c][r]) : 0;
        if (alt - k == h) {
          int f = k >= SHADOW_LONG_FALL ? SHADOW_LONG_STEPS : SHADOW_FADE_START - k / SHADOW_FADE_PER;
          f = std::min(f, SHADOW_FULL_STEPS);
          const int py = y + j + k;
          if (sx >= 0 && sx < currentbuffer->w && py >= 0 && py < currentbuffer->h)
            darken(currentbuffer, sx, py, static_cast<float>(f));
          run = true;
        } else if (alt - k < h) {
          if (s == 0) s = h - alt;
          if (run) break;
          run = false;
        } else {
          run = false;
        }
        k++;
      }
      if (s == 0) s = k - 1;
    }
  }
}

void draw_spritemap() {
  if (!ring_ok()) return;
  const int p = logicpos & 1;
  for (int x = 0; x < SCREEN_W; x++) {
    const int c = ring_column(x + logicpos - p);
    for (int row = 0; row < SPRITEMAP_ROWS; row++) {
      const int sy = ystart - x / 2 + row;
      if (sy >= SCREEN_H) break;
      const unsigned short cell = spritemap[c][row];
      const int v = show3dmap == 1 ? height_of(cell) : slot_of(cell);
      if (v != 0) putpixel(currentbuffer, x - p, sy, palette_color[v]);
    }
  }
}
