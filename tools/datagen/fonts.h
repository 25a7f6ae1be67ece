// The two fonts, set from the glyph drawings in data/fonts/glyphs.txt.
#pragma once

#include <string>
#include <vector>

#include "datagen/model.h"

// The game font: every character in a cell of the same width, because the
// HUD and the bonus lines are laid out by character count.
constexpr int GAME_FONT_ADVANCE = 14;
constexpr int GLYPH_SCALE = 2;
constexpr int GLYPH_ROWS = 9;
constexpr int GAME_FONT_HEIGHT = GLYPH_ROWS * GLYPH_SCALE;
// The caption font: proportional, heavier, with a pixel of air above and
// below for the outline the menus draw around it.
constexpr int CAPTION_FONT_HEIGHT = GAME_FONT_HEIGHT + 2;
constexpr int CAPTION_GAP = 2;

// One drawn glyph: rows of '#' and '.'.
struct GlyphDrawing {
  std::vector<std::string> rows;
};

// Reads the glyph file; false with the reason in `error` on any defect
// (a missing or extra character, rows of uneven width, a stray mark).
bool parse_glyphs(const std::string &text, std::vector<GlyphDrawing> &out, std::string &error);

// The drawings from data/fonts/glyphs.txt; stops the generator on a defect.
std::vector<GlyphDrawing> load_glyph_drawings();

Font game_font(const std::vector<GlyphDrawing> &drawings);
Font caption_font(const std::vector<GlyphDrawing> &drawings);
