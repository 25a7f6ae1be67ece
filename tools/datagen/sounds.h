// The ten sounds, synthesized: oscillators, noise and envelopes in floating
// point, then scaled to 16 bits. The looped ones end where they begin.
#pragma once

#include <vector>

#include "datagen/model.h"

// Loops run with a crossfade of this length folded into their start.
constexpr int LOOP_CROSSFADE = 2048;
constexpr int LOCK_ON_MAX_SAMPLES = SAMPLE_RATE / 100;  // 10 ms

bool sound_is_looped(int index);

// Turns a signal of n + LOOP_CROSSFADE values into n values whose end
// joins their start without a step.
std::vector<double> fold_loop(const std::vector<double> &signal, int n);

// To 16-bit unsigned words with the given peak (0..1 of full scale).
Sample to_sample(const std::vector<double> &signal, double peak);
