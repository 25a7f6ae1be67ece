#include "datagen/level_check.h"

#include <algorithm>
#include <cmath>

#include "datagen/level_pieces.h"
#include "gen/anims.h"

namespace {

std::string at(int p, int c) { return std::to_string(p) + "," + std::to_string(c); }

std::string record_text(const enemy_record &r) {
  return "kind " + std::to_string(r.kind) + " at " + std::to_string(r.map_x) + "," +
         std::to_string(r.map_y);
}

bool is_rocket(int kind) { return kind == KIND_YELLOW_ROCKET || kind == KIND_RED_ROCKET; }

// Both passes of the loader, as the game places them.
std::vector<enemy_record> both_passes(const std::vector<enemy_record> &records) {
  std::vector<enemy_record> all = records;
  for (const enemy_record &r : records) {
    enemy_record copy;
    if (second_half_copy(r, copy)) all.push_back(copy);
  }
  return all;
}

void check_cells(const compiled_level &level, level_report &rep) {
  if (level.tiles.size() > size_t(MAP_TILES))
    rep.errors.push_back("the strip needs " + std::to_string(level.tiles.size()) +
                         " different tiles; the sheet holds " + std::to_string(MAP_TILES));
  if (level.cells.size() != size_t(MAP_POSITIONS) * MAP_COLUMNS) {
    rep.errors.push_back("the strip is not " + std::to_string(MAP_POSITIONS) + " positions long");
    return;
  }
  auto must_be_black = [&](int p0, int p1, const char *why) {
    for (int p = p0; p <= p1; p++)
      for (int c = 0; c < MAP_COLUMNS; c++)
        if (level.cell(p, c) != 0) {
          rep.errors.push_back("cell " + at(p, c) + " must be black: " + why);
          return;
        }
  };
  for (int p = 0; p < MAP_POSITIONS; p++)
    for (int c = 0; c < MAP_COLUMNS; c++)
      if (level.cell(p, c) < 0 ||
          level.cell(p, c) >= int(std::min<size_t>(level.tiles.size(), MAP_TILES))) {
        rep.errors.push_back("cell " + at(p, c) + " names no tile of the sheet");
        return;
      }
  must_be_black(SPACE_FIRST, SPACE_LAST, "open space between the fortresses");
  must_be_black(NEVER_SHOWN_FIRST, NEVER_SHOWN_LAST, "the first half's end smears the edge");
  must_be_black(MAP_POSITIONS - 3, MAP_POSITIONS - 1, "the strip's end smears the edge");
  // Both sides of every fold show the same black, so no seam can show.
  for (int p : {1, 595, FIRST_FORTRESS_LAST_TILE + COPY_SHIFT_EARLY, LOOP_FIRST})
    must_be_black(p, p, "a fold joins it to open space");
  must_be_black(FIRST_HALF_POSITIONS, FIRST_HALF_POSITIONS + 1, "approach to the second half");
  for (int p = LOOP_FIRST; p <= LOOP_CHECKED_LAST; p++)
    for (int c = 0; c < MAP_COLUMNS; c++)
      if (level.cell(p, c) != level.cell(p + LOOP_PERIOD, c)) {
        rep.errors.push_back("the loop floor repeats every 18 positions; cell " + at(p, c) +
                             " differs");
        return;
      }
  for (int p = FIRST_HALF_POSITIONS; p < MAP_POSITIONS; p++) {
    const int from = second_half_source(p);
    if (from < 0) continue;
    for (int c = 0; c < MAP_COLUMNS; c++)
      if (level.cell(p, c) != level.cell(from, c)) {
        rep.errors.push_back("cell " + at(p, c) + " does not repeat " + at(from, c) +
                             " as the enemy copies do");
        return;
      }
  }
}

void check_records(const std::vector<enemy_record> &records, level_report &rep) {
  for (const enemy_record &r : records) {
    if (r.kind < 0 || r.kind >= ENEMY_KIND_COUNT || r.kind == KIND_SATELLITE ||
        r.kind == KIND_DOODLEBUG || r.kind == KIND_BOSS || r.kind == KIND_PLANE)
      rep.errors.push_back(record_text(r) + ": not a kind that stands on the map");
    if (r.map_x < 1 || r.map_x > NEVER_SHOWN_LAST)
      rep.errors.push_back(record_text(r) + ": outside the first half");
    if (r.map_x >= NO_RECORDS_FIRST && r.map_x <= NO_RECORDS_LAST)
      rep.errors.push_back(record_text(r) +
                           ": between the fortresses its copy is lost or lands on the loop");
    if (r.map_y < 0 || r.map_y > 255 || r.alt < -ALT_BIAS || r.alt > 255 - ALT_BIAS)
      rep.errors.push_back(record_text(r) + ": across or altitude out of range");
  }
  for (const wall_block_handle &h : wall_block_handles) {
    const long found = std::count_if(records.begin(), records.end(), [&](const enemy_record &r) {
      return r.kind == h.kind && r.map_x == h.m && r.map_y == h.n;
    });
    if (found != 1)
      rep.errors.push_back("wall block " + record_text({h.kind, h.m, h.n, 0}) + " is there " +
                           std::to_string(found) + " times; the game needs it once");
  }
  const std::vector<enemy_record> all = both_passes(records);
  if (all.size() > size_t(MAX_ENEMIES - DYNAMIC_RESERVE))
    rep.errors.push_back(std::to_string(all.size()) +
                         " enemies in both passes leave too little "
                         "room for the planes");
  if (records.empty() || !inert_record(records[0]))
    rep.errors.push_back(
        "the first record is enemy 0, which the game takes for \"no enemy\": it must be one "
        "nothing can meet, not " +
        (records.empty() ? std::string("missing") : record_text(records[0])));
  for (const enemy_record &r : records)
    if (is_rocket(r.kind) && r.map_x < FIRST_ROCKET_MAP_X)
      rep.errors.push_back(record_text(r) + ": a rocket before map x " +
                           std::to_string(FIRST_ROCKET_MAP_X) +
                           " shows through the first fold and takes off at the screen's edge");
}

// The size of a kind's picture, as the game boxes it on the screen.
void kind_box(int kind, const std::vector<DataObject> &borlin, const std::vector<DataObject> &kestal,
              int &w, int &h) {
  const enemy_kind_row &k = enemy_kind_table[kind];
  w = h = 0;
  if (k.sprite != NO_OBJECT && size_t(k.sprite) < kestal.size()) {
    w = kestal[k.sprite].bitmap.w;
    h = kestal[k.sprite].bitmap.h;
  } else if (k.contour != NO_OBJECT && size_t(k.contour) < borlin.size()) {
    w = borlin[k.contour].bitmap.w;
    h = borlin[k.contour].bitmap.h;
  } else if (k.anim_type != NO_ANIM) {
    w = forcefield_shape_of(k.anim_type).width;
    h = forcefield_shape_of(k.anim_type).height;
  }
}

// A frame queues every placed object other than a rocket whose box meets
// the view, and more than its table holds ends the program. Counted for
// every scroll position of every stretch in the widest mode, with the next
// stretch's objects placed past the fold as play places them.
void check_objects_per_frame(const std::vector<enemy_record> &records,
                             const std::vector<DataObject> &borlin,
                             const std::vector<DataObject> &kestal, level_report &rep) {
  struct placed {
    int m, x0, x1, top, bottom;  // box relative to scroll 0, before the half-scroll drop
  };
  const int ystart = (WIDEST_VIEW_W - 8 * 36) / 2;
  std::vector<placed> objects;
  for (const enemy_record &r : both_passes(records)) {
    if (is_rocket(r.kind)) continue;
    const enemy_kind_row &k = enemy_kind_table[r.kind];
    int w, h;
    kind_box(r.kind, borlin, kestal, w, h);
    const int x = k.screen_dx + 8 * r.map_x;
    const int b = k.screen_dy + ystart - 4 * r.map_x + 4 * r.map_y - 12 - r.alt;
    objects.push_back({r.map_x, x, x + w, b - h, b});
  }
  auto in_view = [](const placed &o, int S) {
    return o.x0 - S < WIDEST_VIEW_W && o.x1 - S > 0 && o.top + S / 2 < WIDEST_VIEW_H &&
           o.bottom + S / 2 > 0;
  };
  for (int s = 0; s < LOGIC_MAP_STRETCHES; s++) {
    const int first = logic_map[2 * s], last = logic_map[2 * s + 1];
    const int next_first = logic_map[2 * s + 2], next_last = logic_map[2 * s + 3];
    for (int S = 8 * first; S <= 8 * last; S++) {
      const int S2 = S + 8 * (next_first - last);
      int count = 0;
      for (const placed &o : objects)
        if ((o.m >= first && o.m <= last && in_view(o, S)) ||
            (o.m >= next_first && o.m <= next_last && in_view(o, S2)))
          count++;
      if (count > STATIC_OBJECTS_PER_FRAME) {
        rep.errors.push_back(std::to_string(count) + " objects in one " +
                             std::to_string(WIDEST_VIEW_W) + "-wide frame at scroll " +
                             std::to_string(S) + " (stretch " + std::to_string(s) +
                             "); a frame holds " + std::to_string(STATIC_OBJECTS_PER_FRAME));
        return;
      }
    }
  }
}

// Every contour pixel must land inside the sprite map and keep its height
// within a byte.
void check_contours(const std::vector<enemy_record> &records, const std::vector<DataObject> &borlin,
                    level_report &rep) {
  if (borlin.size() != size_t(BORLIN_OBJECT_COUNT)) return;
  for (const enemy_record &r : both_passes(records)) {
    const enemy_kind_row &k = enemy_kind_table[r.kind];
    if (k.contour == NO_OBJECT) continue;
    const Bitmap8 &b = borlin[k.contour].bitmap;
    for (int j = 0; j < b.h; j++)
      for (int i = 0; i < b.w; i++) {
        const int v = b.at(i, j);
        if (!v) continue;
        const int row = 4 * r.map_y - 12 + k.screen_dy - r.alt - b.h + j + (k.screen_dx + i) / 2;
        if (row < 0 || row >= SPRITE_MAP_ROWS || v + r.alt < 1 || v + r.alt > 255) {
          rep.errors.push_back(record_text(r) + ": its contour leaves the sprite map");
          return;
        }
      }
  }
}

// Fortress 1's pictures must end where its tiles stop being repeated, or
// their copies would show on the second half's loop.
void check_picture_ends(const std::vector<enemy_record> &records,
                        const std::vector<DataObject> &borlin,
                        const std::vector<DataObject> &kestal, level_report &rep) {
  if (borlin.size() != size_t(BORLIN_OBJECT_COUNT) || kestal.size() != size_t(KESTAL_OBJECT_COUNT))
    return;
  for (const enemy_record &r : records) {
    if (r.map_x > FIRST_FORTRESS_LAST_COPIED) continue;
    const enemy_kind_row &k = enemy_kind_table[r.kind];
    int w = 0;
    if (k.sprite != NO_OBJECT)
      w = kestal[k.sprite].bitmap.w;
    else if (k.contour != NO_OBJECT)
      w = borlin[k.contour].bitmap.w;
    else if (k.anim_type != NO_ANIM)
      w = field_frame_width(r.kind);
    const int last_position = (8 * r.map_x + k.screen_dx + w - 1) / 8;
    if (last_position > FIRST_FORTRESS_LAST_TILE)
      rep.errors.push_back(record_text(r) + ": its picture reaches position " +
                           std::to_string(last_position) + ", past fortress 1's repeated tiles");
  }
}

double across_of(const enemy_record &r) { return (r.map_y - 1) / 2.0; }
double along_of(const enemy_record &r) { return r.map_x - across_of(r); }

bool is_target(int kind) {
  return kind == KIND_FUEL || kind == KIND_RADAR || kind == KIND_BLUE_TURRET ||
         kind == KIND_GREEN_TURRET_LEFT || kind == KIND_GREEN_TURRET_RIGHT ||
         kind == KIND_YELLOW_ROCKET || kind == KIND_RED_ROCKET;
}

// A height interval that blocks flight over a cell of the floor.
struct obstacle {
  int along0, along1, across0, across1;  // inclusive
  int z0, z1;
};

std::vector<obstacle> obstacles(const level_design &d) {
  std::vector<obstacle> out;
  for (const wall_line &w : d.walls)
    out.push_back({w.along, w.along, w.across0, w.across1 - 1, 0, w.height});
  const int module_end = WALL_MODULE_COLUMNS - 1;
  for (const lintel &l : d.lintels)
    out.push_back({l.along, l.along, l.across, l.across + module_end, LINTEL_BOTTOM, LINTEL_TOP});
  for (const side_wall &s : d.sides)
    out.push_back({s.along0, s.along1 - 1, s.across, s.across, 0, SIDE_HEIGHT});
  for (const tower &t : d.towers)
    out.push_back({t.along, t.along, t.across, t.across + TOWER_COLUMNS - 1, 0, TOWER_HEIGHT});
  for (const handle_block &h : d.handles) {
    int a, k;
    if (block_lattice(h.m, h.n, a, k)) out.push_back({a, a, k, k + module_end, 0, BLOCK_HEIGHT});
  }
  for (const force_field &f : d.fields) {
    const field_layout l = layout_field(f.kind, f.along);
    const int a = int(std::floor(l.fence_f / UNIT));
    out.push_back({a, a, int(l.hit_r0 / UNIT), int(l.r1 / UNIT), 0, int(l.top)});
  }
  return out;
}

// Standing objects belong on open floor: not on black, not in a wall.
void check_footing(const level_design &d, level_report &rep) {
  const std::vector<obstacle> obs = obstacles(d);
  for (const placed_object &o : d.objects) {
    const std::string where = "the " + std::string(enemy_kind_table[o.kind].name) + " at along " +
                              std::to_string(int(o.along)) + " across " +
                              std::to_string(int(o.across));
    const int a = int(std::floor(o.along)), k = int(std::floor(o.across));
    if (std::none_of(d.floors.begin(), d.floors.end(), [&](const floor_area &f) {
          return a >= f.along0 && a <= f.along1 && k >= f.across0 && k <= f.across1;
        }))
      rep.warnings.push_back(where + " stands on no floor");
    for (const obstacle &b : obs)
      if (a >= b.along0 - 1 && a <= b.along1 + 1 && k >= b.across0 - 1 && k <= b.across1 + 1 &&
          b.z0 == 0) {
        rep.warnings.push_back(where + " stands in a wall");
        break;
      }
  }
}

void check_design(const level_design &d, const std::vector<enemy_record> &records,
                  level_report &rep) {
  check_footing(d, rep);
  std::vector<double> fuel;
  for (const enemy_record &r : records) {
    const double k = across_of(r);
    if (is_target(r.kind) && (k < REACH_FIRST || k > REACH_LAST))
      rep.warnings.push_back(record_text(r) + ": out of the ship's reach across the strip");
    if ((r.kind == KIND_YELLOW_ROCKET || r.kind == KIND_RED_ROCKET) && r.map_y < 16)
      rep.warnings.push_back(record_text(r) + ": a rocket this far out shows while it waits");
    if (r.kind == KIND_FUEL) fuel.push_back(along_of(r));
    if (r.kind == KIND_FORCE_FIELD || r.kind == KIND_FORCE_FIELD_2 ||
        r.kind == KIND_FORCE_FIELD_1 || r.kind == KIND_FORCE_FIELD_3) {
      const int partner =
          r.kind == KIND_FORCE_FIELD ? KIND_FORCE_FIELD_CONTOUR : KIND_FORCE_FIELD2_CONTOUR;
      if (std::none_of(records.begin(), records.end(), [&](const enemy_record &o) {
            return o.kind == partner && o.map_x == r.map_x && o.map_y == r.map_y;
          }))
        rep.warnings.push_back(record_text(r) +
                               ": a force field without its contour cannot be hit");
    }
  }
  if (fuel.size() < size_t(MIN_REFILLS))
    rep.warnings.push_back("only " + std::to_string(fuel.size()) + " fuel tanks for a round");
  std::sort(fuel.begin(), fuel.end());
  for (size_t i = 1; i < fuel.size(); i++) {
    const bool same_fortress = (fuel[i - 1] < SPACE_FIRST) == (fuel[i] < SPACE_FIRST);
    if (same_fortress && fuel[i] - fuel[i - 1] > MAX_FUEL_GAP)
      rep.warnings.push_back("no fuel between " + std::to_string(int(fuel[i - 1])) + " and " +
                             std::to_string(int(fuel[i])));
  }
  // Fortress 1 watches for flight above 80: with every gate shut there
  // must be a way through each line below that.
  const std::vector<obstacle> obs = obstacles(d);
  for (int a = FORTRESS1_FIRST; a <= FORTRESS1_LAST; a++) {
    bool open = false;
    for (int k = REACH_FIRST; k <= REACH_LAST && !open; k++)
      for (int alt = LOWEST_FLIGHT; alt < WATCHED_ALTITUDE - HIT_BAND && !open; alt++) {
        bool clear = true;
        for (const obstacle &o : obs)
          if (a >= o.along0 && a <= o.along1 && k >= o.across0 && k <= o.across1 &&
              alt + SHIP_HEIGHT > o.z0 && alt <= o.z1 + HIT_BAND)
            clear = false;
        open = clear;
      }
    if (!open) {
      rep.warnings.push_back("fortress 1 has no way below altitude 80 at along " +
                             std::to_string(a));
      break;
    }
  }
}

}  // namespace

bool inert_record(const enemy_record &r) {
  if (r.kind < 0 || r.kind >= ENEMY_KIND_COUNT) return false;
  const enemy_kind_row &k = enemy_kind_table[r.kind];
  enemy_record copy;
  return k.contour == NO_OBJECT && k.anim_type == NO_ANIM && !second_half_copy(r, copy) &&
         r.map_x >= NEVER_SHOWN_FIRST && r.map_x <= NEVER_SHOWN_LAST;
}

level_report check_level(const level_design &design, const compiled_level &level,
                         const std::vector<enemy_record> &records,
                         const std::vector<DataObject> &borlin,
                         const std::vector<DataObject> &kestal) {
  level_report rep;
  check_cells(level, rep);
  check_records(records, rep);
  check_contours(records, borlin, rep);
  check_objects_per_frame(records, borlin, kestal, rep);
  check_picture_ends(records, borlin, kestal, rep);
  check_design(design, records, rep);
  for (const auto *file : {&borlin, &kestal})
    for (const DataObject &o : *file)
      if (o.name.find(PROVISIONAL_MARK) != std::string::npos)
        rep.errors.push_back("a stand-in is left in the data files: " + o.name);
  return rep;
}
