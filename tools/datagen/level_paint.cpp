#include "datagen/level_paint.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double PI = 3.14159265358979323846;

// How tall the lit lip under a lintel is.
constexpr double LINTEL_LIP = 2;

// Position of v within a period, 0 <= result < period.
double within(double v, double period) { return v - period * std::floor(v / period); }
int cell_of(double v, double period) { return int(std::floor(v / period)); }
int wrap(int v, int n) { return ((v % n) + n) % n; }

bool faces_up(vec3 n) { return n.z > 0.5 * std::sqrt(n.f * n.f + n.r * n.r + n.z * n.z); }

// The deck's plates and what each carries; the table repeats every
// DECK_REPEAT plates each way, so the deck's tiles repeat every 128 units.
constexpr double PLATE = 32;
constexpr int DECK_REPEAT = 4;
enum plate_kind { PLAIN, DARK, RIVETED, INSET, GRATING };
constexpr plate_kind deck_plates[DECK_REPEAT][DECK_REPEAT] = {
    // rows: plates across (R), columns: plates along (F)
    {PLAIN, DARK, PLAIN, RIVETED},
    {DARK, INSET, DARK, PLAIN},
    {PLAIN, DARK, GRATING, DARK},
    {RIVETED, PLAIN, DARK, INSET},
};

// How much darker a groove, a shaded bevel, a dark plate and the lines of
// a plate's detail are than the plate, and how much lighter a lit bevel.
constexpr int GROOVE = 4;
constexpr int BEVEL_LIT = 1;
constexpr int BEVEL_SHADED = 1;
constexpr int DARK_PLATE = 1;
constexpr int DETAIL = 2;

// A plate's shade at (u, v) inside it (0..size each way): a groove on its
// -F and -R edges, a lit bevel toward -F, a shaded one toward +F and -R.
int plate_edge(double u, double v, double size, int lit) {
  if (u < 1 || v < 1) return lit - GROOVE;
  if (u < 2) return lit + BEVEL_LIT;
  if (u >= size - 1 || v < 2) return lit - BEVEL_SHADED;
  return -1;
}

int deck_detail(plate_kind kind, double u, double v, int lit) {
  switch (kind) {
    case PLAIN:
      return lit;
    case DARK:
      return lit - DARK_PLATE;
    case RIVETED: {
      // Four bolts near the corners, lit on their -F side.
      for (double cu : {5.0, PLATE - 5})
        for (double cv : {5.0, PLATE - 5})
          if (std::fabs(u - cu) < 1.5 && std::fabs(v - cv) < 1.5)
            return u < cu ? lit + BEVEL_LIT : lit - DETAIL;
      return lit;
    }
    case INSET: {
      // A sunken hatch: its rim lit on the +F side, shaded toward -F.
      constexpr double in0 = 7, in1 = PLATE - 6;
      if (u < in0 || u >= in1 || v < in0 || v >= in1) return lit;
      if (u < in0 + 1 || v < in0 + 1) return lit - DETAIL;
      if (u >= in1 - 1) return lit + BEVEL_LIT;
      return lit - DARK_PLATE;
    }
    case GRATING: {
      // Slats across the flight over a dark pit.
      if (u < 4 || u >= PLATE - 3 || v < 4 || v >= PLATE - 3) return lit;
      return within(u, 4) < 2 ? lit - DARK_PLATE : lit - DETAIL - 1;
    }
  }
  return lit;
}

// A fixed pseudo-random number for a small grid cell.
uint32_t hash2(int a, int b) {
  uint32_t h = uint32_t(a) * 73856093u ^ uint32_t(b) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ (h >> 15);
}

// The ground repeats every GROUND_REPEAT units each way.
constexpr double GROUND_REPEAT = 64;

double wave(double f, double r, int kf, int kr, double phase) {
  return std::cos(2 * PI * (kf * f + kr * r) / GROUND_REPEAT + phase);
}

}  // namespace

int paint_deck(const solid &, vec3 p, vec3 n, int lit) {
  if (!faces_up(n)) return lit;
  const double u = within(p.f, PLATE), v = within(p.r, PLATE);
  if (const int edge = plate_edge(u, v, PLATE, lit); edge >= 0) return edge;
  const int i = wrap(cell_of(p.f, PLATE), DECK_REPEAT), j = wrap(cell_of(p.r, PLATE), DECK_REPEAT);
  return deck_detail(deck_plates[j][i], u, v, lit);
}

int paint_plating(const solid &, vec3 p, vec3 n, int lit) {
  if (!faces_up(n)) return lit;
  constexpr double size = 16;
  const double u = within(p.f, size), v = within(p.r, size);
  if (const int edge = plate_edge(u, v, size, lit); edge >= 0) return edge;
  // Rows of plates in two tones darker than the deck, bolted at their -F
  // corners.
  const int row = cell_of(p.r, size) & 1;
  if (u >= 3 && u < 5 && (v < 5 || v >= size - 3) && v >= 3) return lit + BEVEL_LIT;
  return lit - DARK_PLATE * (1 + row);
}

