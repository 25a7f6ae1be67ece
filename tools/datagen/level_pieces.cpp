#include "datagen/level_pieces.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "datagen/level_paint.h"
#include "datagen/level_source.h"
#include "datagen/producers.h"
#include "world/enemy_kinds.h"

namespace {

constexpr material STEEL{160, 16, 3, 13};
constexpr material VIOLET{224, 16, 3, 13};
constexpr material GATE_CAP{96, 8, 2, 6};
constexpr int GATE_CAP_HEIGHT = 4;

// The generated force-field animations these fences go with (their frame
// width, height, cut corner and number of beams).
struct field_frames {
  int kind, partner;
  int w, h, cut, beams;
  int n;  // record across-number that starts the fence near the far edge
};
constexpr field_frames fence_of(int kind, int partner, int n) {
  const forcefield_shape &f = forcefield_shape_of(enemy_kind_table[kind].anim_type);
  return {kind, partner, f.width, f.height, f.cut, f.beams, n};
}
constexpr field_frames field_kinds[] = {
    fence_of(KIND_FORCE_FIELD, KIND_FORCE_FIELD_CONTOUR, 44),
    fence_of(KIND_FORCE_FIELD_3, KIND_FORCE_FIELD2_CONTOUR, 67),
};
// The lowest beam's bottom edge lies this far down the frame at frame 0,
// and a beam's picture is this tall.
constexpr int BEAM_BOTTOM = 28;
constexpr int BEAM_HEIGHT = 20;
constexpr double FENCE_THICKNESS = 4;

const field_frames &frames_of(int kind) {
  for (const field_frames &f : field_kinds)
    if (f.kind == kind) return f;
  fprintf(stderr, "datagen: no force field of kind %d\n", kind);
  exit(1);
}

int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int floor_to(int v, int step, int rest) {  // largest x <= v with x = rest (mod step)
  return v - (((v - rest) % step) + step) % step;
}
int ceil_to(int v, int step, int rest) { return v + (((rest - v) % step) + step) % step; }

void bounds(const std::vector<solid> &solids, double &x0, double &y0, double &x1, double &y1) {
  x0 = y0 = 1e18;
  x1 = y1 = -1e18;
  for (const solid &s : solids) solid_bounds(s, x0, y0, x1, y1);
}

// Frames a piece so that its record lands on whole map numbers.
piece frame_piece(std::vector<solid> solids, int kind) {
  piece p;
  p.solids = std::move(solids);
  p.kind = kind;
  const enemy_kind_row &k = enemy_kind_table[kind];
  double x0, y0, x1, y1;
  bounds(p.solids, x0, y0, x1, y1);
  p.left = floor_to(int(std::floor(x0)), UNIT, k.screen_dx);
  const int bottom = ceil_to(int(std::ceil(y1)), 4, k.screen_dy);
  p.top = int(std::floor(y0));
  p.w = int(std::ceil(x1)) - p.left;
  p.h = bottom - p.top;
  p.m0 = floor_div(p.left - k.screen_dx, UNIT);
  p.n0 = (bottom + 4 * p.m0 + 4 - k.screen_dy) / 4;
  return p;
}

// A box from (f0, r0, z0) to (f1, r1, z1).
solid span_box(double f0, double r0, double z0, double f1, double r1, double z1, material m) {
  return box({(f0 + f1) / 2, (r0 + r1) / 2, (z0 + z1) / 2}, {f1 - f0, r1 - r0, z1 - z0}, m);
}

// The fence of a field with its record at m = 0: a thin wall of beams
// framed so that the frame's bottom-left is the record's own corner.
piece fence_piece(const field_frames &f) {
  const field_layout l = layout_field(f.kind, 0);
  const double fence_f = l.fence_f - UNIT * l.m;  // the fence of a record at m = 0
  piece p;
  p.kind = f.partner;
  p.solids.push_back(span_box(fence_f, l.hit_r0, 0, fence_f + FENCE_THICKNESS, l.r1, l.top,
                              material{64, 8, 2, 7}));
  const enemy_kind_row &k = enemy_kind_table[f.partner];
  double x0, y0, x1, y1;
  bounds(p.solids, x0, y0, x1, y1);
  p.m0 = 0;
  p.n0 = f.n;
  p.left = k.screen_dx;
  const int bottom = 4 * f.n - 4 + k.screen_dy;
  p.top = int(std::floor(y0));
  p.w = int(std::ceil(x1)) - p.left;
  p.h = bottom - p.top;
  return p;
}

const std::array<piece, PIECE_COUNT> &pieces() {
  static const std::array<piece, PIECE_COUNT> all = [] {
    std::array<piece, PIECE_COUNT> a;
    const double module_r = UNIT * WALL_MODULE_COLUMNS;
    auto wall = [&](double z0, double z1, int kind, surface_paint paint = paint_wall) {
      return frame_piece({painted(span_box(0, 0, z0, UNIT, module_r, z1, STEEL), paint)}, kind);
    };
    a[PIECE_WALL_16] = wall(0, 16, KIND_WALL_3X1);
    a[PIECE_WALL_32] = wall(0, 32, KIND_WALL_3X2);
    a[PIECE_WALL_64] = wall(0, 64, KIND_WALL_3X4);
    a[PIECE_LINTEL] = wall(LINTEL_BOTTOM, LINTEL_TOP, KIND_WALL_3W_TOP, paint_lintel);
    a[PIECE_SIDE] =
        frame_piece({painted(span_box(0, 0, 0, UNIT * SIDE_MODULE_POSITIONS, UNIT, SIDE_HEIGHT,
                                      STEEL),
                             paint_wall)},
                    KIND_WALL_SIDE);
    a[PIECE_TOWER] = frame_piece(
        {painted(span_box(0, 0, 0, UNIT, UNIT * TOWER_COLUMNS, TOWER_HEIGHT, STEEL), paint_wall)},
        KIND_2X3_BLOCK);
    // Gate blocks wear a yellow cap, so the player can tell them from the
    // wall they close.
    auto block = [&](material m, int kind) {
      return frame_piece(
          {span_box(0, 0, 0, UNIT, module_r, BLOCK_HEIGHT - GATE_CAP_HEIGHT, m),
           span_box(0, 0, BLOCK_HEIGHT - GATE_CAP_HEIGHT, UNIT, module_r, BLOCK_HEIGHT, GATE_CAP)},
          kind);
    };
    a[PIECE_BLOCK] = block(STEEL, KIND_3X2_BLOCK);
    a[PIECE_SUPER_BLOCK] = block(VIOLET, KIND_SUPER_3X2_BLOCK);
    a[PIECE_FENCE] = fence_piece(frames_of(KIND_FORCE_FIELD));
    a[PIECE_FENCE_3] = fence_piece(frames_of(KIND_FORCE_FIELD_3));
    return a;
  }();
  return all;
}

Bitmap8 to_bitmap(const render_canvas &c, const std::vector<uint8_t> &px) {
  Bitmap8 b(c.w, c.h);
  b.px = px;
  return b;
}

}  // namespace

