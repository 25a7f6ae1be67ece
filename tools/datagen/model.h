// The generator's in-memory objects: what every producer returns and what
// the writer turns into data file bytes. Plain values, no library types, so
// producers can be tested and combined freely.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/datafile_index.h"

// An 8-bit bitmap: palette indices, row by row; 0 is transparent.
struct Bitmap8 {
  int w = 0, h = 0;
  std::vector<uint8_t> px;

  Bitmap8() = default;
  Bitmap8(int width, int height, uint8_t fill = 0)
      : w(width), h(height), px(size_t(width) * height, fill) {}
  uint8_t at(int x, int y) const { return px[size_t(y) * w + x]; }
  void set(int x, int y, uint8_t c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[size_t(y) * w + x] = c;
  }
};

// One palette entry on the library's 0..63 scale.
struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
};
constexpr int PALETTE_SIZE = 256;
using Palette = std::array<Rgb, PALETTE_SIZE>;

// Mono 16-bit sound, stored unsigned (32768 is silence) as the library
// keeps it in memory.
constexpr int SAMPLE_RATE = 22050;
constexpr int SAMPLE_SILENCE = 32768;
struct Sample {
  int freq = SAMPLE_RATE;
  std::vector<uint16_t> data;
};

// A monochrome font: one glyph per character from FONT_FIRST_CHAR on.
constexpr int FONT_FIRST_CHAR = 32;
constexpr int FONT_LAST_CHAR = 126;
constexpr int FONT_GLYPHS = FONT_LAST_CHAR - FONT_FIRST_CHAR + 1;
struct Glyph {
  int w = 0, h = 0;
  std::vector<uint8_t> ink;  // w*h, non-zero = pixel on
};
struct Font {
  std::vector<Glyph> glyphs;  // FONT_GLYPHS of them, all the same height
};

// One object of a data file, of exactly one of the four kinds.
struct DataObject {
  DataKind kind = DK_BITMAP;
  std::string name;
  Bitmap8 bitmap;
  Palette palette{};
  Sample sample;
  Font font;
};

inline DataObject named_object(DataKind kind, std::string name) {
  DataObject o;
  o.kind = kind;
  o.name = std::move(name);
  return o;
}
inline DataObject bitmap_object(std::string name, Bitmap8 b) {
  DataObject o = named_object(DK_BITMAP, std::move(name));
  o.bitmap = std::move(b);
  return o;
}
inline DataObject palette_object(std::string name, const Palette &p) {
  DataObject o = named_object(DK_PALETTE, std::move(name));
  o.palette = p;
  return o;
}
inline DataObject sample_object(std::string name, Sample s) {
  DataObject o = named_object(DK_SAMPLE, std::move(name));
  o.sample = std::move(s);
  return o;
}
inline DataObject font_object(std::string name, Font f) {
  DataObject o = named_object(DK_FONT, std::move(name));
  o.font = std::move(f);
  return o;
}
