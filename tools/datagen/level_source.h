// The level as a person writes it: data/level/level.txt, in world terms.
// "along" counts map positions in the direction of flight, "across" counts
// the strip's 51 columns (0 at the far edge), heights are in pixels.
#pragma once

#include <string>
#include <vector>

// The building blocks the source is written in, in columns, positions and
// pixels of height.
constexpr int WALL_MODULE_COLUMNS = 6;
constexpr int SIDE_MODULE_POSITIONS = 2;
constexpr int SIDE_HEIGHT = 32;
constexpr int TOWER_COLUMNS = 4;
constexpr int TOWER_HEIGHT = 48;
constexpr int BLOCK_HEIGHT = 32;  // a gate block, as wide as a wall module
constexpr int LINTEL_BOTTOM = 33;
constexpr int LINTEL_TOP = 64;

// The deck, the heavier plating of the outer bays, the ground outside.
enum FloorMaterial { FLOOR_FORTRESS, FLOOR_PLATING, FLOOR_GROUND };

struct floor_area {
  int along0, along1;    // inclusive
  int across0, across1;  // inclusive
  FloorMaterial material;
};

// Markings painted on the floor over the cells of an area, inclusive:
// hazard stripes, a cargo hatch, a vent grille, a painted line or dashes,
// and a landing pad (a disc centred on one lattice point).
enum MarkKind { MARK_STRIPES, MARK_HATCH, MARK_VENT, MARK_LINE, MARK_DASHES, MARK_PAD };
struct floor_mark {
  MarkKind kind;
  int along0, along1;
  int across0, across1;
};

// Cells of the strip kept black whatever lies there: positions p0..p1.
struct blank_band {
  int p0, p1;
};

// A wall across the flight: modules of 6 columns from `across0` on, the
// last one moved back to end at `across1` (modules may overlap), one
// position thick, each 16, 32 or 64 pixels high.
struct wall_line {
  int along;
  int across0, across1;  // first column, one past the last
  int height;
};

// The first column of each module of a wall.
std::vector<int> wall_modules(const wall_line &w);

// A wall along the flight: side modules of 2 positions from `along0`
// to `along1` (one past the last), one column thick, at column `across`.
struct side_wall {
  int along0, along1;
  int across;
};

// A lintel bridging a gate of a 64-pixel wall from 32 up to 64 pixels.
struct lintel {
  int along, across;
};

// A named block of the enemy map that the game opens as a gap; given as
// the enemy map stores it.
struct handle_block {
  std::string name;
  int kind, m, n;
};

// Things standing on the floor, by the centre of their foot.
struct placed_object {
  int kind;
  double along, across;
  int alt;
};

// A force field across the flight, with its posts.
struct force_field {
  int kind;  // 11 or 23
  int along;
};

// A tower: a 4-column, 48-pixel block drawn in the floor tiles.
struct tower {
  int along, across;
};

// A stretch of the strip to show in the overview pictures.
struct overview_region {
  std::string name;
  int p0, p1;
};

struct level_design {
  std::vector<floor_area> floors;
  std::vector<floor_mark> marks;
  std::vector<blank_band> blanks;
  std::vector<wall_line> walls;
  std::vector<side_wall> sides;
  std::vector<lintel> lintels;
  std::vector<tower> towers;
  std::vector<handle_block> handles;
  std::vector<placed_object> objects;
  std::vector<force_field> fields;
  std::vector<overview_region> regions;
};

// Parses the source text; false with "line N: reason" in `error` on the
// first line it cannot read.
bool parse_level(const std::string &text, level_design &out, std::string &error);

// Reads data/level/level.txt under the generator's source folder, or ends
// the generator with the reason.
const level_design &the_level();