void solid_bounds(const solid &s, double &x0, double &y0, double &x1, double &y1) {
  const bool from_base =
      s.shape == SHAPE_CYLINDER || s.shape == SHAPE_CONE || s.shape == SHAPE_WEDGE;
  for (int i = 0; i < 8; i++) {
    const double l[3] = {i & 1 ? 1.0 : -1.0, i & 2 ? 1.0 : -1.0,
                         i & 4 ? 1.0 : (from_base ? 0.0 : -1.0)};
    vec3 p{s.t.f, s.t.r, s.t.z};
    p.f += s.m[0][0] * l[0] + s.m[0][1] * l[1] + s.m[0][2] * l[2];
    p.r += s.m[1][0] * l[0] + s.m[1][1] * l[1] + s.m[1][2] * l[2];
    p.z += s.m[2][0] * l[0] + s.m[2][1] * l[1] + s.m[2][2] * l[2];
    double x, y;
    level_pixel(p, x, y);
    x0 = std::min(x0, x), x1 = std::max(x1, x);
    y0 = std::min(y0, y), y1 = std::max(y1, y);
  }
}

const piece &level_piece(PieceId id) { return pieces()[id]; }

PieceId wall_piece(int height) {
  return height == 16 ? PIECE_WALL_16 : height == 32 ? PIECE_WALL_32 : PIECE_WALL_64;
}

void level_pixel(vec3 p, double &x, double &y) {
  x = p.f + p.r;
  y = (p.r - p.f) / 2 - p.z;
}

bool block_lattice(int m, int n, int &along, int &across) {
  const piece &b = level_piece(PIECE_BLOCK);
  if ((n - b.n0) % 2 != 0) return false;
  across = (n - b.n0) / 2;
  along = m - b.m0 - across;
  return true;
}

