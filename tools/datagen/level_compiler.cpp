#include "datagen/level_compiler.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "datagen/level_check.h"
#include "datagen/level_paint.h"
#include "datagen/level_pieces.h"
#include "datagen/models.h"
#include "datagen/producers.h"

namespace {

constexpr material FORTRESS_FLOOR{144, 16, 5, 12};
constexpr material OUTER_GROUND{192, 16, 5, 12};
constexpr material POST{160, 16, 4, 14};
constexpr material EMITTER{64, 8, 3, 7};
// Decals on the floor: fixed base shades, patterned by their painters.
constexpr material TRIM{144, 16, 8, 8};
constexpr material PAINT_DARK{144, 16, 6, 6};
constexpr material PAINT_LIGHT{144, 16, 14, 14};
constexpr material PAINT_YELLOW{96, 8, 5, 5};
constexpr material HATCH{144, 16, 9, 9};
constexpr material VENT{144, 16, 6, 6};
constexpr material PASSAGE_DARK{144, 16, 2, 2};
// Decals are stacked this thin over the floor, the highest at DECAL_TOP.
constexpr double DECAL_LAYER = 0.25;
constexpr double DECAL_TOP = 4 * DECAL_LAYER;
// Trims along a fortress floor's open edges are this wide; a landing pad
// is this wide and its cross this thick.
constexpr double TRIM_WIDTH = 16;
constexpr double PAD_SIZE = 48;
constexpr double PAD_CROSS = 4;

// A passage through a wall is dark on the floor from the wall's face this
// many positions on, with a light line through its middle from this many
// positions before the wall to as many after the dark floor.
constexpr int PASSAGE_DARK_POSITIONS = 5;
constexpr int PASSAGE_LINE_LEAD = 2;
constexpr double PASSAGE_LINE_WIDTH = 3;
// A gate block stands this close along the flight to the wall it closes.
constexpr int GATE_REACH = 3;

// Field posts are side modules; the emitter stands this much above the
// highest beam.
constexpr int EMITTER_RISE = 12;

// Light comes from above, a little from -F and +R (as the renderer lights
// surfaces); shadows reach this far in level pixels and darken so much.
const vec3 TO_LIGHT{-0.5, 0.2, 1.0};
constexpr int SHADOW_REACH = 48;
constexpr int SHADOW_DARKER = 3;

// The strip is rendered in slices this many positions wide, each with a
// margin so that outlines do not stop at a slice's edge.
constexpr int SLICE = 16;
constexpr int MARGIN = 8;

struct scene_solid {
  solid s;
  double x0, y0, x1, y1;  // level-pixel bounds
};

void add_solid(std::vector<scene_solid> &scene, const solid &s) {
  scene_solid e{s, 1e18, 1e18, -1e18, -1e18};
  solid_bounds(s, e.x0, e.y0, e.x1, e.y1);
  scene.push_back(e);
}

// Nothing reaches the far columns: neither the ship nor any shot comes
// closer to the far edge than this.
constexpr int UNTOUCHED_COLUMNS = 15;

// Draws a piece into the floor and, where anything can touch it, records
// it in the enemy map so that it is hit where it is seen.
void add_piece(std::vector<scene_solid> &scene, std::vector<enemy_record> &records, PieceId id,
               int along, int across) {
  const piece &p = level_piece(id);
  std::vector<solid> solids = p.solids;
  move_all(solids, {double(UNIT * along), double(UNIT * across), 0});
  double far_r = -1e18;
  for (const solid &s : solids) {
    add_solid(scene, s);
    far_r =
        std::max(far_r, s.t.r + std::fabs(s.m[1][0]) + std::fabs(s.m[1][1]) + std::fabs(s.m[1][2]));
  }
  if (far_r > UNIT * UNTOUCHED_COLUMNS)
    records.push_back({p.kind, p.m0 + along + across, p.n0 + 2 * across, 0});
}

// A decal over the floor from (f0, r0) to (f1, r1) in world units.
solid decal(double f0, double r0, double f1, double r1, int layer, material m,
            surface_paint paint = nullptr) {
  const double top = DECAL_LAYER * layer;
  return painted(box({(f0 + f1) / 2, (r0 + r1) / 2, top / 2}, {f1 - f0, r1 - r0, top}, m), paint);
}

bool inside_fortress(const level_design &d, int along, int across) {
  return std::any_of(d.floors.begin(), d.floors.end(), [&](const floor_area &f) {
    return f.material != FLOOR_GROUND && along >= f.along0 && along <= f.along1 &&
           across >= f.across0 && across <= f.across1;
  });
}

// Trims on the edges of a fortress floor that face the strip's edge or
// anything but more fortress (judged beside the floor's first cell).
void add_trims(std::vector<scene_solid> &scene, const level_design &d, const floor_area &f) {
  const double f0 = UNIT * f.along0, f1 = UNIT * (f.along1 + 1);
  const double r0 = UNIT * f.across0, r1 = UNIT * (f.across1 + 1);
  if (f.across0 == 0 || !inside_fortress(d, f.along0, f.across0 - 1))
    add_solid(scene, decal(f0, r0, f1, r0 + TRIM_WIDTH, 1, TRIM, paint_trim));
  if (f.across1 == MAP_COLUMNS - 1 || !inside_fortress(d, f.along0, f.across1 + 1))
    add_solid(scene, decal(f0, r1 - TRIM_WIDTH, f1, r1, 1, TRIM, paint_trim));
  if (!inside_fortress(d, f.along0 - 1, f.across0))
    add_solid(scene, decal(f0, r0, f0 + TRIM_WIDTH, r1, 1, TRIM, paint_trim));
  if (!inside_fortress(d, f.along1 + 1, f.across0))
    add_solid(scene, decal(f1 - TRIM_WIDTH, r0, f1, r1, 1, TRIM, paint_trim));
}

void add_mark(std::vector<scene_solid> &scene, const floor_mark &m) {
  const double f0 = UNIT * m.along0, f1 = UNIT * (m.along1 + 1);
  const double r0 = UNIT * m.across0, r1 = UNIT * (m.across1 + 1);
  switch (m.kind) {
    case MARK_STRIPES:
      add_solid(scene, decal(f0, r0, f1, r1, 1, PAINT_DARK));
      add_solid(scene, decal(f0, r0, f1, r1, 2, PAINT_YELLOW, paint_stripes));
      break;
    case MARK_HATCH:
      add_solid(scene, decal(f0, r0, f1, r1, 1, HATCH, paint_hatch));
      break;
    case MARK_VENT:
      add_solid(scene, decal(f0, r0, f1, r1, 1, VENT, paint_vent));
      break;
    case MARK_LINE:
      add_solid(scene, decal(f0, r0, f1, r1, 1, PAINT_LIGHT));
      break;
    case MARK_DASHES:
      add_solid(scene, decal(f0, r0, f1, r1, 1, PAINT_LIGHT, paint_dashes));
      break;
    case MARK_PAD: {
      // A dark disc in a yellow ring with a light cross, on the lattice
      // point.
      const vec3 c{double(UNIT * m.along0), double(UNIT * m.across0), 0};
      add_solid(scene, cylinder(c, PAD_SIZE, PAD_SIZE, DECAL_LAYER, PAINT_DARK));
      add_solid(scene,
                painted(cylinder(c, PAD_SIZE, PAD_SIZE, 2 * DECAL_LAYER, PAINT_YELLOW), paint_ring));
      const double arm = PAD_SIZE * 0.55;
      add_solid(scene, decal(c.f - arm / 2, c.r - PAD_CROSS / 2, c.f + arm / 2, c.r + PAD_CROSS / 2,
                             3, PAINT_LIGHT));
      add_solid(scene, decal(c.f - PAD_CROSS / 2, c.r - arm / 2, c.f + PAD_CROSS / 2, c.r + arm / 2,
                             3, PAINT_LIGHT));
      break;
    }
  }
}

}  // namespace

