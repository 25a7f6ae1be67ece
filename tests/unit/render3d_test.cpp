#include <gtest/gtest.h>

#include <cmath>

#include "datagen/render3d.h"

namespace {

constexpr material GREY{144, 16, 2, 15};

int mask_area(const std::vector<uint8_t> &v) {
  int n = 0;
  for (uint8_t b : v) n += b != 0;
  return n;
}

}  // namespace

TEST(Projection, UnitCubeCornersLandWhereTheGameDrawsThem) {
  render_canvas c(16, 16, 4, 10);
  const struct {
    vec3 p;
    double x, y;
  } corners[] = {{{0, 0, 0}, 4, 10},     {{1, 0, 0}, 5, 9.5},  {{0, 1, 0}, 5, 10.5},
                 {{0, 0, 1}, 4, 9},      {{1, 1, 0}, 6, 10},   {{1, 1, 1}, 6, 9},
                 {{1, 0, 1}, 5, 8.5},    {{0, 1, 1}, 5, 9.5}};
  for (const auto &k : corners) {
    double x, y;
    project(c, k.p, x, y);
    EXPECT_DOUBLE_EQ(x, k.x);
    EXPECT_DOUBLE_EQ(y, k.y);
    const vec3 back = unproject(c, x, y, k.p.z);
    EXPECT_NEAR(back.f, k.p.f, 1e-12);
    EXPECT_NEAR(back.r, k.p.r, 1e-12);
  }
}

TEST(Projection, CubeShowsThreeFacesLitInOrderWithHeightsAndFootprint) {
  // A cube of side 10 standing on the origin: its picture is three
  // parallelograms of area 100 each, its shadow the footprint alone.
  render_canvas c(40, 40, 10, 28);
  render_solids({box({5, 5, 5}, {10, 10, 10}, GREY)}, c);
  EXPECT_NEAR(mask_area(c.sprite), 300, 12);
  EXPECT_NEAR(mask_area(c.shadow), 100, 8);
  EXPECT_EQ(mask_area(c.contour), mask_area(c.sprite));

  // Top face centre: world (5, 5, 10) -> (20, 18); -F face centre (0, 5, 5)
  // -> (15, 25.5); +R face centre (5, 10, 5) -> (25, 25.5).
  const int top = c.at(20, 18), front = c.at(15, 25), side = c.at(25, 25);
  EXPECT_EQ(c.contour[top], 11);
  EXPECT_GT(c.sprite[top], c.sprite[front]);
  EXPECT_GT(c.sprite[front], c.sprite[side]);
  EXPECT_NEAR(c.contour[front], 1 + 5.5, 1);
  // The lowest visible row of the front face is just above the base.
  EXPECT_EQ(c.contour[c.at(15, 30)], 1);
  // The footprint is the top face moved down by the height.
  EXPECT_TRUE(c.shadow[c.at(20, 28)]);
  EXPECT_FALSE(c.shadow[c.at(20, 17)]);

  // Heights are measured from the canvas base and clamped to 1..100.
  render_canvas tall(40, 260, 20, 250);
  tall.base = 0;
  render_solids({box({0, 0, 100}, {4, 4, 200}, GREY)}, tall);
  EXPECT_EQ(tall.contour[tall.at(20, 50)], CONTOUR_MAX);
}

TEST(Shapes, CurvedSolidsCoverTheirProjectedAreas) {
  // The ground projection keeps areas (determinant 1), so a footprint of
  // radius 6 covers about 36 pi pixels.
  render_canvas c(40, 40, 20, 26);
  render_solids({ellipsoid({0, 0, 6}, {12, 12, 12}, GREY)}, c);
  EXPECT_NEAR(mask_area(c.shadow), M_PI * 36, 8);
  EXPECT_GT(mask_area(c.sprite), mask_area(c.shadow));

  render_canvas cyl(40, 40, 20, 30);
  render_solids({cylinder({0, 0, 0}, 12, 12, 10, GREY)}, cyl);
  EXPECT_NEAR(mask_area(cyl.shadow), M_PI * 36, 8);
  EXPECT_EQ(cyl.contour[cyl.at(20, 20)], 11);  // the flat top

  // A cone's top is a point: nothing of it stands at the full height
  // except its apex.
  render_canvas con(40, 40, 20, 30);
  render_solids({cone({0, 0, 0}, 12, 12, 10, 0, GREY)}, con);
  EXPECT_LT(mask_area(con.sprite), mask_area(cyl.sprite));
  EXPECT_TRUE(con.sprite[con.at(20, 21)]);
  EXPECT_FALSE(con.sprite[con.at(20, 18)]);

  // A wedge is half a box: full height at -F, none at +F. With a slope of
  // one half, the top seen at F = -3 stands at 4 and at F = +3 at 1.
  render_canvas w(40, 40, 20, 30);
  render_solids({wedge({0, 0, 0}, {10, 10, 5}, GREY)}, w);
  double x, y;
  project(w, {-3, 0, 4}, x, y);
  EXPECT_EQ(w.contour[w.at(static_cast<int>(x), static_cast<int>(y))], 5);
  project(w, {3, 0, 1}, x, y);
  EXPECT_EQ(w.contour[w.at(static_cast<int>(x), static_cast<int>(y))], 2);
}

