#include <gtest/gtest.h>

#include <vector>

#include "platform/random.h"

namespace {

// Puts the game's source back as the process had it.
struct SeedSaved {
  unsigned int state = game_rand_state();
  ~SeedSaved() { seed_game_rand(state); }
};

std::vector<int> draws(unsigned int seed, int n) {
  seed_game_rand(seed);
  std::vector<int> v;
  for (int i = 0; i < n; i++) v.push_back(game_rand());
  return v;
}

}  // namespace

TEST(GameRand, CoversExactlyZeroTo32767Evenly) {
  SeedSaved saved;
  seed_game_rand(12345);
  int lowest = GAME_RAND_MAX, highest = 0;
  long long sum = 0;
  int halves[2] = {0, 0};
  constexpr int N = 200000;
  for (int i = 0; i < N; i++) {
    const int r = game_rand();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, GAME_RAND_MAX);
    lowest = std::min(lowest, r);
    highest = std::max(highest, r);
    sum += r;
    halves[r > GAME_RAND_MAX / 2]++;
  }
  EXPECT_EQ(GAME_RAND_MAX, 32767);
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(highest, GAME_RAND_MAX);
  EXPECT_NEAR(static_cast<double>(sum) / N, GAME_RAND_MAX / 2.0, 200.0);
  EXPECT_NEAR(halves[0], N / 2, N / 100);
}

TEST(GameRand, TheSameSeedGivesTheSameRunAgain) {
  SeedSaved saved;
  EXPECT_EQ(draws(42, 1000), draws(42, 1000));
  EXPECT_NE(draws(42, 1000), draws(43, 1000));
  // The state can be kept and put back, as a replay does.
  seed_game_rand(9);
  game_rand();
  const unsigned int mid = game_rand_state();
  const int next = game_rand();
  seed_game_rand(mid);
  EXPECT_EQ(game_rand(), next);
}
