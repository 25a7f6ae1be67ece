// The game's only source of random numbers. Every rule that draws a number
// calls game_rand(); nothing in the game calls the C library's rand(),
// whose range differs between platforms (several rules need 0 to 32767).
// Start-up seeds it once from the clock; a test or a replay seeds it with
// a number of its own to get the same run again.
#pragma once

constexpr int GAME_RAND_MAX = 32767;

// The next number, 0 to GAME_RAND_MAX inclusive.
int game_rand();

// Restarts the sequence; the same seed gives the same numbers.
void seed_game_rand(unsigned int seed);

// The generator's whole state, so a replay can hash it or save and restore it.
unsigned int game_rand_state();
