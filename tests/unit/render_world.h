// A headless 640 x 480 frame with a few enemies of made-up kinds, for the
// renderer's tests. Every global it touches is put back afterwards.
#pragma once

#include <allegro.h>

#include <array>
#include <vector>

#include "fake_card.h"
#include "gen/anims.h"
#include "render/spritemap.h"
#include "world/enemy_map.h"

struct RenderWorld {
  static constexpr int W = 640, H = 480;
  static constexpr int ENEMIES = 8;
  static constexpr int KINDS = 33;

  FakeCard card;
  BITMAP *frame;  // currentbuffer
  std::vector<BITMAP *> owned;
  enemy enemies[ENEMIES];
  enemy_type kinds[KINDS];

  RenderWorld();
  ~RenderWorld();

  // An 8-bit bitmap filled with `value` (a contour, a shadow or a sprite).
  BITMAP *solid(int w, int h, int value);
  // Kind `kind` with the given contour and depth; enemy `index` of it.
  enemy &place(int index, int kind, BITMAP *contour = nullptr, int depth = 10);
  // Writes one map cell under screen point (x, y).
  void set_cell(int x, int y, int height, int slot);
  int cell_height(int x, int y);
  int cell_slot(int x, int y);

 private:
  BITMAP *saved_buffer;
  int *saved_palette_color;
  int identity[256];
  enemy *saved_map[ENEMIES + 1];
  int saved_total, saved_loaded, saved_types;
  enemy_type *saved_kinds[KINDS];
  int saved_logicpos, saved_scrolled_x, saved_scrolled_y, saved_range, saved_inside;
  int saved_shadows, saved_boss, saved_missile, saved_3dmap, saved_offset;
  float saved_scrollpos;
  std::array<int, SPRITEMAP_SLOTS> saved_index;
};
