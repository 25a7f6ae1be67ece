// Every object of the two resource data files, by index. The game and the
// data generator both include this header, so an object can only move if
// both sides move together.
#pragma once

#include <array>

// Kinds of data file object, independent of the library's type ids so that
// this header stays free of allegro.h.
enum DataKind { DK_FONT, DK_SAMPLE, DK_BITMAP, DK_PALETTE };

// borlin.dat, loaded into `commondata`: fonts, contours, shadows, samples,
// palettes.
constexpr int BORLIN_GAME_FONT = 0;
constexpr int BORLIN_ENEMY_SHOT_SAMPLE = 1;  // also sounds the start of a game
constexpr int BORLIN_2X3_BLOCK_CONTOUR = 2;
constexpr int BORLIN_3X2_BLOCK_CONTOUR = 3;
constexpr int BORLIN_BLUE_TURRET_CONTOUR = 4;
constexpr int BORLIN_DOODLEBUG_CONTOUR = 5;
constexpr int BORLIN_DOODLEBUG_SHADOW = 6;
constexpr int BORLIN_FORCE_FIELD2_CONTOUR = 7;
constexpr int BORLIN_FORCE_FIELD_CONTOUR = 8;
constexpr int BORLIN_FUEL_CONTOUR = 9;
constexpr int BORLIN_GREEN_TURRET_LEFT_CONTOUR = 10;
constexpr int BORLIN_GREEN_TURRET_RIGHT_CONTOUR = 11;
constexpr int BORLIN_HOLE_CONTOUR = 12;
constexpr int BORLIN_BANKED_PLANE_CONTOUR = 13;
constexpr int BORLIN_PARKED_PLANE_CONTOUR = 14;  // kind "plane"; also used above altitude 120
constexpr int BORLIN_PLANE_CONTOUR = 15;
constexpr int BORLIN_RADAR_CONTOUR = 16;
constexpr int BORLIN_RED_ROCKET_CONTOUR = 17;
constexpr int BORLIN_UNUSED = 18;  // no use in the game; kept so later indices stay put
constexpr int BORLIN_SATELLITE_CONTOUR = 19;
constexpr int BORLIN_SUPERFUEL_CONTOUR = 20;
constexpr int BORLIN_WALL_3W_TOP_CONTOUR = 21;
constexpr int BORLIN_WALL_3X1_CONTOUR = 22;
constexpr int BORLIN_WALL_3X2_CONTOUR = 23;
constexpr int BORLIN_WALL_3X4_CONTOUR = 24;
constexpr int BORLIN_WALL_SIDE_CONTOUR = 25;
constexpr int BORLIN_YELLOW_ROCKET_CONTOUR = 26;
constexpr int BORLIN_BOSS_CONTOUR = 27;
constexpr int BORLIN_BOSS_SHADOW = 28;
constexpr int BORLIN_ENGINE_GROUND_SAMPLE = 29;
constexpr int BORLIN_ROCKET_LAUNCH_SAMPLE = 30;
constexpr int BORLIN_SHIP_SHOT_SAMPLE = 31;
constexpr int BORLIN_SHIP_EXPLOSION_SAMPLE = 32;
constexpr int BORLIN_CAPTION_FONT = 33;
constexpr int BORLIN_LOGO = 34;
constexpr int BORLIN_DOODLEBUG_SAMPLE = 35;
constexpr int BORLIN_FORCE_FIELD_HUM_SAMPLE = 36;
constexpr int BORLIN_SHIP_LEFT2_SHADOW = 37;   // goes with KESTAL_SHIP_LEFT2
constexpr int BORLIN_SHIP_LEFT1_SHADOW = 38;   // goes with KESTAL_SHIP_LEFT1
constexpr int BORLIN_SHIP_MIDDLE_SHADOW = 39;  // goes with KESTAL_SHIP_MIDDLE
constexpr int BORLIN_ENEMY_EXPLOSION_SAMPLE = 40;  // also the ricochet
constexpr int BORLIN_ENGINE_SPACE_SAMPLE = 41;
constexpr int BORLIN_LOCK_ON_SAMPLE = 42;
constexpr int BORLIN_NORMAL_PALETTE = 43;
constexpr int BORLIN_WAVES_PALETTE = 44;       // loop-plane waves from round 2
constexpr int BORLIN_BOSS_FLASH_PALETTE = 45;
constexpr int BORLIN_DEMO_PALETTE = 46;
constexpr int BORLIN_OBJECT_COUNT = 47;

