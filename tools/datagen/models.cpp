#include "datagen/models.h"

#include <cmath>
#include <cstring>

#include "shell/datafile_index.h"

namespace {

// Materials: a ramp of the palette and the shades used. Ramps of 8 from
// 32 to 143, of 16 elsewhere; the darkest shades stay unused so that the
// altitude darkening still has room.
constexpr material SILVER{128, 8, 2, 7};
constexpr material CYAN{64, 8, 2, 7};
constexpr material CYAN_GLOW{64, 8, 5, 7};
constexpr material RUST{56, 8, 1, 6};
constexpr material SOOT{48, 8, 1, 4};
constexpr material OLIVE{40, 8, 2, 7};
constexpr material RED{80, 8, 2, 7};
constexpr material LIVERY{104, 8, 2, 7};
constexpr material YELLOW{96, 8, 3, 7};
constexpr material ORANGE{88, 8, 2, 7};
constexpr material BLUE{112, 8, 2, 7};
constexpr material GREEN{120, 8, 2, 7};
constexpr material TEAL{136, 8, 2, 7};
constexpr material GUNMETAL{208, 16, 3, 12};
constexpr material FIRE{16, 16, 8, 14};
constexpr material STEEL{160, 16, 5, 14};

using model = std::vector<solid>;

// Turrets and installations: a bevelled plinth under everything.
model plinth(double size, double height, material mat) {
  return {box({0, 0, height / 2}, {size, size, height}, mat),
          box({0, 0, height + 0.5}, {size - 3, size - 3, 1}, mat)};
}

model blue_turret(material body) {
  model m = plinth(12, 4, STEEL);
  m.push_back(cylinder({0, 0, 5}, 11, 11, 3, body));
  m.push_back(ellipsoid({0, 0, 8}, {12, 12, 9}, body));
  m.push_back(laid_along(cylinder({}, 3.2, 3.2, -11, SILVER), AXIS_F, {-3, 0, 9.5}));
  m.push_back(laid_along(cylinder({}, 4.2, 4.2, -2, body), AXIS_F, {-12, 0, 9.5}));
  return m;
}

model green_turret(double barrel_dir) {
  model m = plinth(18, 5, STEEL);
  m.push_back(box({0, 0, 9}, {14, 14, 8}, GREEN));
  m.push_back(wedge({0, 0, 13}, {14, 14, 5}, GREEN));
  m.push_back(cylinder({0, 0, 5}, 17, 17, 2, GREEN));
  // A long twin barrel across the flight direction.
  for (double f : {-2.5, 2.5})
    m.push_back(laid_along(cylinder({}, 2.6, 2.6, barrel_dir * 30, SILVER), AXIS_R,
                           {f, barrel_dir * 6, 11}));
  m.push_back(laid_along(cylinder({}, 5, 5, barrel_dir * 3, GREEN), AXIS_R,
                         {0, barrel_dir * 34, 11}));
  return m;
}

model fuel_tank() {
  model m = plinth(13, 2, STEEL);
  m.push_back(cylinder({0, 0, 2}, 15, 15, 15, ORANGE));
  m.push_back(ellipsoid({0, 0, 17}, {15, 15, 7}, ORANGE));
  m.push_back(cylinder({0, 0, 8}, 15.6, 15.6, 2, RED));
  m.push_back(cylinder({0, 0, 18.5}, 4, 4, 2.5, SILVER));
  return m;
}

model superfuel_tank() {
  model m = plinth(13, 2, STEEL);
  for (double f : {-4.5, 4.5})
    for (double r : {-4.5, 4.5}) m.push_back(cylinder({f, r, 2}, 2, 2, 6, SILVER));
  m.push_back(ellipsoid({0, 0, 13}, {16, 16, 16}, TEAL));
  m.push_back(cylinder({0, 0, 12}, 16.6, 16.6, 2, ORANGE));
  m.push_back(cylinder({0, 0, 20.5}, 4, 4, 2.5, ORANGE));
  return m;
}

model radar() {
  model m = plinth(12, 4, STEEL);
  m.push_back(cylinder({0, 0, 5}, 3, 3, 13, SILVER));
  solid dish = ellipsoid({0, 0, 0}, {3, 19, 13}, SILVER);
  dish = rotated(dish, AXIS_R, 25, {0, 0, 0});
  dish.t = {-1, 0, 20};
  m.push_back(dish);
  m.push_back(laid_along(cylinder({}, 1.2, 1.2, -6, CYAN), AXIS_F, {-2, 0, 20}));
  m.push_back(ellipsoid({-8, 0, 20}, {2.2, 2.2, 2.2}, CYAN_GLOW));
  return m;
}

model chimneys() {
  model m = {box({0, 0, 3}, {14, 14, 6}, STEEL)};
  const double spots[2][3] = {{-2, -3, 32}, {3, 3, 24}};
  for (const auto &c : spots) {
    m.push_back(cylinder({c[0], c[1], 6}, 8, 8, c[2] - 6, RUST));
    m.push_back(cylinder({c[0], c[1], c[2] - 4}, 9, 9, 2, RUST));
    m.push_back(cylinder({c[0], c[1], c[2]}, 6, 6, 0.6, SOOT));
  }
  return m;
}

model rocket(material body) {
  model m;
  m.push_back(cylinder({0, 0, 3}, 5.5, 5.5, 15, body));
  m.push_back(cone({0, 0, 18}, 5.5, 5.5, 8, 0, body));
  m.push_back(cylinder({0, 0, 14}, 5.8, 5.8, 2, SILVER));
  m.push_back(cylinder({0, 0, 0}, 3.5, 3.5, 3, SILVER));
  m.push_back(box({0, 0, 4}, {11, 1.2, 8}, body));
  m.push_back(box({0, 0, 4}, {1.2, 11, 8}, body));
  return m;
}

model hole(double size) {
  return {cylinder({0, 0, 0}, size, size, 0.4, STEEL),
          cylinder({0, 0, 0}, size * 0.72, size * 0.72, 0.45, SOOT)};
}

model satellite() {
  model m;
  m.push_back(box({0, 0, 6}, {8, 8, 8}, LIVERY));
  m.push_back(cylinder({0, 0, 10}, 5, 5, 3, SILVER));
  m.push_back(ellipsoid({0, 0, 14}, {6, 6, 3}, SILVER));
  for (double side : {-1.0, 1.0}) {
    m.push_back(plate({0, side * 9.5, 6}, 7, 8, 0.8, CYAN));
    m.push_back(laid_along(cylinder({}, 1.2, 1.2, side * 2, SILVER), AXIS_R, {0, side * 4, 6}));
  }
  m.push_back(cylinder({0, 0, 0}, 4, 4, 2, LIVERY));
  scale_all(m, 0.9);
  return m;
}

model doodlebug() {
  model m;
  m.push_back(ellipsoid({0, 0, 4}, {26, 6, 6}, OLIVE));
  m.push_back(laid_along(cone({}, 6, 6, -4, 0.2, RED), AXIS_F, {-11, 0, 4}));
  m.push_back(box({-1, 0, 4}, {6, 20, 1}, OLIVE));
  m.push_back(box({10, 0, 5}, {4, 9, 0.8}, OLIVE));
  // The pulse-jet tube on its pylon, open at the back.
  m.push_back(box({5, 0, 6.5}, {3, 1.2, 2}, OLIVE));
  m.push_back(laid_along(cylinder({}, 3.6, 3.6, 14, SILVER), AXIS_F, {2, 0, 7.8}));
  m.push_back(laid_along(cylinder({}, 2.2, 2.2, 0.6, FIRE), AXIS_F, {16, 0, 7.8}));
  return m;
}

model wreck() {
  model m = {box({0, 0, 0.5}, {18, 14, 1}, SOOT)};
  const double parts[][6] = {{-5, -3, 2, 6, 5, 30},   {4, 2, 1.5, 7, 4, -20},
                             {-1, 6, 1, 5, 3, 55},    {6, -5, 1.2, 4, 4, 10},
                             {-7, 4, 0.8, 3, 5, -40}};
  for (const auto &p : parts) {
    solid s = box({p[0], p[1], p[2]}, {p[3], p[4], p[2] * 2}, RUST);
    m.push_back(rotated(s, AXIS_Z, p[5], {p[0], p[1], 0}));
  }
  m.push_back(rotated(box({0, 0, 2.5}, {10, 1.5, 1.5}, STEEL), AXIS_F, 20, {0, 0, 0}));
  return m;
}

model beam() {
  // A bolt along R, zigzagging in height, with a bright core.
  model m;
  vec3 a{0, -15, 0};
  for (int i = 1; i <= 6; i++) {
    const vec3 b{0, -15.0 + 5 * i, (i % 2) ? 3.0 : -2.0};
    m.push_back(rod(a, b, 2.4, CYAN_GLOW));
    a = b;
  }
  return m;
}

model boss() {
  model m;
  // Tracks and hull.
  for (double r : {-14.0, 14.0}) {
    m.push_back(box({0, r, 5}, {44, 9, 10}, STEEL));
    for (double f : {-18.0, -6.0, 6.0, 18.0})
      m.push_back(laid_along(cylinder({}, 7, 7, 10, SOOT), AXIS_R, {f, r - 5, 4}));
  }
  m.push_back(box({0, 0, 14}, {30, 24, 10}, GUNMETAL));
  m.push_back(wedge({0, 0, 19}, {30, 24, 4}, GUNMETAL));
  // Torso and head.
  m.push_back(box({2, 0, 30}, {18, 22, 20}, GUNMETAL));
  m.push_back(box({2, 0, 41}, {14, 18, 2}, STEEL));
  m.push_back(ellipsoid({2, 0, 47}, {12, 12, 11}, GUNMETAL));
  m.push_back(ellipsoid({-3.5, -2.5, 48}, {3, 2.5, 2.5}, FIRE));
  m.push_back(ellipsoid({-3.5, 2.5, 48}, {3, 2.5, 2.5}, FIRE));
  // The -R arm: a cannon pointing forward.
  m.push_back(ellipsoid({2, -13, 36}, {9, 8, 9}, GUNMETAL));
  m.push_back(laid_along(cylinder({}, 6, 6, -16, GUNMETAL), AXIS_F, {0, -15, 32}));
  m.push_back(laid_along(cylinder({}, 3, 3, -6, SILVER), AXIS_F, {-16, -15, 32}));
  return m;
}

// Boss and missile canvases: the missile is drawn with its bottom-left at
// the boss's bottom-left + (69, -42).
constexpr int BOSS_W = 112, BOSS_H = 96, BOSS_OX = 50, BOSS_OY = 71;
constexpr int MISSILE_OFFSET_X = 69, MISSILE_OFFSET_Y = -42;
constexpr int DOODLEBUG_W = 44, DOODLEBUG_H = 32, DOODLEBUG_OX = 18, DOODLEBUG_OY = 26;
constexpr double MISSILE_HAND_Z = 46;
constexpr double BOSS_SCALE = 1.2;

// The +R arm reaching up to where the missile rides; its hand ends at the
// world point `hand` of the boss.
void add_boss_arm(model &m, vec3 hand) {
  const vec3 shoulder{2 * BOSS_SCALE, 13 * BOSS_SCALE, 37 * BOSS_SCALE};
  m.push_back(ellipsoid(shoulder, {9, 8, 9}, GUNMETAL));
  const vec3 elbow{(shoulder.f + hand.f) / 2, (shoulder.r + hand.r) / 2 + 3,
                   shoulder.z + 1};
  for (auto [a, b] : {std::pair{shoulder, elbow}, {elbow, hand}}) {
    m.push_back(rod(a, b, 5, GUNMETAL));
    m.push_back(ellipsoid(b, {6, 6, 6}, STEEL));
  }
  m.push_back(box({hand.f, hand.r, hand.z - 2}, {10, 8, 3}, STEEL));
}

vec3 boss_hand() {
  // The missile's origin in boss canvas pixels, then the world point under
  // it at the hand's height.
  render_canvas c(BOSS_W, BOSS_H, BOSS_OX, BOSS_OY);
  const double x = MISSILE_OFFSET_X + DOODLEBUG_OX;
  const double y = BOSS_H + MISSILE_OFFSET_Y - DOODLEBUG_H + DOODLEBUG_OY;
  return unproject(c, x, y, MISSILE_HAND_Z);
}

model boss_with_arm() {
  model m = boss();
  scale_all(m, BOSS_SCALE);
  add_boss_arm(m, boss_hand());
  return m;
}

constexpr int SHIP_W = 48, SHIP_H = 32, SHIP_OX = 29, SHIP_OY = 15;
constexpr int PLANE_W = 48, PLANE_H = 32, PLANE_OX = 21, PLANE_OY = 21;

}  // namespace