TEST(Transforms, RotationsAndRodsKeepShapes) {
  // A long box turned a quarter about Z lies along R instead of F.
  const solid along_f = box({0, 0, 1}, {20, 2, 2}, GREY);
  const solid along_r = rotated(along_f, AXIS_Z, 90, {0, 0, 0});
  render_canvas a(60, 60, 30, 30), b(60, 60, 30, 30), r(60, 60, 30, 30);
  render_solids({along_r}, a);
  render_solids({box({0, 0, 1}, {2, 20, 2}, GREY)}, b);
  EXPECT_EQ(a.contour, b.contour);
  // A rod from a to b is the same bar.
  render_solids({rod({0, -10, 1}, {0, 10, 1}, 2, GREY)}, r);
  EXPECT_EQ(r.contour, b.contour);
  // Laid along F, a cylinder's cross-section diameters go to R and Z.
  render_canvas l(60, 60, 30, 30);
  render_solids({laid_along(cylinder({}, 4, 6, 10, GREY), AXIS_F, {0, 0, 3})}, l);
  int top_z = 0;
  for (uint8_t v : l.contour) top_z = std::max<int>(top_z, v);
  EXPECT_EQ(top_z, 1 + 3 + 3);  // centre 3 plus half the second diameter
  EXPECT_NEAR(mask_area(l.shadow), 40, 4);  // 10 along F by 4 across
}

TEST(Compositing, NearerSurfacesWinAcrossCalls) {
  render_canvas c(40, 40, 20, 30);
  render_solids({box({0, 0, 2}, {10, 10, 4}, GREY)}, c);
  const material red{80, 8, 2, 7};
  render_solids({box({0, 0, 8}, {4, 4, 16}, red)}, c);
  render_solids({box({0, 0, 1}, {12, 12, 2}, red)}, c);  // hidden under the first
  EXPECT_EQ(c.contour[c.at(20, 14)], 17);  // the post's top
  EXPECT_GE(c.sprite[c.at(20, 14)], 80);
  EXPECT_LT(c.sprite[c.at(20, 14)], 88);
  EXPECT_EQ(c.contour[c.at(24, 24)], 5);  // the block's top beside it
  EXPECT_GE(c.sprite[c.at(24, 24)], 144);
  // The low slab only shows at its rim.
  EXPECT_EQ(c.contour[c.at(14, 31)], 3);
  EXPECT_LT(c.sprite[c.at(14, 31)], 88);
}

TEST(Finishing, OutlinesDarkenOnlyWithinTheRamp) {
  render_canvas c(20, 20, 10, 14);
  render_solids({box({0, 0, 3}, {6, 6, 6}, material{144, 16, 0, 15})}, c);
  const std::vector<uint8_t> before = c.sprite;
  finish_sprite(c);
  int changed = 0;
  for (int i = 0; i < c.w * c.h; i++) {
    EXPECT_EQ(c.sprite[i] != 0, before[i] != 0);
    if (c.sprite[i] != before[i]) {
      changed++;
      EXPECT_EQ(c.sprite[i], before[i] - 1);
      EXPECT_GE(c.sprite[i], 144);
    }
  }
  EXPECT_GT(changed, 10);
}

namespace {

// Paints the half of a surface with f < 0 two shades past the ramp's top
// and cuts away the half with r > 0.
int split_paint(const solid &, vec3 p, vec3 normal, int lit) {
  if (normal.z <= 0) return lit;
  if (p.r > 0) return PAINT_NONE;
  return p.f < 0 ? 99 : lit;
}

}  // namespace

TEST(Painting, PainterSeesWorldPointsAndCutsAllThreePicturesAlike) {
  render_canvas c(64, 48, 32, 24);
  render_solids({painted(box({0, 0, -1}, {32, 32, 2}, GREY), split_paint)}, c);
  int top_light = 0, cut = 0;
  for (int y = 0; y < c.h; y++)
    for (int x = 0; x < c.w; x++) {
      const int i = c.at(x, y);
      const vec3 w = unproject(c, x + 0.5, y + 0.5, 0);
      if (std::fabs(w.f) > 15 || std::fabs(w.r) > 15 || std::fabs(w.f) < 1 || std::fabs(w.r) < 1)
        continue;
      // Within the top: cut where r > 0 (the side below shows through
      // nothing, so the pixel stays empty in every picture).
      if (w.r > 0) {
        EXPECT_EQ(c.sprite[i], 0) << x << "," << y;
        EXPECT_EQ(c.contour[i], 0);
        cut++;
      } else if (w.f < 0) {
        EXPECT_EQ(c.sprite[i], GREY.first + GREY.length - 1);  // kept inside the ramp
        top_light++;
      } else {
        EXPECT_EQ(c.sprite[i], GREY.first + lit_shade(GREY, {0, 0, 1}));
      }
    }
  EXPECT_GT(top_light, 100);
  EXPECT_GT(cut, 200);
}