std::vector<wall_opening> wall_openings(const level_design &d) {
  // Wall lines by along: the height of the modules over each column, 0
  // where there is none.
  std::map<int, std::vector<int>> lines;
  for (const wall_line &w : d.walls) {
    std::vector<int> &line = lines[w.along];
    line.resize(MAP_COLUMNS, 0);
    for (int k : wall_modules(w))
      for (int c = std::max(k, 0); c < std::min(k + WALL_MODULE_COLUMNS, MAP_COLUMNS); c++)
        line[c] = std::max(line[c], w.height);
  }
  // A gate the game opens is no passage while it is shut.
  for (const handle_block &h : d.handles) {
    int along, across;
    if (!block_lattice(h.m, h.n, along, across)) continue;
    for (auto &[wall_along, line] : lines)
      if (std::abs(wall_along - along) <= GATE_REACH)
        for (int c = std::max(across, 0); c < std::min(across + WALL_MODULE_COLUMNS, MAP_COLUMNS); c++)
          line[c] = std::max(line[c], BLOCK_HEIGHT);
  }
  std::vector<wall_opening> out;
  for (const auto &[along, line] : lines) {
    int c = 0;
    while (c < MAP_COLUMNS && !line[c]) c++;  // open beyond the wall's far end: no passage
    while (c < MAP_COLUMNS) {
      while (c < MAP_COLUMNS && line[c]) c++;
      const int first = c;
      while (c < MAP_COLUMNS && !line[c]) c++;
      if (c >= MAP_COLUMNS) break;  // open to the near edge
      wall_opening o{along, first, c, std::min(line[first - 1], line[c]), false};
      for (const lintel &l : d.lintels)
        if (l.along == along && l.across < o.across1 && l.across + WALL_MODULE_COLUMNS > o.across0)
          o.under_lintel = true;
      out.push_back(o);
    }
  }
  return out;
}

