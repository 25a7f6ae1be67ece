// Pictures of the level as the game draws it: the tile strip from the map
// files with every placed enemy of both loader passes standing on it.
// One PNG per stretch of OVERVIEW_SPAN positions of each fortress, plus a
// small picture of the whole of each fortress; the detailed ones also in
// the demo's colours.
//
//   level_overview_tool GAME_DIR OUT_DIR
#include <allegro.h>
#include <loadpng.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "gen/anims.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

namespace {

constexpr int OVERVIEW_SPAN = 110;  // positions per detailed picture
constexpr int WHOLE_SCALE = 4;      // the whole fortress at a quarter size
constexpr int FIELD_FRAME = 3;      // the force-field frame shown

struct fortress {
  const char *name;
  int p0, p1;  // strip positions shown, inclusive
};
constexpr fortress fortresses[] = {{"fortress1", 0, 460},
                                   {"fortress2", 590, 1169},
                                   {"fortress3", 1170, 1630},
                                   {"fortress4", 1680, 2265}};

// The level picture's pixel rows for positions p0..p1.
int top_row(int p1) { return -8 * (p1 / 2); }
int bottom_row(int p0) { return 8 * MAP_COLUMNS - 8 * (p0 / 2); }

void draw_strip(BITMAP *out, BITMAP *sheet, int p0, int p1) {
  const int y0 = top_row(p1);
  for (int p = p0; p <= p1; p++)
    for (int c = 0; c < MAP_COLUMNS; c++) {
      const int t = map_data[p][c];
      blit(sheet, out, (t % 32) * 8, (t / 32) * 8, 8 * (p - p0), 8 * c - 8 * (p / 2) - y0, 8, 8);
    }
}

void draw_enemies(BITMAP *out, int p0, int p1) {
  const int y0 = top_row(p1);
  std::vector<const enemy *> shown;
  for (int i = 0; i < total_enemies; i++) {
    const enemy *e = enemy_map[i];
    if (e->map_x >= p0 - 60 && e->map_x <= p1) shown.push_back(e);
  }
  // Farther objects first: by the bottom of the picture.
  auto bottom = [](const enemy *e) {
    const enemy_type *t = enemy_type_list[e->type];
    return 4 * (e->map_y - e->map_x) - 4 + t->screen_dy - int(e->alt);
  };
  std::stable_sort(shown.begin(), shown.end(),
                   [&](const enemy *a, const enemy *b) { return bottom(a) < bottom(b); });
  for (const enemy *e : shown) {
    const enemy_type *t = enemy_type_list[e->type];
    BITMAP *picture = t->sprite;
    if (!picture && t->anim_type >= 0 && anim_type_list[t->anim_type])
      picture = anim_type_list[t->anim_type]->frame_list[FIELD_FRAME];
    if (!picture) continue;
    const int x = 8 * e->map_x + t->screen_dx - 8 * p0;
    const int y = bottom(e) - picture->h - y0;
    draw_sprite(out, picture, x, y);
  }
}

bool save(const std::string &path, BITMAP *b, const RGB *pal) {
  if (save_png(path.c_str(), b, pal) != 0) {
    fprintf(stderr, "level_overview: cannot write %s\n", path.c_str());
    return false;
  }
  printf("%s\n", path.c_str());
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: level_overview_tool GAME_DIR OUT_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  register_png_file_type();
  const std::string out_dir = argv[2];
  if (chdir(argv[1]) != 0) {
    fprintf(stderr, "level_overview: no folder %s\n", argv[1]);
    return 1;
  }
  set_color_conversion(COLORCONV_NONE);
  commondata = load_resource_file("borlin.dat", borlin_object_kinds.data(), BORLIN_OBJECT_COUNT);
  data = load_resource_file("kestal.dat", kestal_object_kinds.data(), KESTAL_OBJECT_COUNT);
  generate_anims();
  load_map_data();
  init_enemy_type_list();
  BITMAP *sheet = static_cast<BITMAP *>(data[KESTAL_TILE_SHEET].dat);
  const RGB *pal = static_cast<const RGB *>(commondata[BORLIN_NORMAL_PALETTE].dat);
  // The demo recolours the scenery: each detailed picture again in its colours.
  const RGB *demo = static_cast<const RGB *>(commondata[BORLIN_DEMO_PALETTE].dat);
  bool ok = true;
  for (const fortress &f : fortresses) {
    BITMAP *whole = create_bitmap_ex(8, 8 * (f.p1 - f.p0 + 1), bottom_row(f.p0) - top_row(f.p1));
    clear_bitmap(whole);
    draw_strip(whole, sheet, f.p0, f.p1);
    draw_enemies(whole, f.p0, f.p1);
    BITMAP *small = create_bitmap_ex(8, whole->w / WHOLE_SCALE, whole->h / WHOLE_SCALE);
    stretch_blit(whole, small, 0, 0, whole->w, whole->h, 0, 0, small->w, small->h);
    ok &= save(out_dir + "/" + f.name + ".png", small, pal);
    destroy_bitmap(small);
    for (int p = f.p0, part = 1; p < f.p1; p += OVERVIEW_SPAN, part++) {
      const int q = std::min(f.p1, p + OVERVIEW_SPAN);
      const int y = top_row(q) - top_row(f.p1);
      BITMAP *piece = create_bitmap_ex(8, 8 * (q - p + 1), bottom_row(p) - top_row(q));
      blit(whole, piece, 8 * (p - f.p0), y, 0, 0, piece->w, piece->h);
      const std::string stem = out_dir + "/" + f.name + "_" + std::to_string(part);
      ok &= save(stem + ".png", piece, pal) && save(stem + "_demo.png", piece, demo);
      destroy_bitmap(piece);
    }
    destroy_bitmap(whole);
  }
  return ok ? 0 : 1;
}
