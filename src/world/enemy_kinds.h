// The 33 kinds of things that can be hit or hide others, as a table that
// both the game and the level compiler read.
#pragma once

#include <array>

#include "gen/anims.h"
#include "shell/datafile_index.h"

// Kind numbers: the index of a kind in enemy_type_list and in the enemy
// map file.
enum EnemyKind {
  KIND_FUEL,
  KIND_RADAR,
  KIND_HOLE,
  KIND_BLUE_TURRET,
  KIND_GREEN_TURRET_RIGHT,
  KIND_PLANE,
  KIND_HOLE2,
  KIND_2X3_BLOCK,
  KIND_GREEN_TURRET_LEFT,
  KIND_YELLOW_ROCKET,
  KIND_RED_ROCKET,
  KIND_FORCE_FIELD,
  KIND_3X2_BLOCK,
  KIND_INVISIBLE_3X2_BLOCK,
  KIND_3X2_BLOCK_WITHOUT_SIDE,
  KIND_FORCE_FIELD_CONTOUR,
  KIND_WALL_3X2,
  KIND_WALL_3X1,
  KIND_WALL_3W_TOP,
  KIND_WALL_SIDE,
  KIND_WALL_3X4,
  KIND_FORCE_FIELD_2,
  KIND_FORCE_FIELD_1,
  KIND_FORCE_FIELD_3,
  KIND_SATELLITE,
  KIND_DOODLEBUG,
  KIND_FORCE_FIELD2_CONTOUR,
  KIND_BOSS,
  KIND_SUPERFUEL,
  KIND_SUPER_BLUE_TURRET,
  KIND_CHIMNEYS,
  KIND_SUPER_3X2_BLOCK,
  KIND_SUPER_3X2_BLOCK_WITHOUT_SIDE,
  ENEMY_KIND_COUNT
};

// The rockets: they stand on pads, launch with a sound and climb.
constexpr bool is_rocket(int kind) { return kind == KIND_YELLOW_ROCKET || kind == KIND_RED_ROCKET; }

constexpr int NO_OBJECT = -1;  // a kind without this bitmap
constexpr int NO_ANIM = -1;    // a kind not drawn as a running animation
constexpr int INDESTRUCTIBLE = 1000;

// One kind as created at start-up. The force fields have neither sprite
// nor contour: they take their frames and size from their animation type
// (one of the generated ANIM_FORCE_FIELD types), and a contour kind of
// their own at the same place stops the ship.

struct enemy_kind_row {
  const char *name;
  int sprite;   // kestal.dat object, or NO_OBJECT
  int contour;  // borlin.dat object, or NO_OBJECT
  int shadow;   // borlin.dat object, or NO_OBJECT
  bool wrecks;  // leaves the wreck image when destroyed
  int score_low, score_high, hit_points, screen_dx, screen_dy, depth, start_alt, anim_type;
};

