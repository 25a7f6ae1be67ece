#include "gen/darken.h"

#include <allegro.h>

#include <algorithm>

#include "display/gfx.h"

int darken_index(int c, float f) {
  if (c == 0) return 0;
  int ramp = PALETTE_GROUP;
  if (c >= FIRST_HALF_RAMP_ENTRY && c < END_HALF_RAMP_ENTRY) {
    ramp = HALF_RAMP;
    f /= 2;  // a short ramp has half the steps
  }
  const int base = c - c % ramp;
  const int shade = c % ramp;
  int n = static_cast<int>(shade - f);
  if (n == shade) n--;  // every call darkens, however small f is
  return base + std::max(n, 0);
}

void darken(BITMAP *bmp, int x, int y, float f) {
  const int c = getpixel(bmp, x, y);
  if (c == 0) return;
  // The screen's depth chooses the rule, not the bitmap's: in a truecolour
  // mode the 8-bit frames made at start-up are darkened by their colours
  // too, each then taking the palette's nearest entry.
  if (bpp <= 8) {
    putpixel(bmp, x, y, darken_index(c, f));
    return;
  }
  const int depth = bitmap_color_depth(bmp);
  const int step = static_cast<int>(TRUECOLOUR_DARKEN_STEP * f);
  const int r = std::max(getr_depth(depth, c) - step, 0);
  const int g = std::max(getg_depth(depth, c) - step, 0);
  const int b = std::max(getb_depth(depth, c) - step, 0);
  putpixel(bmp, x, y, makecol_depth(depth, r, g, b));
}

void darken_bitmap(BITMAP *bmp, float f) {
  for (int y = 1; y < bmp->h; y++)
    for (int x = 1; x < bmp->w; x++) darken(bmp, x, y, f);
}
