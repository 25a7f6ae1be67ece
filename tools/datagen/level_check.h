// The level's rules: what the game needs of the three level files (broken
// ones fail the build) and what makes the level fair to play (warnings).
#pragma once

#include <string>
#include <vector>

#include "datagen/level_compiler.h"

struct level_report {
  std::vector<std::string> errors;
  std::vector<std::string> warnings;
};

// Positions along the strip that play never shows between the fortresses:
// the open space where the plane waves fly.
constexpr int SPACE_FIRST = 460;
constexpr int SPACE_LAST = 594;
// Records here would have no copy or a copy on the second half's loop.
constexpr int NO_RECORDS_FIRST = 451;
constexpr int NO_RECORDS_LAST = 611;
constexpr int LOOP_FIRST = 1626;
constexpr int LOOP_PERIOD = 18;
constexpr int LOOP_CHECKED_LAST = 1689;
// The last positions of each half, never shown but smeared at the edge.
constexpr int NEVER_SHOWN_FIRST = 1167;
constexpr int NEVER_SHOWN_LAST = 1169;
// Room left in the enemy table for what play launches.
constexpr int DYNAMIC_RESERVE = 64;
// Sprite-map rows under the view, and the height a cell can hold.
constexpr int SPRITE_MAP_ROWS = 410;
// Columns the ship can reach.
constexpr int REACH_FIRST = 20;
constexpr int REACH_LAST = 49;
// Fortress 1 along the flight (world along-positions), watched above 80.
constexpr int FORTRESS1_FIRST = 8;
constexpr int FORTRESS1_LAST = 390;
constexpr int WATCHED_ALTITUDE = 80;
// The ship flies no lower than this, is hit by a surface of height t at
// altitudes just under it, and is about this tall itself.
constexpr int LOWEST_FLIGHT = 16;
constexpr int HIT_BAND = 6;
constexpr int SHIP_HEIGHT = 8;
constexpr int MIN_REFILLS = 14;
constexpr int MAX_FUEL_GAP = 40;

// Rockets take off when the raw scroll passes their launch place; one
// further back than this shows through the fold at the end of stretch 0
// long after that, and would leave from the screen's edge.
constexpr int FIRST_ROCKET_MAP_X = 90;
// The widest mode the game opens, and the static objects one frame can queue.
constexpr int WIDEST_VIEW_W = 800;
constexpr int WIDEST_VIEW_H = 600;
constexpr int STATIC_OBJECTS_PER_FRAME = 256;

// Names of stand-in objects carried this mark; none may be left.
constexpr const char *PROVISIONAL_MARK = "-PROVISIONAL";

// True for a record nothing in play can meet (see INERT_FIRST_RECORD).
bool inert_record(const enemy_record &r);

level_report check_level(const level_design &design, const compiled_level &level,
                         const std::vector<enemy_record> &records,
                         const std::vector<DataObject> &borlin,
                         const std::vector<DataObject> &kestal);