constexpr std::array<enemy_kind_row, ENEMY_KIND_COUNT> enemy_kind_table{{
    //  name, sprite, contour, shadow, wrecks, low, high, hp, dx, dy, depth, start alt, anim
    {"fuel", KESTAL_FUEL, BORLIN_FUEL_CONTOUR, NO_OBJECT, true, 300, 300, 1, 1, 0, 10, 0, NO_ANIM},
    {"radar", KESTAL_RADAR, BORLIN_RADAR_CONTOUR, NO_OBJECT, true, 1000, 1000, 1, 0, 2, 13, 0,
     NO_ANIM},
    {"hole", KESTAL_HOLE, BORLIN_HOLE_CONTOUR, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, -1, 0, 0,
     NO_ANIM},
    {"blue turret", KESTAL_BLUE_TURRET, BORLIN_BLUE_TURRET_CONTOUR, NO_OBJECT, true, 500, 200, 1, 0,
     0, 10, 0, NO_ANIM},
    {"green turret right", KESTAL_GREEN_TURRET_RIGHT, BORLIN_GREEN_TURRET_RIGHT_CONTOUR, NO_OBJECT,
     true, 500, 200, 1, 1, 2, 10, 0, NO_ANIM},
    {"plane", KESTAL_PLANE, BORLIN_PARKED_PLANE_CONTOUR, NO_OBJECT, true, 50, 50, 1, 0, 2, 10, 0,
     NO_ANIM},
    {"hole2", KESTAL_HOLE2, NO_OBJECT, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, 0, 0, 0, NO_ANIM},
    {"2x3 block", NO_OBJECT, BORLIN_2X3_BLOCK_CONTOUR, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0,
     -1, 8, 0, NO_ANIM},
    {"green turret left", KESTAL_GREEN_TURRET_LEFT, BORLIN_GREEN_TURRET_LEFT_CONTOUR, NO_OBJECT,
     true, 500, 200, 1, 0, 0, 10, 0, NO_ANIM},
    {"yellow rocket", KESTAL_YELLOW_ROCKET, BORLIN_YELLOW_ROCKET_CONTOUR, NO_OBJECT, false, 150,
     150, 1, 0, 0, 8, -34, NO_ANIM},
    {"red rocket", KESTAL_RED_ROCKET, BORLIN_RED_ROCKET_CONTOUR, NO_OBJECT, false, 150, 150, 1, 0,
     0, 8, -34, NO_ANIM},
    {"force field", NO_OBJECT, NO_OBJECT, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, 0, 6, 0,
     ANIM_FORCE_FIELD},
    {"3x2 block", KESTAL_3X2_BLOCK, BORLIN_3X2_BLOCK_CONTOUR, NO_OBJECT, false, 0, 0,
     INDESTRUCTIBLE, 0, 0, 6, 0, NO_ANIM},
    {"invisible 3x2 block", NO_OBJECT, BORLIN_3X2_BLOCK_CONTOUR, NO_OBJECT, false, 0, 0,
     INDESTRUCTIBLE, 0, 0, 6, 0, NO_ANIM},
    {"3x2 block without side", KESTAL_3X2_BLOCK_WITHOUT_SIDE, BORLIN_3X2_BLOCK_CONTOUR, NO_OBJECT,
     false, 0, 0, INDESTRUCTIBLE, 0, 0, 6, 0, NO_ANIM},
    {"Force Field Contour", NO_OBJECT, BORLIN_FORCE_FIELD_CONTOUR, NO_OBJECT, false, 0, 0,
     INDESTRUCTIBLE, 0, 0, 8, 0, NO_ANIM},
    {"wall 3x2", NO_OBJECT, BORLIN_WALL_3X2_CONTOUR, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, -1,
     6, 0, NO_ANIM},
    {"wall 3x1", NO_OBJECT, BORLIN_WALL_3X1_CONTOUR, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, -1,
     6, 0, NO_ANIM},
    {"wall 3w top", NO_OBJECT, BORLIN_WALL_3W_TOP_CONTOUR, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE,
     0, -1, 6, 0, NO_ANIM},
    {"wall side", NO_OBJECT, BORLIN_WALL_SIDE_CONTOUR, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0,
     -1, 6, 0, NO_ANIM},
    {"wall 3x4", NO_OBJECT, BORLIN_WALL_3X4_CONTOUR, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, -1,
     6, 0, NO_ANIM},
    {"force field 2", NO_OBJECT, NO_OBJECT, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, 0, 8, 0,
     ANIM_FORCE_FIELD2},
    {"force field 1", NO_OBJECT, NO_OBJECT, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, 0, 8, 0,
     ANIM_FORCE_FIELD1},
    {"force field 3", NO_OBJECT, NO_OBJECT, NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, 0, 8, 0,
     ANIM_FORCE_FIELD3},
    {"satelite", KESTAL_SATELLITE, BORLIN_SATELLITE_CONTOUR, NO_OBJECT, false, 300, 300, 1, 1, 0,
     10, 0, NO_ANIM},
    {"doodlebug", KESTAL_DOODLEBUG, BORLIN_DOODLEBUG_CONTOUR, BORLIN_DOODLEBUG_SHADOW, false, 200,
     200, 5, 0, 0, 10, 0, NO_ANIM},
    {"Force Field2 Contour", NO_OBJECT, BORLIN_FORCE_FIELD2_CONTOUR, NO_OBJECT, false, 0, 0,
     INDESTRUCTIBLE, 0, -2, 8, 0, NO_ANIM},
    {"borlin", KESTAL_BOSS, BORLIN_BOSS_CONTOUR, BORLIN_BOSS_SHADOW, false, 200, 200, 599, 0, 0, 10,
     0, NO_ANIM},
    {"superfuel", KESTAL_SUPERFUEL, BORLIN_SUPERFUEL_CONTOUR, NO_OBJECT, true, 300, 300, 1, 1, 0,
     10, 0, NO_ANIM},
    {"super blue turret", KESTAL_SUPER_BLUE_TURRET, BORLIN_BLUE_TURRET_CONTOUR, NO_OBJECT, true,
     500, 200, 1, 0, 0, 10, 0, NO_ANIM},
    {"chimneys", KESTAL_CHIMNEYS, NO_OBJECT, NO_OBJECT, false, 500, 200, 1, 0, 0, 10, 0, NO_ANIM},
    {"super 3x2 block", KESTAL_SUPER_3X2_BLOCK, BORLIN_3X2_BLOCK_CONTOUR, NO_OBJECT, false, 0, 0,
     INDESTRUCTIBLE, 0, 0, 6, 0, NO_ANIM},
    {"super 3x2 block without side", KESTAL_SUPER_3X2_BLOCK_WITHOUT_SIDE, BORLIN_3X2_BLOCK_CONTOUR,
     NO_OBJECT, false, 0, 0, INDESTRUCTIBLE, 0, 0, 6, 0, NO_ANIM},
}};

