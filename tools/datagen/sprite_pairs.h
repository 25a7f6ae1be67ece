// Which contour and shadow the game draws with each sprite. Where the
// game draws a sprite pixel by pixel through its contour (the flying
// planes, doodlebug and missile, satellite, rockets), every contour pixel
// plots a sprite pixel, so the two masks must be equal; elsewhere the
// contour only has to stay inside the sprite.
#pragma once

#include "shell/datafile_index.h"

constexpr int NO_OBJECT = -1;

struct sprite_pair {
  int sprite;   // kestal.dat
  int contour;  // borlin.dat, or NO_OBJECT
  int shadow;   // borlin.dat, or NO_OBJECT
  bool same_mask;
};

constexpr sprite_pair sprite_pairs[] = {
    {KESTAL_SHIP_LEFT2, NO_OBJECT, BORLIN_SHIP_LEFT2_SHADOW, false},
    {KESTAL_SHIP_LEFT1, NO_OBJECT, BORLIN_SHIP_LEFT1_SHADOW, false},
    {KESTAL_SHIP_MIDDLE, NO_OBJECT, BORLIN_SHIP_MIDDLE_SHADOW, false},
    {KESTAL_SHIP_RIGHT1, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_SHIP_RIGHT2, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_PLANE, BORLIN_PARKED_PLANE_CONTOUR, NO_OBJECT, false},
    {KESTAL_PLANE_NO_SHADOW, BORLIN_PARKED_PLANE_CONTOUR, NO_OBJECT, true},
    {KESTAL_PLANE_NO_SHADOW, BORLIN_PLANE_CONTOUR, NO_OBJECT, true},
    {KESTAL_PLANE_BANKED, BORLIN_BANKED_PLANE_CONTOUR, NO_OBJECT, true},
    {KESTAL_FUEL, BORLIN_FUEL_CONTOUR, NO_OBJECT, false},
    {KESTAL_SUPERFUEL, BORLIN_SUPERFUEL_CONTOUR, NO_OBJECT, false},
    {KESTAL_RADAR, BORLIN_RADAR_CONTOUR, NO_OBJECT, false},
    {KESTAL_BLUE_TURRET, BORLIN_BLUE_TURRET_CONTOUR, NO_OBJECT, false},
    {KESTAL_SUPER_BLUE_TURRET, BORLIN_BLUE_TURRET_CONTOUR, NO_OBJECT, false},
    {KESTAL_GREEN_TURRET_LEFT, BORLIN_GREEN_TURRET_LEFT_CONTOUR, NO_OBJECT, false},
    {KESTAL_GREEN_TURRET_RIGHT, BORLIN_GREEN_TURRET_RIGHT_CONTOUR, NO_OBJECT, false},
    {KESTAL_CHIMNEYS, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_RED_ROCKET, BORLIN_RED_ROCKET_CONTOUR, NO_OBJECT, true},
    {KESTAL_YELLOW_ROCKET, BORLIN_YELLOW_ROCKET_CONTOUR, NO_OBJECT, true},
    {KESTAL_HOLE, BORLIN_HOLE_CONTOUR, NO_OBJECT, false},
    {KESTAL_HOLE2, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_SATELLITE, BORLIN_SATELLITE_CONTOUR, NO_OBJECT, true},
    {KESTAL_DOODLEBUG, BORLIN_DOODLEBUG_CONTOUR, BORLIN_DOODLEBUG_SHADOW, true},
    {KESTAL_BOSS, BORLIN_BOSS_CONTOUR, BORLIN_BOSS_SHADOW, false},
    {KESTAL_WRECK, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_FORCE_FIELD_BEAM, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_SHIP_BULLET, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_ENEMY_BULLET, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_RESERVE_SHIP_ICON, NO_OBJECT, NO_OBJECT, false},
    {KESTAL_PLANE_COUNTER_ICON, NO_OBJECT, NO_OBJECT, false},
};