int paint_ground(const solid &, vec3 p, vec3 n, int lit) {
  if (!faces_up(n)) return lit;
  // Patches from three crossing waves of the ground's repeat.
  const double w = wave(p.f, p.r, 1, 2, 0) + wave(p.f, p.r, 3, -1, 1.3) +
                   0.7 * wave(p.f, p.r, 2, 3, 2.1);
  int shade = lit + (w > 0.9 ? 1 : w < -0.9 ? -2 : w < 0.1 ? -1 : 0);
  // Stones: a lit top and a shadow below, on a 4-unit grid.
  const double g = 4;
  const int a = wrap(cell_of(p.f, g), int(GROUND_REPEAT / g)),
            b = wrap(cell_of(p.r, g), int(GROUND_REPEAT / g));
  if (hash2(a, b) % 11 == 0) {
    const double u = within(p.f, g), v = within(p.r, g);
    if (u >= 1 && u < 3 && v >= 1 && v < 3) shade = u < 2 ? lit + 2 : lit - 2;
  }
  return shade;
}

int paint_wall(const solid &s, vec3 p, vec3 n, int lit) {
  const double half_h = std::fabs(s.m[2][2]);
  const double h = p.z - (s.t.z - half_h), height = 2 * half_h;
  if (faces_up(n)) {
    // The top catches the light, brightest along its -F edge.
    const double f0 = s.t.f - std::fabs(s.m[0][0]);
    return p.f - f0 < 1.5 ? lit + 2 : lit + 1;
  }
  // A coping band under the top, a dark line below it, then panels 16
  // high and 24 wide over a darker plinth; each panel's top row catches
  // the light under the seam above it, and every third one is darker.
  if (h > height - 2) return lit + 2;
  if (h > height - 3) return lit - DETAIL;
  if (h < 3) return lit - 1;
  if (h < 4) return lit - DETAIL;
  const bool along_r = std::fabs(n.f) > std::fabs(n.r);  // a face toward -F runs along R
  const double a = along_r ? p.r : p.f;
  constexpr double panel_w = 24, panel_h = 16;
  const double u = within(a, panel_w), v = within(h, panel_h);
  if (u < 1 || v < 1) return lit - DETAIL;
  if (v >= panel_h - 1) return lit + 1;
  return wrap(cell_of(a, panel_w) + cell_of(h, panel_h), 3) == 0 ? lit - 1 : lit;
}

int paint_lintel(const solid &s, vec3 p, vec3 n, int lit) {
  const double h = p.z - (s.t.z - std::fabs(s.m[2][2]));
  // A bright lip along its underside draws the top of the opening.
  if (!faces_up(n) && h < LINTEL_LIP) return lit + 4;
  return paint_wall(s, p, n, lit);
}

namespace {

// A point in a box decal's frame: the coordinate along its long side, the
// one across it from its edge, and its width.
struct decal_point {
  double along, across, width;
};
decal_point in_decal(const solid &s, vec3 p) {
  const double hf = std::fabs(s.m[0][0]), hr = std::fabs(s.m[1][1]);
  if (hf >= hr) return {p.f, p.r - (s.t.r - hr), 2 * hr};
  return {p.r, p.f - (s.t.f - hf), 2 * hf};
}

constexpr double BOLT_PITCH = 16;

}  // namespace

int paint_trim(const solid &s, vec3 p, vec3, int lit) {
  const decal_point d = in_decal(s, p);
  if (d.across < 1 || d.across >= d.width - 1) return lit - GROOVE + 1;
  if (d.across < 2.5 || d.across >= d.width - 2.5) return lit + 3;
  const double mid = d.width / 2;
  if (std::fabs(d.across - mid) < 1.2 && std::fabs(within(d.along, BOLT_PITCH) - 8) < 1.2)
    return within(d.along, BOLT_PITCH) < 8 ? lit + 4 : lit - DETAIL;
  return lit;
}

int paint_stripes(const solid &, vec3 p, vec3, int lit) {
  constexpr double pitch = 12;
  return within(p.f + p.r, pitch) < pitch / 2 ? lit : PAINT_NONE;
}

int paint_hatch(const solid &s, vec3 p, vec3, int lit) {
  const double u = p.f - (s.t.f - std::fabs(s.m[0][0])), v = p.r - (s.t.r - std::fabs(s.m[1][1]));
  const double w = 2 * std::fabs(s.m[0][0]), h = 2 * std::fabs(s.m[1][1]);
  // A frame, lit toward -F, then two doors meeting across the middle.
  if (u < 1 || v < 1 || u >= w - 1 || v >= h - 1) return lit - GROOVE;
  if (u < 3) return lit + 3;
  if (u >= w - 3 || v < 3 || v >= h - 3) return lit + 1;
  if (std::fabs(v - h / 2) < 0.6) return lit - GROOVE;
  // Lifting rings on each door.
  for (double cv : {h / 4, 3 * h / 4})
    if (std::fabs(u - w / 2) < 1.5 && std::fabs(v - cv) < 1.5) return lit - DETAIL;
  return lit;
}

int paint_vent(const solid &s, vec3 p, vec3, int lit) {
  const double u = p.f - (s.t.f - std::fabs(s.m[0][0])), v = p.r - (s.t.r - std::fabs(s.m[1][1]));
  const double w = 2 * std::fabs(s.m[0][0]), h = 2 * std::fabs(s.m[1][1]);
  if (u < 2 || v < 2 || u >= w - 2 || v >= h - 2) return lit + 3;
  return within(u, 4) < 1.5 ? lit + 4 : lit;
}

int paint_dashes(const solid &s, vec3 p, vec3, int lit) {
  return within(in_decal(s, p).along, BOLT_PITCH) < 10 ? lit : PAINT_NONE;
}

int paint_ring(const solid &s, vec3 p, vec3, int lit) {
  const double r = std::hypot((p.f - s.t.f) / s.m[0][0], (p.r - s.t.r) / s.m[1][1]);
  return r < 0.8 ? PAINT_NONE : lit;
}