std::vector<solid> ship_model(double roll) {
  model m;
  m.push_back(ellipsoid({0, 0, 3.5}, {36, 7, 5}, SILVER));
  // Delta wings: a swept plate per side and the wing root.
  for (double side : {-1.0, 1.0}) {
    solid w = plate({0, 0, 0}, 7, 15, 1.4, SILVER);
    w = rotated(w, AXIS_Z, side * 38, {});
    w.t = {-8, side * 6.5, 2.2};
    m.push_back(w);
    m.push_back(plate({-11, side * 9, 2.2}, 6, 5, 1.4, SILVER));
    m.push_back(plate({-13, side * 11.2, 2.6}, 3, 1.2, 2.2, CYAN));
    m.push_back(plate({-14, side * 3.5, 6}, 6, 1, 5, CYAN));
    m.push_back(laid_along(cylinder({}, 3, 3, -3, STEEL), AXIS_F, {-16, side * 2.2, 3.5}));
  }
  m.push_back(plate({-5, 0, 2.2}, 14, 10, 1.4, SILVER));
  m.push_back(ellipsoid({6, 0, 5.8}, {10, 4, 3}, CYAN));
  rotate_all(m, AXIS_F, roll, {0, 0, 3.5});
  return m;
}

std::vector<solid> plane_model(double roll) {
  model m;
  m.push_back(ellipsoid({0, 0, 4}, {32, 6, 6}, LIVERY));
  m.push_back(laid_along(cone({}, 6, 6, -4, 0.3, RED), AXIS_F, {-15, 0, 4}));
  m.push_back(box({1, 0, 4}, {8, 28, 1.4}, LIVERY));
  for (double r : {-11.5, 11.5}) m.push_back(box({1, r, 4.2}, {8.4, 4, 1.6}, RED));
  m.push_back(box({13, 0, 5}, {5, 13, 1}, LIVERY));
  m.push_back(box({14, 0, 8}, {5, 1, 6}, RED));
  m.push_back(ellipsoid({-5, 0, 6.5}, {7, 4, 3.5}, CYAN));
  rotate_all(m, AXIS_F, roll, {0, 0, 4});
  return m;
}

