// A small software renderer for the game's pictures. Objects are convex
// solids in world units: F along the flight direction, R across it, Z up.
// The game's projection puts F at (+1, -1/2) on screen, R at (+1, +1/2) and
// Z at (0, -1), so a world point (f, r, z) lands on
//     x = ox + f + r,   y = oy + (r - f) / 2 - z
// for a canvas whose origin (ox, oy) is the pixel of world (0, 0, 0). Along
// a line of sight Z grows toward the viewer, so the nearest surface is the
// highest one, and one render gives three pictures that agree pixel for
// pixel:
//   - the sprite: palette entries, each solid lit from one fixed direction
//     and shaded within its material's ramp;
//   - the contour: 1 + the height above the base of the surface seen
//     (rounded), clamped to 1..100, on exactly the sprite's pixels;
//   - the shadow: the solids flattened to Z = 0 (non-zero = shadow).
//
// Usage:
//   render_canvas c(48, 32, 24, 20);         // size, origin pixel
//   render_solids(model, c);                 // any number of calls
//   finish_sprite(c);                        // outline pass, optional
//   c.sprite / c.contour / c.shadow          // row-major, w * h bytes
// Several render_solids calls on one canvas composite by depth, so a scene
// can be built from separately described pieces.
#pragma once

#include <cstdint>
#include <vector>

struct vec3 {
  double f, r, z;
};

// A palette ramp: `first` is the darkest entry, `length` 8 or 16; a solid
// uses shades `dark`..`light` of it. dark == light gives a flat colour
// (lamps, glass).
struct material {
  int first;
  int length;
  int dark;
  int light;
};

enum solid_shape {
  SHAPE_BOX,       // the cube [-1, 1]^3
  SHAPE_CYLINDER,  // x^2 + y^2 <= 1, 0 <= z <= 1
  SHAPE_CONE,      // radius 1 at z = 0 narrowing to `top` at z = 1
  SHAPE_WEDGE,     // the box half x + 2z <= 1 of [-1, 1]^2 x [0, 1]
  SHAPE_ELLIPSOID, // the unit ball
};

struct solid;
// Paints a surface: the shade within the solid's ramp of the point `p`
// (world units) on a surface facing `normal`, given the shade the light
// gives it. Patterns work in world units so that neighbouring solids line
// up; the result is kept inside the material's ramp. PAINT_NONE cuts the
// solid away at that point (a decal's gaps), in all three pictures alike.
using surface_paint = int (*)(const solid &s, vec3 p, vec3 normal, int lit);
constexpr int PAINT_NONE = -1000;

// A solid is its canonical shape mapped into the world by an affine map:
// world = m * local + t (m columns are the images of the local axes).
struct solid {
  solid_shape shape;
  double m[3][3];
  vec3 t;
  double top;  // cone top radius, 0 for a point
  material mat;
  surface_paint paint = nullptr;  // none: the lit shade alone
};

// A copy of the solid painted by `p`.
solid painted(solid s, surface_paint p);

// Constructors in world units. Sizes are full extents along F, R, Z.
// Boxes, plates and ellipsoids are given by their centre; cylinders, cones
// and wedges stand on the centre of their base.
solid box(vec3 centre, vec3 size, material m);
solid plate(vec3 centre, double size_f, double size_r, double thickness, material m);
solid ellipsoid(vec3 centre, vec3 size, material m);
solid cylinder(vec3 base, double diameter_f, double diameter_r, double height, material m);
solid cone(vec3 base, double diameter_f, double diameter_r, double height, double top,
           material m);
// Slopes from full height at -F down to 0 at +F.
solid wedge(vec3 base, vec3 size, material m);

// A square bar of the given thickness from a to b.
solid rod(vec3 a, vec3 b, double thickness, material m);

// Axis indices for the rotations.
enum axis { AXIS_F = 0, AXIS_R = 1, AXIS_Z = 2 };

// Rotates a solid about a world axis through `pivot`, by degrees; positive
// turns follow the right hand (about F: R toward Z).
solid rotated(const solid &s, axis a, double degrees, vec3 pivot);
void rotate_all(std::vector<solid> &solids, axis a, double degrees, vec3 pivot);
void move_all(std::vector<solid> &solids, vec3 by);
// Scales the solids about the world origin.
void scale_all(std::vector<solid> &solids, double factor);

// Lays a cylinder or cone along F or R instead of standing on Z, its base
// centre at `base`. Its first diameter becomes the extent across (R for a
// solid along F, F for one along R), its second the extent in Z; a
// negative height points it toward -F or -R.
solid laid_along(const solid &s, axis a, vec3 base);

struct render_canvas {
  render_canvas(int w, int h, int ox, int oy);
  int w, h;
  int ox, oy;
  double base = 0;  // world Z that contour height 0 stands for
  std::vector<uint8_t> sprite, contour, shadow;
  std::vector<double> depth;  // Z of the surface seen; -inf where empty

  int at(int x, int y) const { return y * w + x; }
};

constexpr int CONTOUR_MAX = 100;

// Renders the solids into the canvas, keeping nearer surfaces.
void render_solids(const std::vector<solid> &solids, render_canvas &c);

// Darkens by one shade every sprite pixel on the silhouette or behind a
// jump in depth, so shapes read at small sizes.
void finish_sprite(render_canvas &c);

// The world point under a canvas pixel centre at height z; the inverse of
// the projection, for tests and anchor placement.
vec3 unproject(const render_canvas &c, double x, double y, double z);
// The canvas pixel (fractional) of a world point.
void project(const render_canvas &c, vec3 p, double &x, double &y);

// Shade index within the ramp that a surface facing `normal` gets.
int lit_shade(const material &m, vec3 normal);
