#include "datagen/icon_art.h"

#include <algorithm>

#include "datagen/models.h"
#include "datagen/producers.h"

namespace {

// Banked toward the viewer, so both wings show.
constexpr double ICON_ROLL = 15;

// The probe render that measures the ship: large enough for its whole
// extent at this scale.
constexpr double PROBE_SCALE = 4;
constexpr int PROBE_SIZE = 400;

// The library shows a 0..63 palette value v as (v << 2) | (v >> 4).
uint8_t eight_bit(int v) { return uint8_t((v << 2) | (v >> 4)); }

std::vector<solid> scaled_ship(double k) {
  std::vector<solid> m = ship_model(ICON_ROLL);
  scale_all(m, k);
  return m;
}

// The ship's drawn extent at PROBE_SCALE, relative to the model origin's
// pixel: [x0, x1) x [y0, y1).
struct extent {
  double x0, x1, y0, y1;
};

extent measure_ship() {
  render_canvas c(PROBE_SIZE, PROBE_SIZE, PROBE_SIZE / 2, PROBE_SIZE / 2);
  render_solids(scaled_ship(PROBE_SCALE), c);
  int x0 = c.w, x1 = -1, y0 = c.h, y1 = -1;
  for (int y = 0; y < c.h; y++)
    for (int x = 0; x < c.w; x++)
      if (c.sprite[c.at(x, y)]) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  return {double(x0 - c.ox), double(x1 + 1 - c.ox), double(y0 - c.oy), double(y1 + 1 - c.oy)};
}

}  // namespace

RgbaImage ship_icon(int size) {
  static const extent e = measure_ship();
  static const Palette pal = build_palette(BORLIN_NORMAL_PALETTE);

  // The projection is linear about the origin pixel, so the probe's extent
  // scales with the model.
  const int big = size * ICON_SUPERSAMPLE;
  const double room = big - 2.0 * big / ICON_MARGIN_DIVISOR;
  const double k = PROBE_SCALE * room / std::max(e.x1 - e.x0, e.y1 - e.y0);
  const double unit = k / PROBE_SCALE;
  const int ox = int(big / 2.0 - (e.x0 + e.x1) / 2 * unit + 0.5);
  const int oy = int(big / 2.0 - (e.y0 + e.y1) / 2 * unit + 0.5);
  render_canvas c(big, big, ox, oy);
  render_solids(scaled_ship(k), c);
  finish_sprite(c);

  // Average each block with its colours weighted by coverage, so edges
  // fade out instead of darkening toward the transparent black.
  RgbaImage img;
  img.w = img.h = size;
  img.px.assign(size_t(size) * size * 4, 0);
  const int n = ICON_SUPERSAMPLE * ICON_SUPERSAMPLE;
  for (int y = 0; y < size; y++)
    for (int x = 0; x < size; x++) {
      int r = 0, g = 0, b = 0, covered = 0;
      for (int sy = 0; sy < ICON_SUPERSAMPLE; sy++)
        for (int sx = 0; sx < ICON_SUPERSAMPLE; sx++) {
          const int idx = c.sprite[c.at(x * ICON_SUPERSAMPLE + sx, y * ICON_SUPERSAMPLE + sy)];
          if (!idx) continue;
          r += eight_bit(pal[idx].r);
          g += eight_bit(pal[idx].g);
          b += eight_bit(pal[idx].b);
          covered++;
        }
      if (!covered) continue;
      uint8_t *p = &img.px[(size_t(y) * size + x) * 4];
      p[0] = uint8_t(r / covered);
      p[1] = uint8_t(g / covered);
      p[2] = uint8_t(b / covered);
      p[3] = uint8_t(covered * 255 / n);
    }
  return img;
}
