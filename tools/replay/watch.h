// What a replay prints: a line for every event worth reading as it
// happens, and hashes of the game's state and of the picture.
#pragma once

#include <cstdint>
#include <string>

struct BITMAP;

// Boss states as the watcher reports them.
constexpr int BOSS_NONE = 0;
constexpr int BOSS_FIGHTING = 1;
constexpr int BOSS_OUT = 2;  // hit points 0: shot down or gone past an edge

// Missile states.
constexpr int MISSILE_NONE = 0;
constexpr int MISSILE_HELD = 1;  // the boss carries it
constexpr int MISSILE_LAUNCHED = 2;

// The few things the lines are about, read from the game's globals.
struct watched_state {
  int lives, round, stage, stretch, score;
  int ship_hit;  // 1 while the ship is wrecked
  int position, ship_across, ship_alt;  // where: map position, shipz, shipalt
  int boss, boss_hit_points, missile;
};

watched_state watch_now();

// The lines for what changed from `before` to `now`, each ending in '\n'
// and starting with the frame number.
std::string changes_between(long frame, const watched_state &before, const watched_state &now);

// FNV-1a over everything that plays: the player, the view, the ship,
// every enemy, every shot, every animation, the clock and the random source.
uint64_t game_state_hash();

// FNV-1a over the pixels of `b`, row by row.
uint64_t picture_hash(const BITMAP *b);