namespace {

// The floor through an opening: dark where it is seen through the wall,
// and a light line that runs through it, so that it reads as a way through.
void add_passage(std::vector<scene_solid> &scene, const wall_opening &o) {
  const double f0 = UNIT * o.along, r0 = UNIT * o.across0, r1 = UNIT * o.across1;
  // Seen through the opening, the floor lies a step further toward -R for
  // every position behind the wall: the dark is laid as a staircase, as
  // deep as the wall hides what is beside the opening.
  const int deep = std::min(PASSAGE_DARK_POSITIONS, o.height / UNIT);
  for (int i = 0; i < deep; i++)
    add_solid(scene, decal(f0 + UNIT * i, r0 - UNIT * (i + 1), f0 + UNIT * (i + 1), r1 - UNIT * i,
                           1, PASSAGE_DARK));
  const double mid = (r0 + r1) / 2;
  add_solid(scene, decal(f0 - UNIT * PASSAGE_LINE_LEAD, mid - PASSAGE_LINE_WIDTH / 2,
                         f0 + UNIT * (deep + PASSAGE_LINE_LEAD), mid + PASSAGE_LINE_WIDTH / 2, 3,
                         PAINT_LIGHT, paint_dashes));
}

// A field's posts: one module at each end of its fence.
void field_posts(const force_field &f, int &along, int &near, int &far) {
  const field_layout l = layout_field(f.kind, f.along);
  along = int(std::floor(l.fence_f / UNIT)) - 1;
  near = int(std::floor(l.r0 / UNIT)) - 1;
  far = int(std::floor(l.r1 / UNIT));
}

// Everything the floor tiles show, and the records of what can be hit
// there.
void build_structure(const level_design &d, std::vector<scene_solid> &scene,
                     std::vector<enemy_record> &records) {
  for (const floor_area &f : d.floors) {
    const bool ground = f.material == FLOOR_GROUND;
    const double f0 = UNIT * f.along0, f1 = UNIT * (f.along1 + 1);
    const double r0 = UNIT * f.across0, r1 = UNIT * (f.across1 + 1);
    const surface_paint paint = ground                         ? paint_ground
                                : f.material == FLOOR_PLATING ? paint_plating
                                                              : paint_deck;
    add_solid(scene, painted(box({(f0 + f1) / 2, (r0 + r1) / 2, -1}, {f1 - f0, r1 - r0, 2},
                                 ground ? OUTER_GROUND : FORTRESS_FLOOR),
                             paint));
    if (!ground) add_trims(scene, d, f);
  }
  for (const floor_mark &m : d.marks) add_mark(scene, m);
  for (const wall_opening &o : wall_openings(d)) add_passage(scene, o);
  for (const handle_block &h : d.handles) records.push_back({h.kind, h.m, h.n, 0});
  for (const wall_line &w : d.walls)
    for (int k : wall_modules(w)) add_piece(scene, records, wall_piece(w.height), w.along, k);
  for (const lintel &l : d.lintels) add_piece(scene, records, PIECE_LINTEL, l.along, l.across);
  for (const side_wall &s : d.sides)
    for (int a = s.along0; a < s.along1; a += SIDE_MODULE_POSITIONS)
      add_piece(scene, records, PIECE_SIDE, a, s.across);
  for (const tower &t : d.towers) add_piece(scene, records, PIECE_TOWER, t.along, t.across);
  for (const force_field &f : d.fields) {
    const field_layout l = layout_field(f.kind, f.along);
    const int partner =
        f.kind == KIND_FORCE_FIELD ? KIND_FORCE_FIELD_CONTOUR : KIND_FORCE_FIELD2_CONTOUR;
    records.push_back({f.kind, l.m, l.n, 0});
    records.push_back({partner, l.m, l.n, 0});
    int along, near, far;
    field_posts(f, along, near, far);
    for (int k : {near, far}) {
      add_piece(scene, records, PIECE_SIDE, along, k);
      // The post carries its emitter above the highest beam.
      const double post_top = std::max<double>(SIDE_HEIGHT, l.top + EMITTER_RISE);
      const vec3 foot{double(UNIT * (along + 1)), UNIT * k + UNIT / 2.0, SIDE_HEIGHT};
      if (post_top > SIDE_HEIGHT)
        add_solid(scene, cylinder(foot, 6, 6, post_top - SIDE_HEIGHT, POST));
      add_solid(scene, ellipsoid({foot.f, foot.r, post_top}, {8, 8, 6}, EMITTER));
    }
  }
}

// Whether the ray from `from` toward the light passes through the box
// solid `s` (every solid that stands on the floor here is a box or close
// enough to one).
bool in_shadow_of(const solid &s, vec3 from) {
  const double o[3] = {from.f, from.r, from.z}, d[3] = {TO_LIGHT.f, TO_LIGHT.r, TO_LIGHT.z};
  const double c[3] = {s.t.f, s.t.r, s.t.z};
  double lo = 1e-6, hi = 1e18;
  for (int i = 0; i < 3; i++) {
    const double half = std::fabs(s.m[i][0]) + std::fabs(s.m[i][1]) + std::fabs(s.m[i][2]);
    // Cylinders and cones rise from their base; boxes are centred.
    const bool from_base = i == 2 && (s.shape == SHAPE_CYLINDER || s.shape == SHAPE_CONE);
    const double a = from_base ? c[i] : c[i] - half, b = c[i] + half;
    if (std::fabs(d[i]) < 1e-12) {
      if (o[i] < a || o[i] > b) return false;
      continue;
    }
    double t0 = (a - o[i]) / d[i], t1 = (b - o[i]) / d[i];
    if (t0 > t1) std::swap(t0, t1);
    lo = std::max(lo, t0), hi = std::min(hi, t1);
  }
  return lo < hi;
}

// Darkens the floor where what stands on it keeps the light off.
void cast_shadows(render_canvas &c, const std::vector<solid> &solids) {
  std::vector<const solid *> casters;
  for (const solid &s : solids)
    if (s.t.z > 0.5 || s.m[2][2] > 2) casters.push_back(&s);
  if (casters.empty()) return;
  for (int y = 0; y < c.h; y++)
    for (int x = 0; x < c.w; x++) {
      const int i = c.at(x, y);
      // The floor and what is painted on it.
      if (!c.sprite[i] || c.depth[i] < -0.01 || c.depth[i] > DECAL_TOP + 0.01) continue;
      const vec3 w = unproject(c, x + 0.5, y + 0.5, 0);
      for (const solid *s : casters)
        if (in_shadow_of(*s, w)) {
          const int ramp_first = c.sprite[i] & (c.sprite[i] >= 32 && c.sprite[i] < 144 ? ~7 : ~15);
          c.sprite[i] = uint8_t(std::max(ramp_first, c.sprite[i] - SHADOW_DARKER));
          break;
        }
    }
}

int tile_number(compiled_level &level, std::map<tile_picture, int> &known, const tile_picture &t) {
  auto [it, added] = known.emplace(t, int(level.tiles.size()));
  if (added) level.tiles.push_back(t);
  return it->second;
}

bool blanked(const level_design &d, int p) {
  for (const blank_band &b : d.blanks)
    if (p >= b.p0 && p <= b.p1) return true;
  return false;
}

}  // namespace