const std::vector<object_render> &object_renders() {
  static const std::vector<object_render> list = [] {
    std::vector<object_render> l;
    auto ship = [&](const char *name, double roll, int sprite, int shadow) {
      l.push_back({name, SHIP_W, SHIP_H, SHIP_OX, SHIP_OY, [roll] { return ship_model(roll); },
                   sprite, NONE, NONE, nullptr, shadow, false, false});
    };
    // Banking left lowers the -R wing.
    ship("ship l1", 15, KESTAL_SHIP_LEFT1, BORLIN_SHIP_LEFT1_SHADOW);
    ship("ship l2", 30, KESTAL_SHIP_LEFT2, BORLIN_SHIP_LEFT2_SHADOW);
    ship("ship level", 0, KESTAL_SHIP_MIDDLE, BORLIN_SHIP_MIDDLE_SHADOW);
    ship("ship r1", -15, KESTAL_SHIP_RIGHT1, NONE);
    ship("ship r2", -30, KESTAL_SHIP_RIGHT2, NONE);

    auto plane = [&](const char *name, double roll, int sprite, int contour, int second,
                     bool painted) {
      l.push_back({name, PLANE_W, PLANE_H, PLANE_OX, PLANE_OY,
                   [roll] { return plane_model(roll); }, sprite, contour, second,
                   second == NONE ? nullptr : "PARKED_PLANE_CONTOUR", NONE, painted,
                   contour != NONE});
    };
    plane("plane parked", 0, KESTAL_PLANE, NONE, NONE, true);
    plane("plane banked", 25, KESTAL_PLANE_BANKED, BORLIN_BANKED_PLANE_CONTOUR, NONE, false);
    plane("plane", 0, KESTAL_PLANE_NO_SHADOW, BORLIN_PLANE_CONTOUR, BORLIN_PARKED_PLANE_CONTOUR,
          false);

    auto still = [&](const char *name, int w, int h, int ox, int oy,
                     std::function<model()> build, int sprite, int contour, int shadow,
                     bool mask_equal) {
      l.push_back({name, w, h, ox, oy, std::move(build), sprite, contour, NONE, nullptr, shadow, false,
                   mask_equal});
    };
    still("ship bullet", 32, 16, 16, 8,
          [] { return model{ellipsoid({0, 0, 0}, {28, 2.4, 2.4}, YELLOW),
                            ellipsoid({4, 0, 0}, {12, 3, 3}, material{96, 8, 6, 7})}; },
          KESTAL_SHIP_BULLET, NONE, NONE, false);
    still("enemy bullet", 24, 14, 12, 7,
          [] { return model{ellipsoid({0, 0, 0}, {20, 2.4, 2.4}, RED),
                            ellipsoid({-4, 0, 0}, {8, 3.2, 3.2}, material{80, 8, 6, 7})}; },
          KESTAL_ENEMY_BULLET, NONE, NONE, false);
    still("blue turret", 32, 28, 17, 18, [] { return blue_turret(BLUE); }, KESTAL_BLUE_TURRET,
          BORLIN_BLUE_TURRET_CONTOUR, NONE, false);
    still("super blue turret", 32, 28, 17, 18, [] { return blue_turret(TEAL); },
          KESTAL_SUPER_BLUE_TURRET, NONE, NONE, false);
    still("green turret left", 76, 48, 30, 33, [] { return green_turret(1); },
          KESTAL_GREEN_TURRET_LEFT, BORLIN_GREEN_TURRET_LEFT_CONTOUR, NONE, false);
    still("green turret right", 72, 48, 41, 38, [] { return green_turret(-1); },
          KESTAL_GREEN_TURRET_RIGHT, BORLIN_GREEN_TURRET_RIGHT_CONTOUR, NONE, false);
    still("fuel", 28, 36, 14, 29, fuel_tank, KESTAL_FUEL, BORLIN_FUEL_CONTOUR, NONE, false);
    still("superfuel", 28, 36, 14, 29, superfuel_tank, KESTAL_SUPERFUEL,
          BORLIN_SUPERFUEL_CONTOUR, NONE, false);
    still("radar", 32, 40, 16, 32, radar, KESTAL_RADAR, BORLIN_RADAR_CONTOUR, NONE, false);
    still("chimneys", 32, 48, 15, 40, chimneys, KESTAL_CHIMNEYS, NONE, NONE, false);
    still("red rocket", 16, 32, 8, 27, [] { return rocket(RED); }, KESTAL_RED_ROCKET,
          BORLIN_RED_ROCKET_CONTOUR, NONE, true);
    still("yellow rocket", 16, 32, 8, 27, [] { return rocket(YELLOW); }, KESTAL_YELLOW_ROCKET,
          BORLIN_YELLOW_ROCKET_CONTOUR, NONE, true);
    still("hole", 24, 12, 12, 6, [] { return hole(14); }, KESTAL_HOLE, BORLIN_HOLE_CONTOUR, NONE,
          false);
    still("hole2", 32, 16, 16, 8, [] { return hole(19); }, KESTAL_HOLE2, NONE, NONE, false);
    still("satellite", 32, 32, 16, 22, satellite, KESTAL_SATELLITE, BORLIN_SATELLITE_CONTOUR,
          NONE, true);
    still("doodlebug", DOODLEBUG_W, DOODLEBUG_H, DOODLEBUG_OX, DOODLEBUG_OY, doodlebug,
          KESTAL_DOODLEBUG, BORLIN_DOODLEBUG_CONTOUR, BORLIN_DOODLEBUG_SHADOW, true);
    still("boss", BOSS_W, BOSS_H, BOSS_OX, BOSS_OY, boss_with_arm, KESTAL_BOSS,
          BORLIN_BOSS_CONTOUR, BORLIN_BOSS_SHADOW, false);
    still("wreck", 40, 20, 20, 11, wreck, KESTAL_WRECK, NONE, NONE, false);
    still("force-field beam", 36, 22, 18, 11, beam, KESTAL_FORCE_FIELD_BEAM, NONE, NONE, false);
    still("reserve-ship icon", 28, 20, 17, 9,
          [] { model m = ship_model(0); scale_all(m, 0.58); return m; },
          KESTAL_RESERVE_SHIP_ICON, NONE, NONE, false);
    still("plane counter icon", 18, 16, 8, 10,
          [] { model m = plane_model(0); scale_all(m, 0.37); return m; },
          KESTAL_PLANE_COUNTER_ICON, NONE, NONE, false);
    return l;
  }();
  return list;
}

