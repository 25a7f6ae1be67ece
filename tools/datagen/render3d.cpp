#include "datagen/render3d.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double EPS = 1e-9;
constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double PI = 3.14159265358979323846;
// Contour jumps larger than this between neighbours are occluding edges.
constexpr double EDGE_JUMP = 3.5;
constexpr double AMBIENT = 0.12;

// One light for everything: from above, a little toward -F and +R, so tops
// are brightest, then faces toward -F, then faces toward +R.
const vec3 LIGHT = [] {
  vec3 l{-0.5, 0.2, 1.0};
  const double n = std::sqrt(l.f * l.f + l.r * l.r + l.z * l.z);
  return vec3{l.f / n, l.r / n, l.z / n};
}();

double dot(vec3 a, vec3 b) { return a.f * b.f + a.r * b.r + a.z * b.z; }
vec3 sub(vec3 a, vec3 b) { return {a.f - b.f, a.r - b.r, a.z - b.z}; }
vec3 add(vec3 a, vec3 b) { return {a.f + b.f, a.r + b.r, a.z + b.z}; }


vec3 mul(const double m[3][3], vec3 v) {
  return {m[0][0] * v.f + m[0][1] * v.r + m[0][2] * v.z,
          m[1][0] * v.f + m[1][1] * v.r + m[1][2] * v.z,
          m[2][0] * v.f + m[2][1] * v.r + m[2][2] * v.z};
}

