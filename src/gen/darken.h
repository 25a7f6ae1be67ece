// Darkening: lower objects look darker, and shadows darken what they fall
// on. The 8-bit rule walks down the palette's ramps; truecolour lowers each
// channel.
#pragma once

struct BITMAP;

// Palette layout the 8-bit darkening relies on: groups of 16 entries run
// from dark to light; the groups from 32 up to 143 hold two ramps of 8.
constexpr int PALETTE_GROUP = 16;
constexpr int HALF_RAMP = 8;
constexpr int FIRST_HALF_RAMP_ENTRY = 32;
constexpr int END_HALF_RAMP_ENTRY = 144;
// One step of darkening in truecolour lowers each channel by this much.
constexpr int TRUECOLOUR_DARKEN_STEP = 16;

// Darkens the pixel at (x, y) by f steps; a pixel of value 0 stays. The
// screen's depth (bpp) chooses the rule: in 8 bits the entry moves down
// its ramp; in truecolour each channel is lowered and the colour rebuilt
// in the bitmap's depth, an 8-bit one taking the palette's nearest entry.
void darken(BITMAP *bmp, int x, int y, float f);

// Darkens every pixel except row 0 and column 0.
void darken_bitmap(BITMAP *bmp, float f);

// The 8-bit rule on its own: the palette entry that darkening c by f gives.
int darken_index(int c, float f);
