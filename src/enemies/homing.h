// Homing flight: planes that fly a formation move and then home in on the
// ship, the doodlebug, and the boss's missile.
#pragma once

struct enemy;

// A plane that is homing. At most two home in at once.
struct homing_plane {
  int slot;  // enemy_map slot; the record is free when that is no live plane on screen
  float speed;
  float lateral;  // across-track velocity, -2 to 2
  float climb;    // altitude velocity, -2 to 2
};

constexpr int HOMING_RECORDS = 2;
extern homing_plane homing_planes[HOMING_RECORDS];

constexpr float HOMING_SPEED = 2.0f;
constexpr float HOMING_MAX_VELOCITY = 2.0f;
constexpr float HOMING_ACCELERATION = 0.04f;

// 0 while record n names a live plane on screen, else -1 (it may be taken).
int is_homing_data_available(int n);
// Releases the record of the enemy in `slot`, if it holds one: called when
// that enemy dies or its slot is handed to a new enemy.
void free_homing_record(int slot);

void move_home_in_formation(enemy *e);
void move_home_in(enemy *e);
// Homes in on the ship's altitude and line more directly; the boss's
// missile flies at half the doodlebug's speed and holds its line until it
// has passed the boss.
void move_doodlebug(enemy *e);
