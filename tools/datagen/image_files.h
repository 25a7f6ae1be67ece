// Writers of the two picture formats the desktop and the window system
// take: PNG for the icon theme, XPM (C source) for the window's icon.
#pragma once

#include <string>
#include <vector>

#include "datagen/icon_art.h"

// The image as a PNG file: 8-bit RGBA, no interlace, deterministic bytes.
std::vector<uint8_t> png_bytes(const RgbaImage &img);

// Pixels at least this opaque are drawn in the XPM, the rest are "None":
// an XPM's transparency is on or off.
constexpr int XPM_ALPHA_CUT = 128;

// The image as an XPM: C source defining `const char *NAME[]`, one colour
// per distinct opaque colour, two characters a pixel.
std::string xpm_text(const RgbaImage &img, const std::string &name);