void invert(const double m[3][3], double inv[3][3]) {
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  const double d = 1.0 / det;
  inv[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * d;
  inv[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * d;
  inv[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * d;
  inv[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) * d;
  inv[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * d;
  inv[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * d;
  inv[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * d;
  inv[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * d;
  inv[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * d;
}

solid make(solid_shape shape, vec3 scale, vec3 t, material mat) {
  solid s{};
  s.shape = shape;
  s.m[0][0] = scale.f;
  s.m[1][1] = scale.r;
  s.m[2][2] = scale.z;
  s.t = t;
  s.mat = mat;
  return s;
}

// The stretch of a ray o + t d inside a solid, and the local normal of the
// surface where it leaves toward larger t (the side facing the viewer).
struct span {
  double lo = -INF, hi = INF;
  vec3 normal{0, 0, 0};
  bool empty() const { return lo > hi; }
};

// Keeps the part of the span where n . p <= d.
void clip_plane(span &s, vec3 o, vec3 dir, vec3 n, double d) {
  const double nd = dot(n, dir), no = dot(n, o);
  if (std::fabs(nd) < EPS) {
    if (no > d) s.lo = INF, s.hi = -INF;
    return;
  }
  const double t = (d - no) / nd;
  if (nd > 0) {
    if (t < s.hi) s.hi = t, s.normal = n;
  } else if (t > s.lo) {
    s.lo = t;
  }
}

// Keeps the part of the span where a t^2 + b t + c <= 0; the solid is
// convex, so what is left is one interval.
void clip_quadric(span &s, double a, double b, double c, vec3 (*grad)(vec3, double),
                  vec3 o, vec3 dir, double param) {
  if (s.empty()) return;
  double r1, r2;
  if (std::fabs(a) < EPS) {
    if (std::fabs(b) < EPS) {
      if (c > 0) s.lo = INF, s.hi = -INF;
      return;
    }
    const double t = -c / b;
    if (b > 0) {
      if (t < s.hi) s.hi = t, s.normal = grad(add(o, {dir.f * t, dir.r * t, dir.z * t}), param);
    } else {
      s.lo = std::max(s.lo, t);
    }
    return;
  }
  const double disc = b * b - 4 * a * c;
  if (disc < 0) {
    if (a > 0) s.lo = INF, s.hi = -INF;
    return;
  }
  const double q = std::sqrt(disc);
  r1 = (-b - q) / (2 * a);
  r2 = (-b + q) / (2 * a);
  if (r1 > r2) std::swap(r1, r2);
  double lo = s.lo, hi = s.hi;
  bool hi_from_quadric = false;
  if (a > 0) {
    lo = std::max(lo, r1);
    if (r2 < hi) hi = r2, hi_from_quadric = true;
  } else {
    // Outside the two roots: keep the piece that survives.
    const bool upper = std::max(lo, r2) <= hi;
    const bool lower = lo <= std::min(hi, r1);
    if (upper) {
      lo = std::max(lo, r2);
    } else if (lower) {
      if (r1 < hi) hi = r1, hi_from_quadric = true;
    } else {
      lo = INF, hi = -INF;
    }
  }
  s.lo = lo;
  if (hi_from_quadric) s.normal = grad(add(o, {dir.f * hi, dir.r * hi, dir.z * hi}), param);
  s.hi = hi;
}

vec3 cone_grad(vec3 p, double top) {
  const double k = 1 - top;
  return {2 * p.f, 2 * p.r, 2 * k * (1 - k * p.z)};
}
vec3 ball_grad(vec3 p, double) { return {2 * p.f, 2 * p.r, 2 * p.z}; }

struct prepared {
  const solid *s;
  double inv[3][3];
};

span intersect(const prepared &ps, vec3 wo, vec3 wd) {
  const solid &s = *ps.s;
  const auto &inv = ps.inv;
  const vec3 o = mul(inv, sub(wo, s.t));
  const vec3 d = mul(inv, wd);
  span sp;
  switch (s.shape) {
    case SHAPE_BOX:
      for (int i = 0; i < 3; i++) {
        vec3 n{i == 0 ? 1.0 : 0, i == 1 ? 1.0 : 0, i == 2 ? 1.0 : 0};
        clip_plane(sp, o, d, n, 1);
        clip_plane(sp, o, d, {-n.f, -n.r, -n.z}, 1);
      }
      break;
    case SHAPE_WEDGE:
      clip_plane(sp, o, d, {1, 0, 0}, 1);
      clip_plane(sp, o, d, {-1, 0, 0}, 1);
      clip_plane(sp, o, d, {0, 1, 0}, 1);
      clip_plane(sp, o, d, {0, -1, 0}, 1);
      clip_plane(sp, o, d, {0, 0, -1}, 0);
      clip_plane(sp, o, d, {1, 0, 2}, 1);
      break;
    case SHAPE_CYLINDER:
    case SHAPE_CONE: {
      clip_plane(sp, o, d, {0, 0, 1}, 1);
      clip_plane(sp, o, d, {0, 0, -1}, 0);
      // x^2 + y^2 - (1 - k z)^2 <= 0
      const double k = s.shape == SHAPE_CYLINDER ? 0 : 1 - s.top;
      const double a = d.f * d.f + d.r * d.r - k * k * d.z * d.z;
      const double b = 2 * (o.f * d.f + o.r * d.r) + 2 * k * d.z * (1 - k * o.z);
      const double c = o.f * o.f + o.r * o.r - (1 - k * o.z) * (1 - k * o.z);
      clip_quadric(sp, a, b, c, cone_grad, o, d, s.shape == SHAPE_CYLINDER ? 1 : s.top);
      break;
    }
    case SHAPE_ELLIPSOID:
      clip_quadric(sp, dot(d, d), 2 * dot(o, d), dot(o, o) - 1, ball_grad, o, d, 0);
      break;
  }
  if (sp.empty()) return sp;
  // Local normal to world: the inverse transpose.
  const vec3 n = sp.normal;
  sp.normal = {inv[0][0] * n.f + inv[1][0] * n.r + inv[2][0] * n.z,
               inv[0][1] * n.f + inv[1][1] * n.r + inv[2][1] * n.z,
               inv[0][2] * n.f + inv[1][2] * n.r + inv[2][2] * n.z};
  return sp;
}

void rotation(axis a, double degrees, double r[3][3]) {
  const double c = std::cos(degrees * PI / 180), s = std::sin(degrees * PI / 180);
  const int i = (a + 1) % 3, j = (a + 2) % 3;
  for (int p = 0; p < 3; p++)
    for (int q = 0; q < 3; q++) r[p][q] = p == q ? 1 : 0;
  r[i][i] = c;
  r[i][j] = -s;
  r[j][i] = s;
  r[j][j] = c;
}

void matmul(const double a[3][3], const double b[3][3], double out[3][3]) {
  double tmp[3][3];
  for (int p = 0; p < 3; p++)
    for (int q = 0; q < 3; q++) {
      tmp[p][q] = 0;
      for (int k = 0; k < 3; k++) tmp[p][q] += a[p][k] * b[k][q];
    }
  std::copy(&tmp[0][0], &tmp[0][0] + 9, &out[0][0]);
}

}  // namespace

solid painted(solid s, surface_paint p) {
  s.paint = p;
  return s;
}

solid box(vec3 c, vec3 size, material m) {
  return make(SHAPE_BOX, {size.f / 2, size.r / 2, size.z / 2}, c, m);
}
solid plate(vec3 c, double sf, double sr, double thickness, material m) {
  return box(c, {sf, sr, thickness}, m);
}
solid ellipsoid(vec3 c, vec3 size, material m) {
  return make(SHAPE_ELLIPSOID, {size.f / 2, size.r / 2, size.z / 2}, c, m);
}
solid cylinder(vec3 base, double df, double dr, double height, material m) {
  return make(SHAPE_CYLINDER, {df / 2, dr / 2, height}, base, m);
}
solid cone(vec3 base, double df, double dr, double height, double top, material m) {
  solid s = make(SHAPE_CONE, {df / 2, dr / 2, height}, base, m);
  s.top = top;
  return s;
}
solid wedge(vec3 base, vec3 size, material m) {
  return make(SHAPE_WEDGE, {size.f / 2, size.r / 2, size.z}, base, m);
}

solid rotated(const solid &s, axis a, double degrees, vec3 pivot) {
  double r[3][3];
  rotation(a, degrees, r);
  solid out = s;
  matmul(r, s.m, out.m);
  out.t = add(pivot, mul(r, sub(s.t, pivot)));
  return out;
}

void rotate_all(std::vector<solid> &solids, axis a, double degrees, vec3 pivot) {
  for (solid &s : solids) s = rotated(s, a, degrees, pivot);
}

void move_all(std::vector<solid> &solids, vec3 by) {
  for (solid &s : solids) s.t = add(s.t, by);
}

solid rod(vec3 a, vec3 b, double thickness, material m) {
  const vec3 d = sub(b, a);
  const double len = std::sqrt(dot(d, d));
  // Lay a box along F, tilt it up to the segment's slope, then turn it to
  // its heading.
  solid s = box({0, 0, 0}, {len, thickness, thickness}, m);
  s = rotated(s, AXIS_R, -std::atan2(d.z, std::hypot(d.f, d.r)) * 180 / PI, {});
  s = rotated(s, AXIS_Z, std::atan2(d.r, d.f) * 180 / PI, {});
  s.t = {(a.f + b.f) / 2, (a.r + b.r) / 2, (a.z + b.z) / 2};
  return s;
}

void scale_all(std::vector<solid> &solids, double k) {
  for (solid &s : solids) {
    for (auto &row : s.m)
      for (double &v : row) v *= k;
    s.t = {s.t.f * k, s.t.r * k, s.t.z * k};
  }
}

solid laid_along(const solid &s, axis a, vec3 base) {
  // Local Z becomes the chosen world axis; the cross-section keeps its
  // extents on the two remaining axes.
  solid out = s;
  const double along = s.m[2][2], w1 = s.m[0][0], w2 = s.m[1][1];
  for (auto &row : out.m) row[0] = row[1] = row[2] = 0;
  if (a == AXIS_F) {
    out.m[0][2] = along;
    out.m[1][0] = w1;
    out.m[2][1] = w2;
  } else if (a == AXIS_R) {
    out.m[1][2] = along;
    out.m[0][0] = w1;
    out.m[2][1] = w2;
  } else {
    out.m[0][0] = w1;
    out.m[1][1] = w2;
    out.m[2][2] = along;
  }
  out.t = base;
  return out;
}

render_canvas::render_canvas(int w_, int h_, int ox_, int oy_)
    : w(w_), h(h_), ox(ox_), oy(oy_), sprite(w_ * h_, 0), contour(w_ * h_, 0),
      shadow(w_ * h_, 0), depth(w_ * h_, -INF) {}

vec3 unproject(const render_canvas &c, double x, double y, double z) {
  const double u = x - c.ox, v = y - c.oy + z;
  return {(u - 2 * v) / 2, (u + 2 * v) / 2, z};
}

void project(const render_canvas &c, vec3 p, double &x, double &y) {
  x = c.ox + p.f + p.r;
  y = c.oy + (p.r - p.f) / 2 - p.z;
}

int lit_shade(const material &m, vec3 n) {
  const double len = std::sqrt(dot(n, n));
  const double lambert = len > 0 ? std::max(0.0, dot(n, LIGHT) / len) : 0;
  const double b = AMBIENT + (1 - AMBIENT) * lambert;
  const int range = m.light - m.dark + 1;
  return m.dark + std::min(range - 1, static_cast<int>(b * range));
}

void render_solids(const std::vector<solid> &solids, render_canvas &c) {
  const vec3 view{-1, 1, 1};  // toward the viewer; Z grows by 1 per step
  const vec3 down{0, 0, 1};
  std::vector<prepared> ready(solids.size());
  for (size_t k = 0; k < solids.size(); k++) {
    ready[k].s = &solids[k];
    invert(solids[k].m, ready[k].inv);
  }
  for (int y = 0; y < c.h; y++) {
    for (int x = 0; x < c.w; x++) {
      const vec3 o = unproject(c, x + 0.5, y + 0.5, 0);
      const int i = c.at(x, y);
      for (const prepared &p : ready) {
        const solid &s = *p.s;
        const span sp = intersect(p, o, view);
        int shade = PAINT_NONE;
        if (!sp.empty() && sp.hi > c.depth[i]) {
          shade = lit_shade(s.mat, sp.normal);
          if (s.paint) shade = s.paint(s, {o.f - sp.hi, o.r + sp.hi, sp.hi}, sp.normal, shade);
        }
        if (shade != PAINT_NONE) {
          c.depth[i] = sp.hi;
          shade = std::clamp(shade, 0, s.mat.length - 1);
          c.sprite[i] = static_cast<uint8_t>(s.mat.first + shade);
          const long h = std::lround(sp.hi - c.base) + 1;
          c.contour[i] = static_cast<uint8_t>(std::clamp<long>(h, 1, CONTOUR_MAX));
        }
        if (!c.shadow[i] && !intersect(p, o, down).empty()) c.shadow[i] = 1;
      }
    }
  }
}

void finish_sprite(render_canvas &c) {
  std::vector<uint8_t> out = c.sprite;
  for (int y = 0; y < c.h; y++) {
    for (int x = 0; x < c.w; x++) {
      const int i = c.at(x, y);
      if (!c.sprite[i]) continue;
      bool edge = false;
      const int nx[4] = {x - 1, x + 1, x, x};
      const int ny[4] = {y, y, y - 1, y + 1};
      for (int k = 0; k < 4 && !edge; k++) {
        if (nx[k] < 0 || ny[k] < 0 || nx[k] >= c.w || ny[k] >= c.h) {
          edge = true;
          continue;
        }
        const int j = c.at(nx[k], ny[k]);
        edge = !c.sprite[j] || c.depth[j] > c.depth[i] + EDGE_JUMP;
      }
      if (!edge) continue;
      // Step one shade down, staying inside the pixel's ramp.
      const int ramp = c.sprite[i] < 32 || c.sprite[i] >= 144 ? 16 : 8;
      if (c.sprite[i] % ramp > 0) out[i] = c.sprite[i] - 1;
    }
  }
  c.sprite = out;
}
