// The data generator: builds borlin.dat and kestal.dat from code and the
// readable sources under data/, and writes them into the game's folder.
//
//   datagen OUT_DIR SOURCE_DIR
//
// How to add a producer: write `DataObject make_x(int index)` in a module of
// its own (declare it in producers.h, add the .cpp to DATAGEN_SOURCES in
// tools/CMakeLists.txt), put it at its index in borlin_producers or
// kestal_producers below. A producer that makes several objects in one go
// (a renderer, the level compiler) builds them once into a cache of its own
// module and hands out one object per call. Files other than the two data
// files (the level files) get their writer called at the end of main.
// Everything must stay deterministic: no clock, no rand(), no unordered
// iteration.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "datagen/producers.h"
#include "datagen/level_compiler.h"
#include "datagen/writer.h"

namespace {

struct ProducerEntry {
  int index;
  Producer make;
};

// Which producer makes each object of borlin.dat, in index order.
constexpr ProducerEntry borlin_producers[] = {
    {BORLIN_GAME_FONT, make_font},
    {BORLIN_ENEMY_SHOT_SAMPLE, make_sound},
    {BORLIN_2X3_BLOCK_CONTOUR, make_level_contour},
    {BORLIN_3X2_BLOCK_CONTOUR, make_level_contour},
    {BORLIN_BLUE_TURRET_CONTOUR, make_world_mask},
    {BORLIN_DOODLEBUG_CONTOUR, make_world_mask},
    {BORLIN_DOODLEBUG_SHADOW, make_world_mask},
    {BORLIN_FORCE_FIELD2_CONTOUR, make_level_contour},
    {BORLIN_FORCE_FIELD_CONTOUR, make_level_contour},
    {BORLIN_FUEL_CONTOUR, make_world_mask},
    {BORLIN_GREEN_TURRET_LEFT_CONTOUR, make_world_mask},
    {BORLIN_GREEN_TURRET_RIGHT_CONTOUR, make_world_mask},
    {BORLIN_HOLE_CONTOUR, make_world_mask},
    {BORLIN_BANKED_PLANE_CONTOUR, make_world_mask},
    {BORLIN_PARKED_PLANE_CONTOUR, make_world_mask},
    {BORLIN_PLANE_CONTOUR, make_world_mask},
    {BORLIN_RADAR_CONTOUR, make_world_mask},
    {BORLIN_RED_ROCKET_CONTOUR, make_world_mask},
    {BORLIN_UNUSED, make_unused},
    {BORLIN_SATELLITE_CONTOUR, make_world_mask},
    {BORLIN_SUPERFUEL_CONTOUR, make_world_mask},
    {BORLIN_WALL_3W_TOP_CONTOUR, make_level_contour},
    {BORLIN_WALL_3X1_CONTOUR, make_level_contour},
    {BORLIN_WALL_3X2_CONTOUR, make_level_contour},
    {BORLIN_WALL_3X4_CONTOUR, make_level_contour},
    {BORLIN_WALL_SIDE_CONTOUR, make_level_contour},
    {BORLIN_YELLOW_ROCKET_CONTOUR, make_world_mask},
    {BORLIN_BOSS_CONTOUR, make_world_mask},
    {BORLIN_BOSS_SHADOW, make_world_mask},
    {BORLIN_ENGINE_GROUND_SAMPLE, make_sound},
    {BORLIN_ROCKET_LAUNCH_SAMPLE, make_sound},
    {BORLIN_SHIP_SHOT_SAMPLE, make_sound},
    {BORLIN_SHIP_EXPLOSION_SAMPLE, make_sound},
    {BORLIN_CAPTION_FONT, make_font},
    {BORLIN_LOGO, make_logo},
    {BORLIN_DOODLEBUG_SAMPLE, make_sound},
    {BORLIN_FORCE_FIELD_HUM_SAMPLE, make_sound},
    {BORLIN_SHIP_LEFT2_SHADOW, make_world_mask},
    {BORLIN_SHIP_LEFT1_SHADOW, make_world_mask},
    {BORLIN_SHIP_MIDDLE_SHADOW, make_world_mask},
    {BORLIN_ENEMY_EXPLOSION_SAMPLE, make_sound},
    {BORLIN_ENGINE_SPACE_SAMPLE, make_sound},
    {BORLIN_LOCK_ON_SAMPLE, make_sound},
    {BORLIN_NORMAL_PALETTE, make_palette},
    {BORLIN_WAVES_PALETTE, make_palette},
    {BORLIN_BOSS_FLASH_PALETTE, make_palette},
    {BORLIN_DEMO_PALETTE, make_palette},
};
static_assert(std::size(borlin_producers) == BORLIN_OBJECT_COUNT);

// Which producer makes each object of kestal.dat, in index order.
constexpr ProducerEntry kestal_producers[] = {
    {KESTAL_TILE_SHEET, make_tile_sheet},
    {KESTAL_3X2_BLOCK, make_block_sprite},
    {KESTAL_3X2_BLOCK_WITHOUT_SIDE, make_block_sprite},
    {KESTAL_BLUE_TURRET, make_world_sprite},
    {KESTAL_CHIMNEYS, make_world_sprite},
    {KESTAL_DOODLEBUG, make_world_sprite},
    {KESTAL_FORCE_FIELD_BEAM, make_world_sprite},
    {KESTAL_FUEL, make_world_sprite},
    {KESTAL_WRECK, make_world_sprite},
    {KESTAL_GREEN_TURRET_LEFT, make_world_sprite},
    {KESTAL_GREEN_TURRET_RIGHT, make_world_sprite},
    {KESTAL_HOLE, make_world_sprite},
    {KESTAL_HOLE2, make_world_sprite},
    {KESTAL_PLANE, make_world_sprite},
    {KESTAL_PLANE_BANKED, make_world_sprite},
    {KESTAL_PLANE_NO_SHADOW, make_world_sprite},
    {KESTAL_RADAR, make_world_sprite},
    {KESTAL_RED_ROCKET, make_world_sprite},
    {KESTAL_SATELLITE, make_world_sprite},
    {KESTAL_SUPER_3X2_BLOCK, make_block_sprite},
    {KESTAL_SUPER_3X2_BLOCK_WITHOUT_SIDE, make_block_sprite},
    {KESTAL_SUPER_BLUE_TURRET, make_world_sprite},
    {KESTAL_SUPERFUEL, make_world_sprite},
    {KESTAL_YELLOW_ROCKET, make_world_sprite},
    {KESTAL_BOSS, make_world_sprite},
    {KESTAL_ENEMY_BULLET, make_world_sprite},
    {KESTAL_ROUND_MARKER, make_round_marker},
    {KESTAL_SHIP_BULLET, make_world_sprite},
    {KESTAL_RESERVE_SHIP_ICON, make_world_sprite},
    {KESTAL_PLANE_COUNTER_ICON, make_world_sprite},
    {KESTAL_SHIP_LEFT1, make_world_sprite},
    {KESTAL_SHIP_LEFT2, make_world_sprite},
    {KESTAL_SHIP_MIDDLE, make_world_sprite},
    {KESTAL_SHIP_RIGHT1, make_world_sprite},
    {KESTAL_SHIP_RIGHT2, make_world_sprite},
};
static_assert(std::size(kestal_producers) == KESTAL_OBJECT_COUNT);

[[noreturn]] void fail(const std::string &file, int index, const std::string &why) {
  fprintf(stderr, "datagen: %s object %d: %s\n", file.c_str(), index, why.c_str());
  exit(1);
}

// What the game relies on, checked before anything is written.
void check_object(const std::string &file, int index, const DataObject &o, DataKind want) {
  if (o.kind != want) fail(file, index, "wrong kind of object");
  if (o.name.empty()) fail(file, index, "no name");
  switch (o.kind) {
    case DK_BITMAP:
      if (o.bitmap.w < 1 || o.bitmap.h < 1 ||
          o.bitmap.px.size() != size_t(o.bitmap.w) * o.bitmap.h)
        fail(file, index, "bitmap without pixels");
      break;
    case DK_SAMPLE:
      if (o.sample.data.empty()) fail(file, index, "empty sample");
      break;
    case DK_FONT:
      if (o.font.glyphs.size() != size_t(FONT_GLYPHS)) fail(file, index, "glyphs missing");
      for (const Glyph &g : o.font.glyphs)
        if (g.h != o.font.glyphs[0].h || g.ink.size() != size_t(g.w) * g.h)
          fail(file, index, "glyphs of uneven height");
      break;
    case DK_PALETTE:
      for (const Rgb &c : o.palette)
        if (c.r > 63 || c.g > 63 || c.b > 63) fail(file, index, "colour out of range");
      break;
  }
}

template <size_t N, class KindOf>
std::vector<DataObject> build_file(const std::string &file,
                                   const ProducerEntry (&producers)[N], KindOf kind_of) {
  std::vector<DataObject> objects;
  std::set<std::string> names;
  for (size_t i = 0; i < N; i++) {
    if (producers[i].index != int(i)) fail(file, int(i), "producer table out of order");
    DataObject o = producers[i].make(int(i));
    check_object(file, int(i), o, kind_of(int(i)));
    if (!names.insert(o.name).second) fail(file, int(i), "duplicate name " + o.name);
    objects.push_back(std::move(o));
  }
  return objects;
}

void write_or_fail(const std::string &path, const std::vector<DataObject> &objects) {
  std::string error;
  if (!write_datafile(path, objects, error)) {
    fprintf(stderr, "datagen: %s\n", error.c_str());
    exit(1);
  }
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: datagen OUT_DIR SOURCE_DIR\n");
    return 2;
  }
  std::string out_dir = argv[1];
  source_dir = argv[2];
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    fprintf(stderr, "datagen: cannot start the library\n");
    return 1;
  }
  std::vector<DataObject> borlin = build_file(
      "borlin.dat", borlin_producers, [](int i) { return borlin_object_kinds[i]; });
  std::vector<DataObject> kestal =
      build_file("kestal.dat", kestal_producers, [](int) { return kestal_object_kind; });
  write_or_fail(out_dir + "/borlin.dat", borlin);
  write_or_fail(out_dir + "/kestal.dat", kestal);
  write_level_files(out_dir, borlin, kestal);
  return 0;
}
