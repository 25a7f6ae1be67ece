// A game from its first ship to game over: the set-up of a game, a round,
// a ship and a new view, and the play loop.
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

// The bonus texts over the picture while the round ends after the boss.
void draw_bonus_texts();

// The number of after-death frames: one second, or three after the last
// ship, and 64 more.
int after_death_frames(int lives_left);

// Whether after-death frame i (from 0) shows GAME OVER, once no ships are left.
bool game_over_frame(int i);

// Plays one game for current_player; returns at game over or on quitting.
void play_game();
