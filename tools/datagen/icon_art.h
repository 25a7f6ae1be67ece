// The game's icon: its own ship, drawn by the model renderer in the normal
// palette, banked a little, centred on a transparent square. The desktop
// icons (every usual size) and the window's icon come from this one
// drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The sizes a desktop looks for in the hicolor theme.
constexpr int ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int ICON_SIZE_COUNT = sizeof ICON_SIZES / sizeof ICON_SIZES[0];
// The window's icon under X11.
constexpr int WINDOW_ICON_SIZE = 48;

// Each icon pixel is the average of this many squared model pixels, so
// the small sizes keep smooth edges instead of losing the wings.
constexpr int ICON_SUPERSAMPLE = 4;

// A picture in 8-bit red, green, blue, alpha, row by row.
struct RgbaImage {
  int w = 0, h = 0;
  std::vector<uint8_t> px;  // 4 bytes a pixel
  const uint8_t *at(int x, int y) const { return &px[(size_t(y) * w + x) * 4]; }
};

// The ship icon, size x size; its widest extent fills the square but for
// a margin of size / ICON_MARGIN_DIVISOR on each side.
constexpr int ICON_MARGIN_DIVISOR = 16;
RgbaImage ship_icon(int size);
