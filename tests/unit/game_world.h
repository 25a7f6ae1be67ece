// The whole game headless, for suites that play: the generated data files
// and level on a fake 448 x 512 8-bit screen, with the animations and the
// enemy kinds made as start-up makes them. Load once per suite; unloading
// puts back what loading replaced.
#pragma once

struct FakeCard;

FakeCard *load_game_world();
void unload_game_world(FakeCard *card);
