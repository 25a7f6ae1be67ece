#include "render_world.h"

#include <algorithm>
#include <cstring>

#include "display/frame.h"
#include "display/gfx.h"
#include "platform/video.h"
#include "world/state.h"
#include "render/background.h"
#include "world/map_data.h"

RenderWorld::RenderWorld() {
  saved_buffer = currentbuffer;
  saved_palette_color = palette_color;
  for (int i = 0; i < 256; i++) identity[i] = i;
  std::copy(enemy_map, enemy_map + ENEMIES + 1, saved_map);
  saved_total = total_enemies;
  saved_loaded = total_loaded_enemies;
  saved_types = total_enemy_types;
  std::copy(enemy_type_list, enemy_type_list + KINDS, saved_kinds);
  saved_logicpos = logicpos;
  saved_scrolled_x = scrolled_x;
  saved_scrolled_y = scrolled_y;
  saved_range = range_index;
  saved_inside = inside_fortress;
  saved_shadows = bulletshadows;
  saved_boss = borlin_boss;
  saved_missile = borlin_missile;
  saved_3dmap = show3dmap;
  saved_offset = scroll_offset;
  saved_scrollpos = scrollpos;
  std::copy(sprite_index, sprite_index + SPRITEMAP_SLOTS, saved_index.begin());

  set_color_depth(8);
  gfx_mode_call(GFX_AUTODETECT_WINDOWED, W, H, 0, 0);
  set_screen_geometry(W, H);
  palette_color = identity;  // as in an 8-bit mode
  frame = create_bitmap(W, H);
  clear_bitmap(frame);
  currentbuffer = frame;
  logicpos = scrolled_x = scrolled_y = 0;
  range_index = 1;  // fortress 1's stretch: positions 11..454 are ground
  inside_fortress = 0;
  bulletshadows = -1;
  borlin_boss = borlin_missile = 0;
  show3dmap = 0;
  scroll_offset = 0;
  scrollpos = 0;
  std::fill(sprite_index, sprite_index + SPRITEMAP_SLOTS, 0);
  for (int k = 0; k < KINDS; k++) {
    kinds[k] = enemy_type{};
    kinds[k].name = "test kind";
    enemy_type_list[k] = &kinds[k];
  }
  total_enemy_types = KINDS;
  for (int i = 0; i < ENEMIES; i++) {
    enemies[i] = enemy{};
    enemies[i].index = i;
    enemy_map[i] = &enemies[i];
  }
  enemy_map[ENEMIES] = nullptr;
  total_enemies = total_loaded_enemies = ENEMIES;
  clear_contours();
}

RenderWorld::~RenderWorld() {
  std::memset(spritemap, 0, sizeof spritemap);
  currentbuffer = saved_buffer;
  palette_color = saved_palette_color;
  for (BITMAP *b : owned) destroy_bitmap(b);
  destroy_bitmap(frame);
  std::copy(saved_map, saved_map + ENEMIES + 1, enemy_map);
  total_enemies = saved_total;
  total_loaded_enemies = saved_loaded;
  total_enemy_types = saved_types;
  std::copy(saved_kinds, saved_kinds + KINDS, enemy_type_list);
  logicpos = saved_logicpos;
  scrolled_x = saved_scrolled_x;
  scrolled_y = saved_scrolled_y;
  range_index = saved_range;
  inside_fortress = saved_inside;
  bulletshadows = saved_shadows;
  borlin_boss = saved_boss;
  borlin_missile = saved_missile;
  show3dmap = saved_3dmap;
  scroll_offset = saved_offset;
  scrollpos = saved_scrollpos;
  std::copy(saved_index.begin(), saved_index.end(), sprite_index);
}

BITMAP *RenderWorld::solid(int w, int h, int value) {
  BITMAP *b = create_bitmap_ex(8, w, h);
  clear_to_color(b, value);
  owned.push_back(b);
  return b;
}

enemy &RenderWorld::place(int index, int kind, BITMAP *contour, int depth) {
  kinds[kind].contour = contour;
  kinds[kind].depth = depth;
  enemies[index].type = kind;
  enemies[index].hit_points = 1;
  enemies[index].on_screen = -1;
  return enemies[index];
}

void RenderWorld::set_cell(int x, int y, int height, int slot) {
  int c, r;
  if (spritemap_cell(x, y, c, r)) spritemap[c][r] = static_cast<unsigned short>(height | slot << 8);
}

int RenderWorld::cell_height(int x, int y) {
  int c, r;
  return spritemap_cell(x, y, c, r) ? spritemap[c][r] & 0xff : -1;
}

int RenderWorld::cell_slot(int x, int y) {
  int c, r;
  return spritemap_cell(x, y, c, r) ? spritemap[c][r] >> 8 : -1;
}
