// Shots of the ship and of the enemies, what a ship's shot hits and what
// that is worth, the rockets, the ship's collisions and the two explosions
// that the rest of the game shares.
#pragma once

#include "enemies/boss.h"
#include "render/screen_objects.h"  // SHIP_BULLETS and ENEMY_BULLETS, which bound its queues too

struct enemy;

// One shot in flight.
struct bullet {
  int active;     // 0 free, -1 in flight
  float x, y;     // screen position of the image's centre
  int alt;
  int direction;  // enemy shots: 0 down-left, 1 up-left, 2 down-right
};

extern bullet ship_bullets[SHIP_BULLETS];
extern bullet enemy_bullets[ENEMY_BULLETS];

// Enemy shot directions.
constexpr int SHOT_DOWN_LEFT = 0;
constexpr int SHOT_UP_LEFT = 1;
constexpr int SHOT_DOWN_RIGHT = 2;

// Shots at this height or lower score an enemy's low value.
constexpr int LOW_SHOT_ALT = 16;
// Every EXTRA_SHIP_SCORE points give a ship.
constexpr int EXTRA_SHIP_SCORE = 10000;
// Each fuel tank or satellite shot adds FUEL_REFILL, up to FULL_FUEL.
constexpr float FUEL_REFILL = 32.0f;
constexpr float FULL_FUEL = 256.0f;
// A rocket bursts once it has climbed this high.
constexpr int ROCKET_BURST_ALT = 146;
// A hard target (walls, blocks, force fields) has more hit points than this
// and sends a shot back.
constexpr int SOFT_TARGET_HIT_POINTS = 1;

// The boss: each counted hit on the missile it holds costs it this much;
// the hit shakes it for BOSS_SHAKE_TIME ticks, during which hits count
// nothing; destroying it scores BOSS_BONUS.
constexpr int BOSS_HIT_DAMAGE = 100;
// BOSS_SHAKEN, the boss's state while shaken, comes from enemies/boss.h.
constexpr int BOSS_LEAVING = 1;
constexpr float BOSS_SHAKE_TIME = 30.0f;
constexpr int BOSS_BONUS = 1000;

// The first free slot of a bullet table, or -1 when all are in flight.
int first_free_bullet(const bullet *slots, int count);
// Frees every ship and enemy shot (a new position).
void free_all_bullets();

void move_bullets();
void ship_bullet_logic();
void move_rockets();

int bullet_hit_detect(int x, int y, int alt);
int ship_hit_detect(int x, int y, int alt);
void ship_collision_detection();

void ship_explosion();
void enemy_explosion(enemy *e, int anim);

// Adds points to the current player's score and a ship for every multiple
// of EXTRA_SHIP_SCORE passed.
void add_score(int points);
// The refill of a shot fuel tank; a sinking ship with an empty tank is
// caught first.
void refill_fuel();
// What destroying an enemy of kind `kind` with a shot at `alt` scores.
int shot_score(int kind, int alt);

// True when `index` names a live enemy of kind `type`: the boss and its
// missile are bare indices that may outlive their enemies.
bool live_enemy_is(int index, int type);

// Sounds: the library's pan for a sound made at screen x (0..255), and a
// one-shot of borlin.dat sample `sample` at volume 100.
int effect_pan(float x);
void play_effect(int sample, int pan);