int second_half_source(int p) {
  if (p >= COPY_SHIFT_EARLY && p <= FIRST_FORTRESS_LAST_TILE + COPY_SHIFT_EARLY)
    return p - COPY_SHIFT_EARLY;
  if (p >= SECOND_FORTRESS_FIRST_COPIED + COPY_SHIFT_LATE) return p - COPY_SHIFT_LATE;
  return -1;
}

void fill_second_half(compiled_level &level) {
  for (int p = FIRST_HALF_POSITIONS; p < MAP_POSITIONS; p++)
    for (int c = 0; c < MAP_COLUMNS; c++) {
      const int from = second_half_source(p);
      level.cell(p, c) = from < 0 ? 0 : level.cell(from, c);
    }
}

compiled_level compile_level(const level_design &design) {
  compiled_level level;
  level.cells.assign(size_t(MAP_POSITIONS) * MAP_COLUMNS, 0);
  level.tiles.push_back(tile_picture{});  // tile 0: black
  std::map<tile_picture, int> known{{tile_picture{}, 0}};
  std::vector<scene_solid> scene;
  build_structure(design, scene, level.structure);

  for (int p0 = 0; p0 < FIRST_HALF_POSITIONS; p0 += SLICE) {
    const int p1 = std::min(p0 + SLICE, FIRST_HALF_POSITIONS);
    const int x0 = TILE * p0 - MARGIN, x1 = TILE * p1 + MARGIN;
    const int y0 = -TILE * ((p1 - 1) / 2) - MARGIN;
    const int y1 = TILE * MAP_COLUMNS - TILE * (p0 / 2) + MARGIN;
    std::vector<solid> here;
    for (const scene_solid &s : scene)
      if (s.x1 + SHADOW_REACH > x0 && s.x0 - SHADOW_REACH < x1 && s.y1 + SHADOW_REACH > y0 &&
          s.y0 - SHADOW_REACH < y1)
        here.push_back(s.s);
    if (here.empty()) continue;
    render_canvas c(x1 - x0, y1 - y0, -x0, -y0);
    render_solids(here, c);
    cast_shadows(c, here);
    finish_sprite(c);
    for (int p = p0; p < p1; p++) {
      if (blanked(design, p)) continue;
      for (int col = 0; col < MAP_COLUMNS; col++) {
        const int cx = TILE * p - x0, cy = TILE * col - TILE * (p / 2) - y0;
        tile_picture t;
        for (int y = 0; y < TILE; y++)
          for (int x = 0; x < TILE; x++) t[y * TILE + x] = c.sprite[c.at(cx + x, cy + y)];
        level.cell(p, col) = tile_number(level, known, t);
      }
    }
  }
  fill_second_half(level);
  return level;
}

