// The level's structural pieces: wall modules, blocks, towers and the
// force-field fences. Each is a handful of solids in its own frame; the
// same solids go into the floor render and into the piece's own contour,
// so what the ship hits is exactly what the tiles show.
#pragma once

#include <vector>

#include "datagen/model.h"
#include "datagen/render3d.h"

// World units: 8 to a map position along the flight (F), 8 to a column
// across (R); heights (Z) in pixels.
constexpr int UNIT = 8;

// A piece and where its picture sits: placed with its frame's origin at
// the lattice point (along a, across k), its enemy map record is
// (m0 + a + k, n0 + 2k) for the kind's screen offsets.
struct piece {
  std::vector<solid> solids;
  int kind;
  // The picture's frame in level pixels relative to the origin's pixel:
  // left edge, top, width, height; chosen so the record lands on whole
  // map numbers.
  int left, top, w, h;
  int m0, n0;
};

enum PieceId {
  PIECE_WALL_16,  // kind 17
  PIECE_WALL_32,  // kind 16
  PIECE_WALL_64,  // kind 20
  PIECE_LINTEL,   // kind 18
  PIECE_SIDE,     // kind 19
  PIECE_TOWER,    // kind 7
  PIECE_BLOCK,    // kinds 12, 13, 14 (and 31, 32 in the violet material)
  PIECE_SUPER_BLOCK,
  PIECE_FENCE,    // kind 15, the contour of a kind-11 force field
  PIECE_FENCE_3,  // kind 26, the contour of a kind-23 force field
  PIECE_COUNT
};

const piece &level_piece(PieceId id);
PieceId wall_piece(int height);

// Level-image pixel of a world point: x = F + R, y = (R - F) / 2 - Z.
void level_pixel(vec3 p, double &x, double &y);

// Widens (x0, y0)-(x1, y1) to the level pixels of a solid's corners.
void solid_bounds(const solid &s, double &x0, double &y0, double &x1, double &y1);

// The lattice point of a block record (m, n) of a block kind, or false
// when it lies between lattice points.
bool block_lattice(int m, int n, int &along, int &across);

// A force field: its record (m, n) for a field along `along`, the span
// of its fence across the strip in world units and its top.
struct field_layout {
  int m, n;
  double fence_f;  // F of the fence line
  double r0, r1;   // its ends across the strip
  double hit_r0;   // where its contour starts: nearer the far edge
                   // the beams' tops would leave the sprite map
  double top;      // height of the highest beam's top
};
field_layout layout_field(int kind, int along);
// The width of a field kind's animation frames.
int field_frame_width(int kind);

// Renders a piece alone into its frame.
render_canvas render_piece(const piece &p);