const object_render *find_render(const char *name) {
  for (const object_render &o : object_renders())
    if (std::strcmp(o.name, name) == 0) return &o;
  return nullptr;
}

render_canvas render_object(const object_render &o) {
  render_canvas c(o.w, o.h, o.ox, o.oy);
  render_solids(o.build(), c);
  finish_sprite(c);
  if (o.paint_shadow) {
    for (int i = 0; i < c.w * c.h; i++)
      if (!c.sprite[i] && c.shadow[i]) c.sprite[i] = PAINTED_SHADOW_COLOUR;
  }
  return c;
}

const std::vector<anchor> &anchors() {
  // The tolerances allow for the rounding of pixel centres and the shape
  // of the tip.
  static const std::vector<anchor> list = {
      {"ship level", "nose at the shot origin", {17.5, 0, 3.5}, 47, 3, 2.5},
      {"blue turret", "barrel tip at the muzzle flash", {-14, 0, 9.5}, 0, 28 - 11, 3},
      {"super blue turret", "barrel tip at the muzzle flash", {-14, 0, 9.5}, 0, 28 - 11, 3},
      {"green turret left", "barrel tip at the muzzle flash", {0, 37, 11}, 70, 48 - 8, 3},
      {"green turret right", "barrel tip at the shot origin", {0, -37, 11}, -4 + 4, 48 - 40, 4},
      {"doodlebug", "exhaust at the smoke origin", {16.6, 0, 7.8}, 35, 32 - 20, 3},
      {"plane", "nose at the shot origin", {-19, 0, 4}, 0, 32 - 8, 4},
  };
  return list;
}
