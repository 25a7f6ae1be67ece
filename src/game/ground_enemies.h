// The enemies on the ground and in the air as the world step sees them
// each tick: placed on the screen from the map, drawn, animated, firing;
// the shots they fire; the gaps opened in the fortress walls each round;
// the hum of force fields and the doodlebug's sound.
#pragma once

#include "world/enemy_kinds.h"

extern int force_field_onscreen;  // -1: a force field is on screen this tick
extern int force_field_x;         // screen x of the last one found
extern int doodlebug_onscreen;    // -1: a doodlebug is on screen this tick
extern int doodlebug_x;
extern int s_force_field_playing;  // -1 while the hum loops
extern int s_doodlebug_playing;    // -1 while the doodlebug's sound loops

// Scroll position (truncated) at which the ship was last not flying high
// inside fortress 1; lives for the whole run.
extern int fortress1_too_high;

// The wall blocks that may be opened, by enemy slot, in the order of
// wall_block_handles; the names below index it.
extern int rand_blocks[WALL_BLOCK_HANDLES];
enum rand_block_name {
  RAND_BLOCK1,
  RAND_BLOCK2,
  RAND_BLOCK3,  // never opened
  RAND_BLOCK4,
  RAND_BLOCK6,
  RAND_BLOCK7,
  RAND_BLOCK8,
  RAND_BLOCK8B,
  RAND_BLOCK9,
  RAND_BLOCK9B,
  RAND_BLOCK10,
  RAND_BLOCK11,
  RAND_BLOCK11B,
  RAND_BLOCK12,
  RAND_BLOCK13,
  RAND_BLOCK14,
  RAND_BLOCK15,
  RAND_BLOCK15B,
  RAND_BLOCK16,
  RAND_BLOCK16B,
};

// At most one enemy shot per this many clock units (0.1 ms) over all enemies.
constexpr int ENEMY_FIRE_INTERVAL = 3000;
// Enemy shots fly at this height, except those of launched planes.
constexpr int ENEMY_SHOT_ALT = 15;
// Flying at ALT_WATCH_HEIGHT or more inside fortress 1 for more than
// ALT_WATCH_DISTANCE scroll units sends a doodlebug.
constexpr float ALT_WATCH_HEIGHT = 80.0f;
constexpr int ALT_WATCH_DISTANCE = 400;
// The looped samples keep their voices against bursts of one-shots.
constexpr int LOOP_SAMPLE_PRIORITY = 255;

void init_enemies();
void clear_dynamic_enemies();
void enemy_logic();
void enemy_bullet_logic();
void doodlebug_logic();

// The odds of a shot per tick in view: 1 in this many.
int enemy_fire_odds(int round);
// Whether an enemy of kind `kind` may fire in `round` (dynamic: launched).
bool enemy_may_fire(int kind, bool dynamic, int round);
// Whether the enemies' shared interval since the last shot has run out.
bool enemy_fire_interval_over();

// The looped samples of borlin.dat get a priority above the one-shots';
// called once after the data file is loaded.
void raise_loop_sample_priorities();
