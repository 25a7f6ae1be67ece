// The level's tile strip, the order in which play visits its stretches,
// and the rule that turns a running position into a map position.
#pragma once

constexpr int MAP_COLUMNS = 51;             // across the strip
constexpr int MAP_POSITIONS = 2266;         // along the strip
constexpr int FIRST_HALF_POSITIONS = 1170;  // positions 0..1169, "mapdatap.dat"
constexpr int SECOND_HALF_POSITIONS = MAP_POSITIONS - FIRST_HALF_POSITIONS;  // "smapdatap.dat"
constexpr int MAP_TILES = 1792;  // tile numbers 0..1791 of the tile sheet

constexpr const char *FIRST_MAP_FILE = "mapdatap.dat";
constexpr const char *SECOND_MAP_FILE = "smapdatap.dat";

// map_data[position][column] holds a tile number.
extern int map_data[MAP_POSITIONS][MAP_COLUMNS];

// Pairs {first position, last position}, one per stretch in play order,
// addressed as flat integers: stretch s ends at element 2s + 1 and the
// next stretch starts at element 2s + 2 (and ends at 2s + 3). The last
// stretch is followed by stretch 0 again, because a round restarts there;
// that pair is stored after the 14 stretches so the last stretch's
// "next" reads stay inside the table.
constexpr int LOGIC_MAP_STRETCHES = 14;
constexpr int LOGIC_MAP_SIZE = 2 * LOGIC_MAP_STRETCHES + 2;
extern const int logic_map[LOGIC_MAP_SIZE];
extern int range_index;  // the stretch being played, 0..13

// The scroll position (8 a map position) where stretch s begins.
int stretch_start(int s);

// Folds a running position p once: past the current stretch's last
// position it continues at the next stretch's first.
int fold_map_position(int p);

// Reads one map file of `positions` positions into map_data from
// `first_position` on, column by column. False when the file is missing,
// not a packfile, ends early or holds a tile number outside the sheet.
bool read_map_file(const char *name, int first_position, int positions);

// Writes positions first_position .. first_position + positions - 1 of
// map_data in the same form; false when the file cannot be created.
bool write_map_file(const char *name, int first_position, int positions);

// Fills map_data from both map files, or reports which one failed and leaves.
void load_map_data();
