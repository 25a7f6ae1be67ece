#include "datagen/palettes.h"

#include <cstdio>
#include <cstdlib>

#include "datagen/producers.h"

namespace {

constexpr int MAX_KNOTS = 4;

// A colour fixed at one shade of a ramp; the shades between two knots are
// interpolated. Values on the library's 0..63 scale.
struct Knot {
  int at = -1;  // -1: unused
  int r = 0, g = 0, b = 0;
};

struct Ramp {
  int palette;  // 0: the normal palette and the base of the others
  int first;
  int length;
  Knot knots[MAX_KNOTS];
  const char *use;
};

constexpr int BASE = 0;

// The normal palette (43), then what each of the others changes.
// 44 recolours only the plane livery (the waves from round 2 look new);
// 45 makes only the boss's own ramp glow; 46, the demo's scenery, recolours
// only floors, walls and outer ground. Everything text and the HUD use
// (0..143, 184, 240..255) is the same in all four.
constexpr Ramp ramps[] = {
    {BASE, 0, 16, {{0, 0, 0, 0}, {15, 63, 63, 63}}, "grey: stars, HUD text"},
    {BASE, 16, 16, {{0, 8, 0, 0}, {6, 56, 12, 0}, {9, 63, 32, 0}, {15, 63, 63, 56}},
     "fire: explosions, warnings (22), menus (23..29), name cycle"},
    {BASE, 32, 8, {{0, 4, 10, 0}, {7, 44, 63, 20}}, "lime: subtitle 36, L and FUEL 38"},
    {BASE, 40, 8, {{0, 8, 8, 2}, {7, 46, 46, 24}}, "olive: doodlebug"},
    {BASE, 48, 8, {{0, 2, 2, 4}, {7, 22, 22, 26}}, "shadow grey: fast shadows 49..52"},
    {BASE, 56, 8, {{0, 10, 4, 2}, {7, 54, 34, 20}}, "rust: chimneys, wreck"},
    {BASE, 64, 8, {{0, 0, 8, 10}, {7, 40, 63, 63}}, "cyan: altitude meter 71, beam"},
    {BASE, 72, 8, {{0, 12, 0, 12}, {7, 63, 36, 63}}, "magenta: authors 76, too high 79"},
    {BASE, 80, 8, {{0, 14, 0, 0}, {7, 63, 30, 24}}, "red: red rocket, enemy bullet"},
    {BASE, 88, 8, {{0, 14, 6, 0}, {7, 63, 44, 12}}, "orange: fuel tanks, credit 95"},
    {BASE, 96, 8, {{0, 14, 12, 0}, {7, 63, 63, 30}}, "yellow: yellow rocket, ship bullet"},
    {BASE, 104, 8, {{0, 12, 10, 6}, {7, 63, 52, 34}}, "plane livery: enemy planes only"},
    {BASE, 112, 8, {{0, 2, 4, 16}, {7, 30, 44, 63}}, "blue: blue turret"},
    {BASE, 120, 8, {{0, 0, 12, 2}, {7, 30, 63, 30}}, "green: green turrets"},
    {BASE, 128, 8, {{0, 12, 13, 16}, {7, 60, 62, 63}}, "silver: ship, radar, satellite, icons"},
    {BASE, 136, 8, {{0, 0, 12, 10}, {7, 30, 60, 54}}, "teal: super kinds"},
    {BASE, 144, 16, {{0, 4, 5, 8}, {15, 40, 44, 52}}, "slate: floors"},
    {BASE, 160, 16, {{0, 6, 7, 10}, {15, 52, 56, 63}}, "steel: walls, blocks"},
    {BASE, 176, 16, {{0, 0, 2, 6}, {8, 9, 32, 55}, {15, 40, 56, 63}},
     "sky blue: the menu fade (184), logo shading"},
    {BASE, 192, 16, {{0, 4, 6, 2}, {15, 40, 44, 30}}, "moss: ground outside the walls"},
    {BASE, 208, 16, {{0, 6, 6, 8}, {15, 56, 58, 63}}, "gunmetal: the boss only"},
    {BASE, 224, 16, {{0, 8, 4, 12}, {15, 52, 44, 63}}, "violet steel: super blocks"},
    {BASE, 240, 16, {{0, 0, 8, 0}, {10, 50, 63, 10}, {15, 63, 63, 50}},
     "fuel green: fuel gauge, 1000 points"},

    {BORLIN_WAVES_PALETTE, 104, 8, {{0, 10, 2, 12}, {7, 63, 30, 58}}, "violet livery"},
    {BORLIN_BOSS_FLASH_PALETTE, 208, 16, {{0, 12, 0, 0}, {9, 63, 40, 10}, {15, 63, 63, 50}},
     "boss glowing hot"},
    {BORLIN_DEMO_PALETTE, 144, 16, {{0, 8, 6, 3}, {15, 52, 44, 30}}, "bronze floors"},
    {BORLIN_DEMO_PALETTE, 160, 16, {{0, 10, 8, 5}, {15, 60, 52, 40}}, "sandstone walls"},
    {BORLIN_DEMO_PALETTE, 192, 16, {{0, 6, 4, 6}, {15, 44, 36, 44}}, "dusk ground"},
};

int lerp(int a, int b, int num, int den) { return a + ((b - a) * num * 2 + den) / (2 * den); }

void paint_ramp(Palette &p, const Ramp &ramp) {
  for (int k = 0; k + 1 < MAX_KNOTS && ramp.knots[k + 1].at >= 0; k++) {
    const Knot &a = ramp.knots[k];
    const Knot &b = ramp.knots[k + 1];
    int span = b.at - a.at;
    for (int s = a.at; s <= b.at; s++) {
      Rgb &c = p[ramp.first + s];
      c.r = uint8_t(lerp(a.r, b.r, s - a.at, span));
      c.g = uint8_t(lerp(a.g, b.g, s - a.at, span));
      c.b = uint8_t(lerp(a.b, b.b, s - a.at, span));
    }
  }
}

const char *palette_name(int index) {
  switch (index) {
    case BORLIN_NORMAL_PALETTE: return "NORMAL_PALETTE";
    case BORLIN_WAVES_PALETTE: return "WAVES_PALETTE";
    case BORLIN_BOSS_FLASH_PALETTE: return "BOSS_FLASH_PALETTE";
    case BORLIN_DEMO_PALETTE: return "DEMO_PALETTE";
  }
  fprintf(stderr, "datagen: %d is not a palette index\n", index);
  exit(1);
}

}  // namespace

Palette build_palette(int index) {
  Palette p{};
  for (const Ramp &ramp : ramps)
    if (ramp.palette == BASE || ramp.palette == index) paint_ramp(p, ramp);
  return p;
}

DataObject make_palette(int index) {
  return palette_object(palette_name(index), build_palette(index));
}