const compiled_level &the_compiled_level() {
  static const compiled_level level = compile_level(the_level());
  return level;
}

enemy_record place_object(const placed_object &o, const sprite_frame &f) {
  const enemy_kind_row &k = enemy_kind_table[o.kind];
  // The level pixel of the foot's centre, then the picture's bottom-left
  // corner as the game places it: (8m + dx, 4(n - m) - 4 + dy - alt).
  const double f_units = UNIT * o.along, r_units = UNIT * o.across;
  const double left = f_units + r_units - f.ox;
  const double bottom = (r_units - f_units) / 2 - o.alt - f.oy + f.h;
  const int m = int(std::lround((left - k.screen_dx) / UNIT));
  const int n = int(std::lround((bottom + 4 * m + 4 - k.screen_dy + o.alt) / 4));
  return {o.kind, m, n, o.alt};
}

sprite_frame frame_of_kind(int kind) {
  const int sprite = enemy_kind_table[kind].sprite;
  for (const object_render &r : object_renders())
    if (r.sprite == sprite && sprite != NO_OBJECT) return {r.w, r.h, r.ox, r.oy};
  fprintf(stderr, "datagen: level: kind %d has no model to stand on the floor\n", kind);
  exit(1);
}

std::vector<enemy_record> level_records(const level_design &design, const compiled_level &level) {
  std::vector<enemy_record> records = {INERT_FIRST_RECORD};
  records.insert(records.end(), level.structure.begin(), level.structure.end());
  for (const placed_object &o : design.objects) {
    // A rocket waits in a hole of its own.
    if (o.kind == KIND_YELLOW_ROCKET || o.kind == KIND_RED_ROCKET)
      records.push_back(place_object({KIND_HOLE, o.along, o.across, 0}, frame_of_kind(KIND_HOLE)));
    records.push_back(place_object(o, frame_of_kind(o.kind)));
  }
  return records;
}

