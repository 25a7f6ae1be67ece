// The level compiler: renders the level source into the strip picture,
// cuts it into 8 x 8 tiles, keeps each different tile once (the tile
// sheet), and makes the map files and the enemy map.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "datagen/level_source.h"
#include "datagen/model.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

constexpr int TILE = 8;
constexpr int SHEET_W = 256;
constexpr int SHEET_H = 448;
constexpr int SHEET_COLUMNS = SHEET_W / TILE;

using tile_picture = std::array<uint8_t, TILE * TILE>;

struct compiled_level {
  std::vector<tile_picture> tiles;      // tile 0 is black
  std::vector<int> cells;               // MAP_POSITIONS x MAP_COLUMNS, position major
  std::vector<enemy_record> structure;  // walls, blocks, fences, posts
  int &cell(int p, int c) { return cells[size_t(p) * MAP_COLUMNS + c]; }
  int cell(int p, int c) const { return cells[size_t(p) * MAP_COLUMNS + c]; }
};

// Compiles a design; tiles past the sheet's 1792 are still counted (the
// validator reports them).
compiled_level compile_level(const level_design &design);
const compiled_level &the_compiled_level();

// A way through a wall line: columns across0 up to (not including) across1
// that no module of the line fills, with wall on both sides, under a
// lintel or open to the sky. Gates the game opens are not counted: shut,
// they are wall.
struct wall_opening {
  int along, across0, across1;
  int height;  // of the lower of the walls beside it
  bool under_lintel;
};
std::vector<wall_opening> wall_openings(const level_design &design);

// The first half of the strip is drawn; the second half repeats parts of
// it (fortress 3 is fortress 1, fortress 4 is fortress 2) with a black
// loop between, as the second pass of the enemy map repeats the objects.
// Fortress 1's tiles are repeated up to this position; the copies of
// anything further would fall on the loop or its seam.
constexpr int FIRST_FORTRESS_LAST_TILE = 451;
// The first-half position a second-half position repeats, or -1 for the
// black approach and loop.
int second_half_source(int p);
void fill_second_half(compiled_level &level);

// Where a standing object's picture has the centre of its foot: canvas
// pixel (ox, oy) of a w x h picture.
struct sprite_frame {
  int w, h, ox, oy;
};
sprite_frame frame_of_kind(int kind);

// The record (m, n) of a standing object, from the centre of its foot.
enemy_record place_object(const placed_object &o, const sprite_frame &f);

// The game takes enemy 0 to mean "no enemy", so the first record is one
// that nothing can meet: chimneys have no contour (nothing hits them or
// hides behind them), get no copy in the second half, and stand on a
// position play never shows.
constexpr enemy_record INERT_FIRST_RECORD = {KIND_CHIMNEYS, 1167, 53, 0};

// Every record of the enemy map: the inert first one, the structure, then
// the standing objects (rockets with the holes they wait in).
std::vector<enemy_record> level_records(const level_design &design, const compiled_level &level);

// Writes mapdatap.dat, smapdatap.dat and enemymapp.dat into `out_dir`
// after checking them; ends the generator when a rule is broken.
void write_level_files(const std::string &out_dir, const std::vector<DataObject> &borlin,
                       const std::vector<DataObject> &kestal);
