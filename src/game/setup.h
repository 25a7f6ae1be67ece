// Setting up a game, a round, a ship and a new view, and the demo game
// behind the menus: what the play loop, the world step and the cheat
// codes start from.
#pragma once

constexpr int START_LIVES = 3;
constexpr float SHIPZ_START = 32.0f;
constexpr float SHIPALT_START = 130.0f;
constexpr int ENEMY_PLANES_PER_ROUND = 20;

// Where each round starts, and where the demo starts.
constexpr int FIRST_ROUND_START_SCROLL = 720;
constexpr int DEMO_START_SCROLL = 4432;
constexpr int DEMO_START_STRETCH = 6;

// The engine noises: over fortress ground and in space.
constexpr int ENGINE_VOLUME = 50;        // once the ship has crossed a fortress edge
constexpr int ENGINE_START_VOLUME = 20;  // the space engine at the start of a round

void init_game();
void init_round();
void init_life();

// Clears everything that belongs to the old view after a jump.
void at_new_position();

// Jumps to scroll `pos` of stretch `range` (not before the stretch's start)
// in palette `palette`.
void warp_to(int pos, int range, int palette);

// Stops both engine loops.
void stop_engine_noise();

// Where the demo's ship would stand (the demo has no ship to fly).
constexpr float DEMO_SHIP_X = 50.0f;
constexpr float DEMO_SHIP_Y = 300.0f;
constexpr float DEMO_SHIP_ALT = 140.0f;

// Makes the demo player current and starts a new demo game behind the menu.
void init_demo_game();
// Leaves the demo: player1 is current, for a game of their own.
void make_player1_current();
