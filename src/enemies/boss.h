// The boss robot at the end of each round, and the missile it carries.
#pragma once

struct enemy;

// The boss's states, kept in its frame field.
constexpr int BOSS_APPROACH = 0;
constexpr int BOSS_LEAVE = 1;
constexpr int BOSS_DODGE = 2;
constexpr int BOSS_SHAKEN = 3;  // set by a hit on the missile it holds

// Progress down the screen diagonal that ends each part of the approach.
constexpr int BOSS_DODGE_FROM = 91;
constexpr int BOSS_DODGE_TO = 179;
constexpr int BOSS_DODGE_ENDS = 181;
constexpr int BOSS_FIRES_AFTER = 200;
constexpr int BOSS_LEAVES_AFTER = 300;

constexpr int BOSS_ALT = 20;
constexpr int BOSS_MIN_SHAKEN_ALT = 10;
constexpr int BOSS_MAX_SHAKEN_ALT = 30;
constexpr int MISSILE_ALT = 64;
// Where the held missile rides, relative to the boss.
constexpr int MISSILE_RIDE_DX = 69;
constexpr int MISSILE_RIDE_DY = -42;
constexpr int MISSILE_RIDE_DALT = 46;

// The half-time value last seen while shaken.
extern int last_f;

// Brings the boss and its missile on at the right edge and records their
// slots in borlin_boss and borlin_missile.
void add_boss();
// No boss in play: both slots back to 0 ("no enemy"), at every new view and
// when the round's ending begins. Only these two write the slots.
void forget_boss();

// How far the boss has come down the screen diagonal from its start.
int boss_progress(const enemy *boss);


void move_boss(enemy *e);