DataObject make_tile_sheet(int) {
  const compiled_level &level = the_compiled_level();
  Bitmap8 sheet(SHEET_W, SHEET_H);
  const int count = std::min<int>(level.tiles.size(), MAP_TILES);
  for (int n = 0; n < count; n++)
    for (int y = 0; y < TILE; y++)
      for (int x = 0; x < TILE; x++)
        sheet.set((n % SHEET_COLUMNS) * TILE + x, (n / SHEET_COLUMNS) * TILE + y,
                  level.tiles[n][y * TILE + x]);
  return bitmap_object("TILE_SHEET", sheet);
}

void write_level_files(const std::string &out_dir, const std::vector<DataObject> &borlin,
                       const std::vector<DataObject> &kestal) {
  const level_design &design = the_level();
  const compiled_level &level = the_compiled_level();
  const std::vector<enemy_record> records = level_records(design, level);
  const level_report report = check_level(design, level, records, borlin, kestal);
  for (const std::string &w : report.warnings) printf("datagen: level: warning: %s\n", w.c_str());
  for (const std::string &e : report.errors) fprintf(stderr, "datagen: level: %s\n", e.c_str());
  if (!report.errors.empty()) exit(1);

  for (int p = 0; p < MAP_POSITIONS; p++)
    for (int c = 0; c < MAP_COLUMNS; c++) map_data[p][c] = level.cell(p, c);
  const std::string first = out_dir + "/" + FIRST_MAP_FILE;
  const std::string second = out_dir + "/" + SECOND_MAP_FILE;
  const std::string enemies = out_dir + "/" + ENEMY_MAP_FILE;
  if (!write_map_file(first.c_str(), 0, FIRST_HALF_POSITIONS) ||
      !write_map_file(second.c_str(), FIRST_HALF_POSITIONS, SECOND_HALF_POSITIONS) ||
      !write_enemy_records(enemies.c_str(), records)) {
    fprintf(stderr, "datagen: cannot write the level files into %s\n", out_dir.c_str());
    exit(1);
  }
  int count[ENEMY_KIND_COUNT] = {};
  for (const enemy_record &r : records) count[r.kind]++;
  printf("datagen: level: %zu tiles of %d, %zu enemy map records:", level.tiles.size(), MAP_TILES,
         records.size());
  for (int k = 0; k < ENEMY_KIND_COUNT; k++)
    if (count[k]) printf(" %d %s,", count[k], enemy_kind_table[k].name);
  printf("\n");
}