// The wall blocks that the game looks up by kind, map x and map y at every
// round start, to open some of them as gaps; the enemy map must hold each
// exactly once. In order: blocks 1-4 (fortress 1's entrance and exit),
// 6-9b (fortress 2's entrance) and 10-16b (its internal walls).
struct wall_block_handle {
  int kind, m, n;
};
constexpr int WALL_BLOCK_HANDLES = 20;
constexpr wall_block_handle wall_block_handles[WALL_BLOCK_HANDLES] = {
    {KIND_3X2_BLOCK, 16, 21},
    {KIND_3X2_BLOCK_WITHOUT_SIDE, 34, 57},
    {KIND_3X2_BLOCK_WITHOUT_SIDE, 40, 69},
    {KIND_3X2_BLOCK, 406, 33},
    {KIND_3X2_BLOCK, 616, 33},
    {KIND_3X2_BLOCK, 622, 45},
    {KIND_INVISIBLE_3X2_BLOCK, 628, 57},
    {KIND_3X2_BLOCK_WITHOUT_SIDE, 628, 57},
    {KIND_INVISIBLE_3X2_BLOCK, 634, 69},
    {KIND_3X2_BLOCK_WITHOUT_SIDE, 634, 69},
    {KIND_3X2_BLOCK, 680, 33},
    {KIND_INVISIBLE_3X2_BLOCK, 754, 45},
    {KIND_3X2_BLOCK_WITHOUT_SIDE, 754, 53},
    {KIND_3X2_BLOCK, 812, 45},
    {KIND_3X2_BLOCK, 872, 33},
    {KIND_3X2_BLOCK, 940, 33},
    {KIND_INVISIBLE_3X2_BLOCK, 998, 33},
    {KIND_3X2_BLOCK_WITHOUT_SIDE, 998, 57},
    {KIND_INVISIBLE_3X2_BLOCK, 1070, 45},
    {KIND_3X2_BLOCK_WITHOUT_SIDE, 1070, 61},
};
