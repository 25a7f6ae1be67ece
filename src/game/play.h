// A game from its first ship to game over: the play loop, its overlays and
// the frames after a death.
#pragma once

#include "game/setup.h"

// The bonus texts over the picture while the round ends after the boss.
void draw_bonus_texts();

// The number of after-death frames: one second, or three after the last
// ship, and 64 more.
int after_death_frames(int lives_left);

// Whether after-death frame i (from 0) shows GAME OVER, once no ships are left.
bool game_over_frame(int i);

// Plays one game for current_player; returns at game over or on quitting.
void play_game();
