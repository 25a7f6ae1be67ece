#include "platform/random.h"

namespace {
// A 32-bit linear congruential generator giving 15 bits a draw, the same on
// every platform and compiler.
unsigned int rand_state = 1;
}  // namespace

int game_rand() {
  rand_state = rand_state * 1103515245u + 12345u;
  return static_cast<int>((rand_state >> 16) & GAME_RAND_MAX);
}

void seed_game_rand(unsigned int seed) { rand_state = seed; }

unsigned int game_rand_state() { return rand_state; }
