// The logo, the round marker and the placeholder of the unused index.
#include <string>

#include "datagen/fonts.h"
#include "datagen/producers.h"

namespace {

constexpr char LOGO_TEXT[] = "BORLIN";
constexpr int LOGO_CELL = 8;        // one glyph pixel becomes an 8x8 block
constexpr int LOGO_SLANT = 4;       // rows per pixel of italic lean
constexpr int LOGO_DEPTH = 6;       // depth of the extruded side
constexpr int LOGO_BOTTOM_AIR = 8;  // the subtitle is drawn 7 pixels up into the logo
constexpr int LOGO_CAP_ROWS = 7;    // capitals use the top 7 rows of a drawing

// Colours: the face runs down the fire ramp, the sides are deep purple, the
// outline near-black red. All come from entries every palette shares.
constexpr uint8_t LOGO_OUTLINE = 16;
constexpr uint8_t LOGO_SIDE_LIGHT = 76;
constexpr uint8_t LOGO_SIDE_DARK = 73;
constexpr uint8_t LOGO_FACE_TOP = 31;
constexpr uint8_t LOGO_FACE_BOTTOM = 21;
constexpr uint8_t LOGO_STRIPE_DARKEN = 3;

// The letters' face as a mask, with the lean applied.
Bitmap8 logo_face_mask(int &face_h) {
  std::vector<GlyphDrawing> glyphs = load_glyph_drawings();
  int cols = 0;
  for (const char *c = LOGO_TEXT; *c; c++)
    cols += int(glyphs[size_t(*c - FONT_FIRST_CHAR)].rows[0].size()) + (c[1] ? 1 : 0);
  face_h = LOGO_CAP_ROWS * LOGO_CELL;
  int lean = face_h / LOGO_SLANT;
  Bitmap8 mask(cols * LOGO_CELL + lean, face_h);
  int col0 = 0;
  for (const char *c = LOGO_TEXT; *c; c++) {
    const GlyphDrawing &g = glyphs[size_t(*c - FONT_FIRST_CHAR)];
    for (int row = 0; row < LOGO_CAP_ROWS; row++)
      for (int col = 0; col < int(g.rows[size_t(row)].size()); col++) {
        if (g.rows[size_t(row)][size_t(col)] != '#') continue;
        for (int y = row * LOGO_CELL; y < (row + 1) * LOGO_CELL; y++)
          for (int x = 0; x < LOGO_CELL; x++)
            mask.set((col0 + col) * LOGO_CELL + x + (face_h - 1 - y) / LOGO_SLANT, y, 1);
      }
    col0 += int(g.rows[0].size()) + 1;
  }
  return mask;
}

bool inked(const Bitmap8 &b, int x, int y) {
  return x >= 0 && y >= 0 && x < b.w && y < b.h && b.at(x, y) != 0;
}

}  // namespace

DataObject make_logo(int) {
  int face_h = 0;
  Bitmap8 face = logo_face_mask(face_h);
  const int ox = 1, oy = 1;  // room for the outline
  Bitmap8 logo(face.w + LOGO_DEPTH + 2, face_h + LOGO_DEPTH + 2 + LOGO_BOTTOM_AIR);
  // Extruded side: the face pushed down and right, lighter near the face.
  for (int d = LOGO_DEPTH; d >= 1; d--) {
    uint8_t c = uint8_t(LOGO_SIDE_DARK + (LOGO_SIDE_LIGHT - LOGO_SIDE_DARK) * (LOGO_DEPTH - d) /
                                             (LOGO_DEPTH - 1));
    for (int y = 0; y < face.h; y++)
      for (int x = 0; x < face.w; x++)
        if (face.at(x, y)) logo.set(ox + x + d, oy + y + d, c);
  }
  // Face: a vertical gradient with dark stripes across its lower half.
  for (int y = 0; y < face.h; y++) {
    int shade = LOGO_FACE_TOP - (LOGO_FACE_TOP - LOGO_FACE_BOTTOM) * y / (face.h - 1);
    if (y > face.h / 2 && y % LOGO_CELL == LOGO_CELL / 2) shade -= LOGO_STRIPE_DARKEN;
    for (int x = 0; x < face.w; x++)
      if (face.at(x, y)) logo.set(ox + x, oy + y, uint8_t(shade));
  }
  // A one-pixel outline around face and side keeps it readable on any
  // background the menu shows.
  Bitmap8 solid = logo;
  for (int y = 0; y < logo.h; y++)
    for (int x = 0; x < logo.w; x++)
      if (!solid.at(x, y) && (inked(solid, x - 1, y) || inked(solid, x + 1, y) ||
                              inked(solid, x, y - 1) || inked(solid, x, y + 1)))
        logo.set(x, y, LOGO_OUTLINE);
  return bitmap_object("LOGO", logo);
}

// A gem for every round reached: chunky enough to survive being halved for
// the high score table.
DataObject make_round_marker(int) {
  static const char *const rows[] = {
      ".......oo.......",
      "......oaao......",
      ".....oaaabo.....",
      "....oaaabbbo....",
      "...oaaabbbbbo...",
      "..oaaabbbbbcco..",
      ".oaaabbbbbcccco.",
      "oaaabbbbbcccccdo",
      "obbbbbbbccccddo.",
      ".obbbbbccccddo..",
      "..obbbccccddo...",
      "...obbcccddo....",
      "....occcddo.....",
      ".....occdo......",
      "......odo.......",
      ".......o........",
  };
  Bitmap8 b(16, 16);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++) {
      switch (rows[y][x]) {
        case 'o': b.set(x, y, 89); break;   // dark orange rim
        case 'a': b.set(x, y, 103); break;  // yellow, lit
        case 'b': b.set(x, y, 102); break;
        case 'c': b.set(x, y, 100); break;
        case 'd': b.set(x, y, 98); break;   // yellow, in shade
        default: break;
      }
    }
  return bitmap_object("ROUND_MARKER", b);
}

DataObject make_unused(int) { return bitmap_object("UNUSED", Bitmap8(1, 1)); }
