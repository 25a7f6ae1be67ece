#include "datagen/fonts.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "datagen/producers.h"

std::string source_dir;

namespace {

std::string glyph_label(int c) { return c == ' ' ? "space" : std::string(1, char(c)); }

// Ink of a drawing at 2x2 per pixel, placed at (dx, dy) in a glyph of the
// given size; `heavy` also inks the pixel right of every inked one.
Glyph render(const GlyphDrawing &d, int w, int h, int dx, int dy, bool heavy) {
  Glyph g;
  g.w = w;
  g.h = h;
  g.ink.assign(size_t(w) * h, 0);
  for (int row = 0; row < int(d.rows.size()); row++)
    for (int col = 0; col < int(d.rows[row].size()); col++) {
      if (d.rows[row][col] != '#') continue;
      for (int sy = 0; sy < GLYPH_SCALE; sy++)
        for (int sx = 0; sx < GLYPH_SCALE + (heavy ? 1 : 0); sx++) {
          int x = dx + col * GLYPH_SCALE + sx, y = dy + row * GLYPH_SCALE + sy;
          if (x >= 0 && x < w && y >= 0 && y < h) g.ink[size_t(y) * w + x] = 1;
        }
    }
  return g;
}

int drawing_width(const GlyphDrawing &d) { return int(d.rows[0].size()); }

}  // namespace

std::vector<GlyphDrawing> load_glyph_drawings() {
  std::string path = source_dir + "/fonts/glyphs.txt";
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<GlyphDrawing> drawings;
  std::string error;
  if (!in || !parse_glyphs(text.str(), drawings, error)) {
    fprintf(stderr, "datagen: %s: %s\n", path.c_str(), in ? error.c_str() : "cannot read");
    exit(1);
  }
  return drawings;
}

bool parse_glyphs(const std::string &text, std::vector<GlyphDrawing> &out, std::string &error) {
  out.clear();
  std::istringstream in(text);
  std::string line;
  int line_no = 0;
  while (std::getline(in, line)) {
    line_no++;
    if (line.empty() || line.rfind("//", 0) == 0) continue;  // blank or comment
    std::string where = "line " + std::to_string(line_no) + ": ";
    if (line[0] == ':') {
      int expected = FONT_FIRST_CHAR + int(out.size());
      if (expected > FONT_LAST_CHAR) {
        error = where + "more glyphs than characters";
        return false;
      }
      if (line.substr(2) != glyph_label(expected)) {
        error = where + "expected the glyph of '" + glyph_label(expected) + "'";
        return false;
      }
      out.push_back({});
      continue;
    }
    if (out.empty()) {
      error = where + "a row before the first glyph";
      return false;
    }
    if (line.find_first_not_of("#.") != std::string::npos) {
      error = where + "only '#' and '.' may draw a glyph";
      return false;
    }
    GlyphDrawing &g = out.back();
    if (!g.rows.empty() && line.size() != g.rows[0].size()) {
      error = where + "row of another width";
      return false;
    }
    if (int(g.rows.size()) == GLYPH_ROWS) {
      error = where + "too many rows";
      return false;
    }
    g.rows.push_back(line);
  }
  if (int(out.size()) != FONT_GLYPHS) {
    error = "only " + std::to_string(out.size()) + " glyphs";
    return false;
  }
  for (size_t i = 0; i < out.size(); i++)
    if (int(out[i].rows.size()) != GLYPH_ROWS) {
      error = "glyph '" + glyph_label(FONT_FIRST_CHAR + int(i)) + "' has too few rows";
      return false;
    }
  return true;
}

Font game_font(const std::vector<GlyphDrawing> &drawings) {
  Font f;
  for (const GlyphDrawing &d : drawings) {
    int ink_w = drawing_width(d) * GLYPH_SCALE;
    f.glyphs.push_back(render(d, GAME_FONT_ADVANCE, GAME_FONT_HEIGHT,
                              (GAME_FONT_ADVANCE - ink_w + 1) / 2, 0, false));
  }
  return f;
}

Font caption_font(const std::vector<GlyphDrawing> &drawings) {
  Font f;
  for (const GlyphDrawing &d : drawings) {
    int w = drawing_width(d) * GLYPH_SCALE + 1 + CAPTION_GAP;
    f.glyphs.push_back(render(d, w, CAPTION_FONT_HEIGHT, 1, 1, true));
  }
  return f;
}

DataObject make_font(int index) {
  std::vector<GlyphDrawing> drawings = load_glyph_drawings();
  if (index == BORLIN_CAPTION_FONT) return font_object("CAPTION_FONT", caption_font(drawings));
  return font_object("GAME_FONT", game_font(drawings));
}