// kestal.dat, loaded into `data`: the tile sheet and the sprites.
constexpr int KESTAL_TILE_SHEET = 0;
constexpr int KESTAL_3X2_BLOCK = 1;
constexpr int KESTAL_3X2_BLOCK_WITHOUT_SIDE = 2;
constexpr int KESTAL_BLUE_TURRET = 3;
constexpr int KESTAL_CHIMNEYS = 4;
constexpr int KESTAL_DOODLEBUG = 5;
constexpr int KESTAL_FORCE_FIELD_BEAM = 6;
constexpr int KESTAL_FUEL = 7;
constexpr int KESTAL_WRECK = 8;
constexpr int KESTAL_GREEN_TURRET_LEFT = 9;
constexpr int KESTAL_GREEN_TURRET_RIGHT = 10;
constexpr int KESTAL_HOLE = 11;
constexpr int KESTAL_HOLE2 = 12;
constexpr int KESTAL_PLANE = 13;          // parked, its shadow painted in
constexpr int KESTAL_PLANE_BANKED = 14;
constexpr int KESTAL_PLANE_NO_SHADOW = 15;
constexpr int KESTAL_RADAR = 16;
constexpr int KESTAL_RED_ROCKET = 17;
constexpr int KESTAL_SATELLITE = 18;
constexpr int KESTAL_SUPER_3X2_BLOCK = 19;
constexpr int KESTAL_SUPER_3X2_BLOCK_WITHOUT_SIDE = 20;
constexpr int KESTAL_SUPER_BLUE_TURRET = 21;
constexpr int KESTAL_SUPERFUEL = 22;
constexpr int KESTAL_YELLOW_ROCKET = 23;
constexpr int KESTAL_BOSS = 24;
constexpr int KESTAL_ENEMY_BULLET = 25;
constexpr int KESTAL_ROUND_MARKER = 26;   // also the high score icon
constexpr int KESTAL_SHIP_BULLET = 27;
constexpr int KESTAL_RESERVE_SHIP_ICON = 28;
constexpr int KESTAL_PLANE_COUNTER_ICON = 29;
constexpr int KESTAL_SHIP_LEFT1 = 30;     // the five attitudes of the ship
constexpr int KESTAL_SHIP_LEFT2 = 31;
constexpr int KESTAL_SHIP_MIDDLE = 32;
constexpr int KESTAL_SHIP_RIGHT1 = 33;
constexpr int KESTAL_SHIP_RIGHT2 = 34;
constexpr int KESTAL_OBJECT_COUNT = 35;

// The kind each index must hold; the loader's checks and the generator's
// self-check both read these.
constexpr std::array<DataKind, BORLIN_OBJECT_COUNT> borlin_object_kinds = [] {
  std::array<DataKind, BORLIN_OBJECT_COUNT> k{};
  for (auto &x : k) x = DK_BITMAP;
  k[BORLIN_GAME_FONT] = DK_FONT;
  k[BORLIN_CAPTION_FONT] = DK_FONT;
  for (int i : {BORLIN_ENEMY_SHOT_SAMPLE, BORLIN_ENGINE_GROUND_SAMPLE, BORLIN_ROCKET_LAUNCH_SAMPLE,
                BORLIN_SHIP_SHOT_SAMPLE, BORLIN_SHIP_EXPLOSION_SAMPLE, BORLIN_DOODLEBUG_SAMPLE,
                BORLIN_FORCE_FIELD_HUM_SAMPLE, BORLIN_ENEMY_EXPLOSION_SAMPLE,
                BORLIN_ENGINE_SPACE_SAMPLE, BORLIN_LOCK_ON_SAMPLE})
    k[i] = DK_SAMPLE;
  for (int i = BORLIN_NORMAL_PALETTE; i <= BORLIN_DEMO_PALETTE; i++) k[i] = DK_PALETTE;
  return k;
}();

// Every object of kestal.dat is a bitmap.
constexpr DataKind kestal_object_kind = DK_BITMAP;