field_layout layout_field(int kind, int along) {
  const field_frames &f = frames_of(kind);
  field_layout l;
  l.n = f.n;
  // The lowest beam's bottom-left at frame 0 sits BEAM_BOTTOM rows below
  // the frame's top, whose bottom the game puts at level pixel
  // (8m, 4(n - m) - 4); seen as a point on the ground that is
  // F = 8m + offset, R = r0. The record's m puts the fence at `along`.
  const int offset = -4 * f.n + f.h - BEAM_BOTTOM + 4;
  l.m = along - floor_div(offset, UNIT);
  l.fence_f = UNIT * l.m + offset;
  l.r0 = 4 * f.n - f.h + BEAM_BOTTOM - 4;
  // The cut corner clears the beams past the line where the frame's
  // bottom edge meets it.
  l.r1 = 4 * f.n + (f.w - f.cut) / 2.0 - 4;
  l.top = BEAM_HEIGHT + FORCEFIELD_BEAM_SPACING * (f.beams - 1);
  // A world point lands on sprite-map row R - Z - 8 (plus its record's
  // altitude), which must not be negative.
  l.hit_r0 = std::max(l.r0, l.top + UNIT + 2);
  return l;
}

int field_frame_width(int kind) { return frames_of(kind).w; }

render_canvas render_piece(const piece &p) {
  render_canvas c(p.w, p.h, -p.left, -p.top);
  render_solids(p.solids, c);
  return c;
}

DataObject make_level_contour(int index) {
  PieceId id;
  const char *name;
  switch (index) {
    case BORLIN_2X3_BLOCK_CONTOUR:
      id = PIECE_TOWER, name = "2X3_BLOCK_CONTOUR";
      break;
    case BORLIN_3X2_BLOCK_CONTOUR:
      id = PIECE_BLOCK, name = "3X2_BLOCK_CONTOUR";
      break;
    case BORLIN_FORCE_FIELD2_CONTOUR:
      id = PIECE_FENCE_3, name = "FORCE_FIELD2_CONTOUR";
      break;
    case BORLIN_FORCE_FIELD_CONTOUR:
      id = PIECE_FENCE, name = "FORCE_FIELD_CONTOUR";
      break;
    case BORLIN_WALL_3W_TOP_CONTOUR:
      id = PIECE_LINTEL, name = "WALL_3W_TOP_CONTOUR";
      break;
    case BORLIN_WALL_3X1_CONTOUR:
      id = PIECE_WALL_16, name = "WALL_3X1_CONTOUR";
      break;
    case BORLIN_WALL_3X2_CONTOUR:
      id = PIECE_WALL_32, name = "WALL_3X2_CONTOUR";
      break;
    case BORLIN_WALL_3X4_CONTOUR:
      id = PIECE_WALL_64, name = "WALL_3X4_CONTOUR";
      break;
    case BORLIN_WALL_SIDE_CONTOUR:
      id = PIECE_SIDE, name = "WALL_SIDE_CONTOUR";
      break;
    default:
      fprintf(stderr, "datagen: borlin %d is no level contour\n", index);
      exit(1);
  }
  const render_canvas c = render_piece(level_piece(id));
  return bitmap_object(name, to_bitmap(c, c.contour));
}

DataObject make_block_sprite(int index) {
  const bool super =
      index == KESTAL_SUPER_3X2_BLOCK || index == KESTAL_SUPER_3X2_BLOCK_WITHOUT_SIDE;
  const bool without_side =
      index == KESTAL_3X2_BLOCK_WITHOUT_SIDE || index == KESTAL_SUPER_3X2_BLOCK_WITHOUT_SIDE;
  const piece &p = level_piece(super ? PIECE_SUPER_BLOCK : PIECE_BLOCK);
  render_canvas c = render_piece(p);
  finish_sprite(c);
  if (without_side) {
    // The end face toward +R is left open, for a block that stands against
    // its neighbour in a row.
    for (int y = 0; y < c.h; y++)
      for (int x = 0; x < c.w; x++)
        if (c.sprite[c.at(x, y)] && unproject(c, x + 0.5, y + 0.5, c.depth[c.at(x, y)]).r >
                                        UNIT * WALL_MODULE_COLUMNS - 0.5)
          c.sprite[c.at(x, y)] = 0;
  }
  const char *names[] = {"3X2_BLOCK", "3X2_BLOCK_WITHOUT_SIDE", "SUPER_3X2_BLOCK",
                         "SUPER_3X2_BLOCK_WITHOUT_SIDE"};
  return bitmap_object(names[(super ? 2 : 0) + (without_side ? 1 : 0)], to_bitmap(c, c.sprite));
}
