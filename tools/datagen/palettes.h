// The four palettes. Every group of 16 entries is a dark-to-light ramp of
// one hue; groups 2 to 8 (entries 32..143) hold two ramps of 8. Shadows and
// the distant copies of sprites darken a colour by stepping down its ramp,
// so a ramp must never change hue or get lighter on the way down.
#pragma once

#include "datagen/model.h"

constexpr int RAMP16 = 16;
constexpr int RAMP8 = 8;
constexpr int SHORT_RAMPS_FIRST = 32;   // entries 32..143 are ramps of 8
constexpr int SHORT_RAMPS_END = 144;

// The length of the ramp holding entry c, and its first entry.
constexpr int ramp_length(int c) {
  return c >= SHORT_RAMPS_FIRST && c < SHORT_RAMPS_END ? RAMP8 : RAMP16;
}
constexpr int ramp_first(int c) { return c - c % ramp_length(c); }
