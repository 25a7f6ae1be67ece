#include "datagen/level_source.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "datagen/producers.h"
#include "world/enemy_kinds.h"

namespace {

// Object words of the source and the kinds they stand for.
const std::map<std::string, int> object_words = {
    {"fuel", KIND_FUEL},
    {"radar", KIND_RADAR},
    {"hole", KIND_HOLE},
    {"turret", KIND_BLUE_TURRET},
    {"turret_right", KIND_GREEN_TURRET_RIGHT},
    {"turret_left", KIND_GREEN_TURRET_LEFT},
    {"crater", KIND_HOLE2},
    {"yellow_rocket", KIND_YELLOW_ROCKET},
    {"red_rocket", KIND_RED_ROCKET},
    {"chimneys", KIND_CHIMNEYS},
};

const std::map<std::string, FloorMaterial> materials = {
    {"fortress", FLOOR_FORTRESS}, {"plating", FLOOR_PLATING}, {"ground", FLOOR_GROUND}};

const std::map<std::string, MarkKind> mark_words = {{"stripes", MARK_STRIPES},
                                                    {"hatch", MARK_HATCH},
                                                    {"vent", MARK_VENT},
                                                    {"line", MARK_LINE},
                                                    {"dashes", MARK_DASHES}};

bool read_ints(std::istringstream &in, std::initializer_list<int *> out) {
  for (int *v : out)
    if (!(in >> *v)) return false;
  return true;
}

bool nothing_left(std::istringstream &in) {
  std::string rest;
  return !(in >> rest);
}

}  // namespace

std::vector<int> wall_modules(const wall_line &w) {
  std::vector<int> out;
  for (int k = w.across0; k < w.across1; k += WALL_MODULE_COLUMNS)
    out.push_back(std::min(k, w.across1 - WALL_MODULE_COLUMNS));
  return out;
}

bool parse_level(const std::string &text, level_design &out, std::string &error) {
  out = level_design{};
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  auto fail = [&](const std::string &why) {
    error = "line " + std::to_string(number) + ": " + why;
    return false;
  };
  while (std::getline(lines, line)) {
    number++;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string word;
    if (!(in >> word)) continue;
    bool ok = true;
    if (word == "floor") {
      floor_area f;
      std::string m;
      ok = read_ints(in, {&f.along0, &f.along1, &f.across0, &f.across1}) && bool(in >> m);
      if (ok && !materials.count(m)) return fail("unknown floor material '" + m + "'");
      if (ok) f.material = materials.at(m);
      if (ok) out.floors.push_back(f);
    } else if (word == "mark") {
      floor_mark m;
      std::string kind;
      ok = bool(in >> kind);
      if (ok && !mark_words.count(kind)) return fail("unknown marking '" + kind + "'");
      if (ok) m.kind = mark_words.at(kind);
      ok = ok && read_ints(in, {&m.along0, &m.along1, &m.across0, &m.across1});
      if (ok && (m.along1 < m.along0 || m.across1 < m.across0))
        return fail("a marking's area runs from its first cell to its last");
      if (ok) out.marks.push_back(m);
    } else if (word == "pad") {
      floor_mark m{MARK_PAD, 0, 0, 0, 0};
      ok = read_ints(in, {&m.along0, &m.across0});
      m.along1 = m.along0, m.across1 = m.across0;
      if (ok) out.marks.push_back(m);
    } else if (word == "blank") {
      blank_band b;
      ok = read_ints(in, {&b.p0, &b.p1});
      if (ok) out.blanks.push_back(b);
    } else if (word == "wall") {
      wall_line w;
      ok = read_ints(in, {&w.along, &w.across0, &w.across1, &w.height});
      if (ok && w.across1 - w.across0 < WALL_MODULE_COLUMNS)
        return fail("a wall is at least 6 columns long");
      if (ok && w.height != 16 && w.height != 32 && w.height != 64)
        return fail("walls are 16, 32 or 64 pixels high");
      if (ok) out.walls.push_back(w);
    } else if (word == "side") {
      side_wall s;
      ok = read_ints(in, {&s.along0, &s.along1, &s.across});
      if (ok && (s.along1 - s.along0) % SIDE_MODULE_POSITIONS != 0)
        return fail("a side wall is made of 2-position modules");
      if (ok) out.sides.push_back(s);
    } else if (word == "lintel") {
      lintel l;
      ok = read_ints(in, {&l.along, &l.across});
      if (ok) out.lintels.push_back(l);
    } else if (word == "tower") {
      tower t;
      ok = read_ints(in, {&t.along, &t.across});
      if (ok) out.towers.push_back(t);
    } else if (word == "handle") {
      handle_block h;
      ok = bool(in >> h.name) && read_ints(in, {&h.kind, &h.m, &h.n});
      if (ok) out.handles.push_back(h);
    } else if (word == "field") {
      force_field f;
      ok = read_ints(in, {&f.kind, &f.along});
      if (ok && f.kind != KIND_FORCE_FIELD && f.kind != KIND_FORCE_FIELD_3)
        return fail("force fields are of kind 11 or 23");
      if (ok) out.fields.push_back(f);
    } else if (word == "region") {
      overview_region r;
      ok = bool(in >> r.name) && read_ints(in, {&r.p0, &r.p1});
      if (ok) out.regions.push_back(r);
    } else if (object_words.count(word)) {
      placed_object o{object_words.at(word), 0, 0, 0};
      ok = bool(in >> o.along >> o.across);
      if (ok && !(in >> o.alt)) o.alt = 0;
      if (ok) out.objects.push_back(o);
    } else {
      return fail("unknown word '" + word + "'");
    }
    if (!ok) return fail("'" + word + "' needs more numbers");
    if (!nothing_left(in)) return fail("too much on the line");
  }
  return true;
}

const level_design &the_level() {
  static level_design level;
  static bool loaded = false;
  if (loaded) return level;
  const std::string path = source_dir + "/level/level.txt";
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  if (!in || !parse_level(text.str(), level, error)) {
    fprintf(stderr, "datagen: %s: %s\n", path.c_str(), in ? error.c_str() : "cannot read");
    exit(1);
  }
  loaded = true;
  return level;
}
