// The level compiler, its pieces and its rules, and the level files the
// build made as the game reads them.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "datagen/level_check.h"
#include "datagen/level_compiler.h"
#include "datagen/level_paint.h"
#include "datagen/level_pieces.h"
#include "datagen/producers.h"
#include "gen/anims.h"
#include "shell/shell.h"
#include "test_support.h"
#include "world/enemy_map.h"

namespace {

// The generator's view of a built data file: its bitmaps as plain pixels.
std::vector<DataObject> as_objects(DATAFILE *d, int count) {
  std::vector<DataObject> out(count);
  for (int i = 0; i < count; i++) {
    out[i].name = get_datafile_property(d + i, DAT_NAME);
    if (d[i].type != DAT_BITMAP) continue;
    const BITMAP *b = static_cast<BITMAP *>(d[i].dat);
    out[i].bitmap = Bitmap8(b->w, b->h);
    for (int y = 0; y < b->h; y++)
      for (int x = 0; x < b->w; x++) out[i].bitmap.set(x, y, b->line[y][x]);
  }
  return out;
}

bool has(const std::vector<std::string> &lines, const std::string &part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string &l) { return l.find(part) != std::string::npos; });
}

// The level as the build wrote it, read back once for all tests here.
class Level : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    set_color_conversion(COLORCONV_NONE);
    DATAFILE *b = load_datafile(GAME_DIR "/borlin.dat");
    DATAFILE *k = load_datafile(GAME_DIR "/kestal.dat");
    ASSERT_TRUE(b && k);
    borlin = as_objects(b, BORLIN_OBJECT_COUNT);
    kestal = as_objects(k, KESTAL_OBJECT_COUNT);
    unload_datafile(b);
    unload_datafile(k);
    source_dir = SOURCE_DIR "/data";
    built.cells.assign(size_t(MAP_POSITIONS) * MAP_COLUMNS, 0);
    ASSERT_TRUE(read_map_file(GAME_DIR "/mapdatap.dat", 0, FIRST_HALF_POSITIONS));
    ASSERT_TRUE(
        read_map_file(GAME_DIR "/smapdatap.dat", FIRST_HALF_POSITIONS, SECOND_HALF_POSITIONS));
    int used = 0;
    for (int p = 0; p < MAP_POSITIONS; p++)
      for (int c = 0; c < MAP_COLUMNS; c++) {
        built.cell(p, c) = map_data[p][c];
        used = std::max(used, map_data[p][c] + 1);
      }
    const Bitmap8 &sheet = kestal[KESTAL_TILE_SHEET].bitmap;
    for (int t = 0; t < used; t++) {
      tile_picture pic;
      for (int y = 0; y < TILE; y++)
        for (int x = 0; x < TILE; x++)
          pic[y * TILE + x] =
              sheet.at((t % SHEET_COLUMNS) * TILE + x, (t / SHEET_COLUMNS) * TILE + y);
      built.tiles.push_back(pic);
    }
    ASSERT_TRUE(read_enemy_records(GAME_DIR "/enemymapp.dat", records));
    compiled = &built;
  }
  level_report check(const compiled_level &l, const std::vector<enemy_record> &r,
                     const level_design &d = the_level()) {
    return check_level(d, l, r, borlin, kestal);
  }
  static std::vector<DataObject> borlin, kestal;
  static compiled_level built;
  static const compiled_level *compiled;
  static std::vector<enemy_record> records;
};
std::vector<DataObject> Level::borlin, Level::kestal;
compiled_level Level::built;
const compiled_level *Level::compiled = nullptr;
std::vector<enemy_record> Level::records;

}  // namespace

TEST_F(Level, ShippedLevelKeepsEveryRule) {
  // The records the compiler makes now are the ones the build wrote.
  EXPECT_EQ(level_records(the_level(), compile_level(the_level())).size(), records.size());
  const level_report r = check(*compiled, records);
  EXPECT_TRUE(r.errors.empty()) << r.errors.front();
  EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
  EXPECT_LE(compiled->tiles.size(), size_t(MAP_TILES));
}

TEST_F(Level, BrokenHandlesAndRecordsFail) {
  std::vector<enemy_record> r = records;
  r.erase(std::find_if(r.begin(), r.end(), [](const enemy_record &e) {
    return e.kind == 14 && e.map_x == 754 && e.map_y == 53;
  }));
  EXPECT_TRUE(has(check(*compiled, r).errors, "kind 14 at 754,53 is there 0 times"));

  r = records;
  r.push_back({12, 406, 33, 0});
  EXPECT_TRUE(has(check(*compiled, r).errors, "kind 12 at 406,33 is there 2 times"));

  r = records;
  r.push_back({KIND_RADAR, 500, 40, 0});  // its copy would be lost
  r.push_back({KIND_BOSS, 700, 40, 0});
  r.push_back({KIND_RADAR, 1170, 40, 0});
  const level_report rep = check(*compiled, r);
  EXPECT_TRUE(has(rep.errors, "kind 1 at 500,40: between the fortresses"));
  EXPECT_TRUE(has(rep.errors, "kind 27 at 700,40: not a kind"));
  EXPECT_TRUE(has(rep.errors, "kind 1 at 1170,40: outside the first half"));

  r = records;
  r.push_back({KIND_FUEL, 450, 80, 0});  // a tank whose picture reaches 453
  EXPECT_TRUE(
      has(check(*compiled, r).errors, "kind 0 at 450,80: its picture reaches position 453"));

  r = records;
  r.push_back({KIND_WALL_3X4, 300, 3, 0});  // a tall wall at the far edge
  EXPECT_TRUE(has(check(*compiled, r).errors, "kind 20 at 300,3: its contour leaves"));

  r = records;
  while (r.size() < 600) r.push_back({KIND_HOLE2, 300, 40, 0});
  const level_report full = check(*compiled, r);
  EXPECT_TRUE(has(full.errors, "leave too little room"));
  EXPECT_TRUE(has(full.errors, "-wide frame at scroll"));
}

TEST_F(Level, TheFirstRecordIsOneNothingCanMeet) {
  EXPECT_EQ(records.front().kind, INERT_FIRST_RECORD.kind);
  EXPECT_EQ(records.front().map_x, INERT_FIRST_RECORD.map_x);
  EXPECT_TRUE(inert_record(records.front()));
  // What the level once started with: a gate handle, which round 1 may leave shut.
  std::vector<enemy_record> r(records.begin() + 1, records.end());
  EXPECT_TRUE(has(check(*compiled, r).errors, "not kind 12 at 16,21"));
  // Not hit, but seen; hit; copied into the second half; seen by the boss stop.
  for (enemy_record first : {enemy_record{KIND_CHIMNEYS, 300, 53, 0},
                             enemy_record{KIND_FUEL, 1167, 53, 0},
                             enemy_record{KIND_HOLE2, 1167, 53, 0},
                             enemy_record{KIND_CHIMNEYS, 1160, 53, 0}}) {
    EXPECT_FALSE(inert_record(first)) << first.kind << " at " << first.map_x;
    r = records;
    r.front() = first;
    EXPECT_TRUE(has(check(*compiled, r).errors, "the first record is enemy 0"));
  }
}

TEST_F(Level, RocketsStandWhereTheyTakeOffOnScreen) {
  for (const enemy_record &e : records) {
    if (e.kind == KIND_YELLOW_ROCKET || e.kind == KIND_RED_ROCKET) {
      EXPECT_GE(e.map_x, FIRST_ROCKET_MAP_X);
    }
  }
  std::vector<enemy_record> r = records;
  r.push_back({KIND_HOLE, 79, 57, 0});
  r.push_back({KIND_YELLOW_ROCKET, 79, 57, 0});
  EXPECT_TRUE(has(check(*compiled, r).errors, "kind 9 at 79,57: a rocket before map x 90"));
}

TEST_F(Level, ObjectsPerFrameAreCountedExactlyInTheWidestView) {
  // 240 holes more at one place fill a frame past its 256 (the level has
  // a few there already); the same number spread along fortress 2 do not.
  std::vector<enemy_record> r = records;
  for (int i = 0; i < 240; i++) r.push_back({KIND_HOLE2, 800, 40, 0});
  EXPECT_TRUE(has(check(*compiled, r).errors, "-wide frame at scroll"));
  r = records;
  for (int i = 0; i < 240; i++) r.push_back({KIND_HOLE2, 640 + 2 * i, 40, 0});
  EXPECT_FALSE(has(check(*compiled, r).errors, "-wide frame"));
  // Off the view across the strip: never counted, however many.
  r = records;
  for (int i = 0; i < 300; i++) r.push_back({KIND_HOLE2, 800, 255, 0});
  EXPECT_FALSE(has(check(*compiled, r).errors, "-wide frame"));
}

TEST_F(Level, BrokenStripFails) {
  compiled_level l = *compiled;
  l.cell(500, 20) = 1;
  EXPECT_TRUE(has(check(l, records).errors, "cell 500,20 must be black"));

  l = *compiled;
  l.cell(1168, 0) = 1;
  EXPECT_TRUE(has(check(l, records).errors, "cell 1168,0 must be black"));

  l = *compiled;
  l.cell(1650, 30) = 1;
  EXPECT_TRUE(has(check(l, records).errors, "loop floor repeats"));

  l = *compiled;
  l.cell(1800, 30) = l.cell(1800, 30) == 0 ? 1 : 0;
  EXPECT_TRUE(has(check(l, records).errors, "cell 1800,30 does not repeat 704,30"));

  l = *compiled;
  l.cell(300, 30) = int(l.tiles.size());
  EXPECT_TRUE(has(check(l, records).errors, "cell 300,30 names no tile"));
  l.tiles.resize(MAP_TILES + 1);
  EXPECT_TRUE(has(check(l, records).errors, "different tiles; the sheet holds 1792"));

  std::vector<DataObject> stand_in = borlin;
  stand_in[BORLIN_LOGO].name += "-PROVISIONAL";
  EXPECT_TRUE(has(check_level(the_level(), *compiled, records, stand_in, kestal).errors,
                  "a stand-in is left"));
}

TEST_F(Level, DesignRulesWarn) {
  level_design d = the_level();
  // The three-beam field reaches 84: across fortress 1 nothing gets by
  // below 80.
  d.fields.push_back({KIND_FORCE_FIELD_3, 200});
  d.objects.push_back({KIND_RADAR, 100, 30, 0});  // inside the lintel wall
  d.objects.push_back({KIND_RADAR, 500, 30, 0});  // out in space
  std::vector<enemy_record> r = records;
  r.erase(
      std::remove_if(r.begin(), r.end(), [](const enemy_record &e) { return e.kind == KIND_FUEL; }),
      r.end());
  r.push_back({KIND_RED_ROCKET, 300, 10, 0});
  r.push_back({KIND_FORCE_FIELD, 350, 44, 0});
  const level_report rep = check(*compiled, r, d);
  EXPECT_TRUE(has(rep.warnings, "no way below altitude 80 at along 200"));
  EXPECT_TRUE(has(rep.warnings, "only 0 fuel tanks"));
  EXPECT_TRUE(has(rep.warnings, "kind 10 at 300,10: out of the ship's reach"));
  EXPECT_TRUE(has(rep.warnings, "kind 10 at 300,10: a rocket this far out"));
  EXPECT_TRUE(has(rep.warnings, "kind 11 at 350,44: a force field without its contour"));
  EXPECT_TRUE(has(rep.warnings, "the radar at along 100 across 30 stands in a wall"));
  EXPECT_TRUE(has(rep.warnings, "the radar at along 500 across 30 stands on no floor"));
}

TEST_F(Level, SecondHalfRepeatsTheFortresses) {
  const compiled_level &l = *compiled;
  for (int c : {0, 25, 50}) {
    EXPECT_EQ(l.cell(1172, c), l.cell(0, c));
    EXPECT_EQ(l.cell(1623, c), l.cell(451, c));
    EXPECT_EQ(l.cell(1708, c), l.cell(612, c));
    EXPECT_EQ(l.cell(2265, c), l.cell(1169, c));
    EXPECT_EQ(l.cell(1170, c), 0);
    EXPECT_EQ(l.cell(1650, c), 0);
  }
  // Fortress 1's floor does show in fortress 3.
  EXPECT_NE(l.cell(1172 + 200, 30), 0);
}

// What the ship hits is what the tiles show: each piece's contour, placed
// by the game's own rule from its record, covers exactly the pixels the
// piece has in the level picture.
TEST(LevelPieces, ContoursSitWhereTheTilesShowThePiece) {
  for (PieceId id : {PIECE_WALL_16, PIECE_WALL_32, PIECE_WALL_64, PIECE_LINTEL, PIECE_SIDE,
                     PIECE_TOWER, PIECE_BLOCK}) {
    const piece &p = level_piece(id);
    const enemy_kind_row &k = enemy_kind_table[p.kind];
    for (auto [a, c] : {std::pair{100, 20}, std::pair{101, 27}, std::pair{640, 33}}) {
      SCOPED_TRACE("piece " + std::to_string(id) + " at " + std::to_string(a));
      const int m = p.m0 + a + c, n = p.n0 + 2 * c;
      // The game draws a placed enemy with its picture's bottom-left at
      // level pixel (8m + dx, 4(n - m) - 4 + dy - alt).
      const int left = 8 * m + k.screen_dx, bottom = 4 * (n - m) - 4 + k.screen_dy;
      EXPECT_EQ(left, UNIT * (a + c) + p.left);
      EXPECT_EQ(bottom - p.h, 4 * c - 4 * a + p.top);
    }
    const render_canvas r = render_piece(p);
    for (size_t i = 0; i < r.sprite.size(); i++) ASSERT_EQ(r.sprite[i] != 0, r.contour[i] != 0);
  }
}

// The same check through the whole compiler: a wall on a floor, cut into
// tiles; its record's contour, placed as the game places it, covers
// exactly the wall's pixels in the tiles.
TEST(LevelPieces, CompiledWallIsHitWhereItsTilesShowIt) {
  level_design d;
  std::string error;
  ASSERT_TRUE(parse_level("floor 90 120 0 50 fortress\nwall 100 20 26 32\n", d, error));
  const compiled_level l = compile_level(d);
  ASSERT_EQ(l.structure.size(), 1u);
  const enemy_record r = l.structure[0];
  const piece &p = level_piece(PIECE_WALL_32);
  const enemy_kind_row &k = enemy_kind_table[r.kind];
  const render_canvas c = render_piece(p);
  const int left = 8 * r.map_x + k.screen_dx, top = 4 * (r.map_y - r.map_x) - 4 + k.screen_dy - c.h;
  auto level_pixel_at = [&](int x, int y) {
    const int pos = x / TILE, col = (y + TILE * (pos / 2)) / TILE;
    const int cy = y + TILE * (pos / 2) - TILE * col;
    return l.tiles[l.cell(pos, col)][cy * TILE + x % TILE];
  };
  auto is_wall = [](int colour) { return colour >= 160 && colour < 176; };
  int wall_pixels = 0;
  for (int y = 0; y < c.h; y++)
    for (int x = 0; x < c.w; x++) {
      const bool hit = c.contour[c.at(x, y)] != 0;
      const bool seen = is_wall(level_pixel_at(left + x, top + y));
      ASSERT_EQ(hit, seen) << x << "," << y;
      wall_pixels += seen;
    }
  EXPECT_GT(wall_pixels, 1000);
}

// The floor's patterns repeat, so a long plain floor needs few tiles; the
// markings show in their own ramps, trims run along the fortress edges,
// and none of it becomes anything the ship can hit.
TEST(LevelPieces, FloorsRepeatAndMarkingsShowWithoutBeingHit) {
  level_design d;
  std::string error;
  ASSERT_TRUE(parse_level("floor 10 300 0 17 plating\nfloor 10 300 18 50 fortress\n"
                          "floor 301 320 0 50 ground\n",
                          d, error));
  const compiled_level plain = compile_level(d);
  EXPECT_LT(plain.tiles.size(), 400u);  // of some 15000 cells
  EXPECT_TRUE(plain.structure.empty());

  ASSERT_TRUE(parse_level("floor 10 300 0 50 fortress\nmark stripes 100 102 20 30\n"
                          "pad 200 30\nmark dashes 40 90 40 40\n",
                          d, error));
  const compiled_level marked = compile_level(d);
  EXPECT_TRUE(marked.structure.empty());
  auto colours_at = [&](int along, int across) {
    // The cell whose top-left corner is that lattice point; it shows the
    // floor up to a position behind it and a column and a half beside.
    const int p = along + across, c = (across - along + 2 * (p / 2) + 1) / 2;
    const tile_picture &t = marked.tiles[marked.cell(p, c)];
    return std::vector<int>(t.begin(), t.end());
  };
  auto any_in = [](const std::vector<int> &px, int first, int last) {
    return std::any_of(px.begin(), px.end(), [&](int v) { return v >= first && v <= last; });
  };
  EXPECT_TRUE(any_in(colours_at(101, 25), 96, 103));   // yellow stripes
  EXPECT_TRUE(any_in(colours_at(101, 25), 144, 159));  // over dark paint
  EXPECT_TRUE(any_in(colours_at(198, 29), 96, 103));  // the pad's ring
  EXPECT_FALSE(any_in(colours_at(150, 30), 96, 103));  // plain deck
  // The trims along both edges differ from the deck between them.
  EXPECT_NE(marked.cell(301, 0), marked.cell(301, 25));
  EXPECT_NE(marked.cell(300, 50), marked.cell(300, 25));
}

// Every floor pattern repeats within a short period (or the tile sheet
// overflows), and grooves and seams are darker than what they divide.
TEST(LevelPaint, PatternsRepeatAndDivideWithDarkerLines) {
  const solid floor = box({0, 0, -1}, {4096, 4096, 2}, material{144, 16, 5, 12});
  const vec3 up{0, 0, 1};
  for (double f = 0.5; f < 256; f += 1.5)
    for (double r = 0.25; r < 256; r += 2.5) {
      for (surface_paint paint : {paint_deck, paint_plating, paint_ground})
        for (vec3 d : {vec3{128, 0, 0}, vec3{0, 128, 0}, vec3{-256, 384, 0}})
          ASSERT_EQ(paint(floor, {f, r, 0}, up, 12), paint(floor, {f + d.f, r + d.r, 0}, up, 12))
              << f << "," << r;
      EXPECT_EQ(paint_stripes(floor, {f, r, 0}, up, 5), paint_stripes(floor, {f + 12, r, 0}, up, 5));
    }
  // A groove between two deck plates, then a plain plate's middle.
  EXPECT_LT(paint_deck(floor, {64.5, 40, 0}, up, 12), paint_deck(floor, {80, 16, 0}, up, 12));
  EXPECT_EQ(paint_deck(floor, {80, 16, 0}, up, 12), 12);
  EXPECT_EQ(paint_stripes(floor, {1, 1, 0}, up, 5), 5);
  EXPECT_EQ(paint_stripes(floor, {5, 3, 0}, up, 5), PAINT_NONE);

  // A wall 32 high over F 0-8, R 0-48: its top is brighter than its face,
  // the coping under the top catches the light, panel seams are darker.
  const solid wall = box({4, 24, 16}, {8, 48, 32}, material{160, 16, 3, 13});
  const vec3 toward_f{-1, 0, 0};
  const int face = paint_wall(wall, {0, 12, 10}, toward_f, 8);
  EXPECT_GT(paint_wall(wall, {4, 12, 32}, up, 12), face);
  EXPECT_GT(paint_wall(wall, {0, 12, 31}, toward_f, 8), face);
  EXPECT_LT(paint_wall(wall, {0, 24.5, 10}, toward_f, 8), face);  // a seam
  EXPECT_LT(paint_wall(wall, {0, 12, 16.5}, toward_f, 8), face);
}

// A way through a wall is found between two of its modules, under a
// lintel or open to the sky, never beyond the wall's ends nor where a
// gate the game may keep shut stands; the floor through it is darker than
// the deck with a light line running through, and a lintel's underside
// is edged with light.
TEST(LevelPieces, PassagesThroughWallsReadAsOpenings) {
  level_design d;
  std::string error;
  ASSERT_TRUE(parse_level("floor 10 200 0 50 fortress\n"
                          "wall 50 5 20 32\nwall 50 26 38 32\n"
                          "wall 100 1 31 64\nlintel 100 31\nwall 100 37 51 64\n"
                          "handle rand_block2 14 34 57\nhandle rand_block3 14 40 69\n"
                          "wall 9 13 25 32\nwall 9 37 51 32\n",
                          d, error))
      << error;
  const std::vector<wall_opening> o = wall_openings(d);
  auto text = [](const wall_opening &w) {
    return std::to_string(w.along) + " " + std::to_string(w.across0) + "-" +
           std::to_string(w.across1) + " " + std::to_string(w.height) + (w.under_lintel ? " L" : "");
  };
  ASSERT_EQ(o.size(), 2u);
  EXPECT_EQ(text(o[0]), "50 20-26 32");
  EXPECT_EQ(text(o[1]), "100 31-37 64 L");

  // Through the opening the floor's mean shade is darker than the deck's,
  // with a light line in it.
  const compiled_level l = compile_level(d);
  auto shades = [&](int along, int across, int &lightest) {
    long sum = 0, n = 0;
    lightest = 0;
    for (int a = along; a < along + 2; a++)
      for (int k = across; k < across + 4; k++) {
        const int p = a + k, c = (k - a + 2 * (p / 2) + 1) / 2;
        for (uint8_t v : l.tiles[l.cell(p, c)]) sum += v & 15, n++, lightest = std::max(lightest, v & 15);
      }
    return double(sum) / n;
  };
  for (const wall_opening &w : o) {
    int through_light, deck_light;
    EXPECT_LT(shades(w.along + 1, w.across0 + 1, through_light),
              shades(w.along + 40, w.across0 + 1, deck_light) - 3) << w.along;
    EXPECT_GE(through_light, 13) << w.along;
  }

  const solid lintel_box = box({4, 24, 48}, {8, 48, 32}, material{160, 16, 3, 13});
  const vec3 toward_f{-1, 0, 0};
  EXPECT_GT(paint_lintel(lintel_box, {0, 12, 32.5}, toward_f, 8),
            paint_wall(lintel_box, {0, 12, 40}, toward_f, 8) + 2);
}

TEST(LevelPieces, HandleBlocksStandOnTheLattice) {
  for (const wall_block_handle &h : wall_block_handles) {
    int a, k;
    ASSERT_TRUE(block_lattice(h.m, h.n, a, k)) << h.m << "," << h.n;
    EXPECT_EQ(level_piece(PIECE_BLOCK).m0 + a + k, h.m);
  }
  int a, k;
  block_lattice(16, 21, a, k);
  EXPECT_EQ(a, 9);  // the fortress-1 entrance line
  EXPECT_EQ(k, 7);
}

TEST(LevelPieces, FenceFollowsTheBeamOfItsField) {
  for (int kind : {KIND_FORCE_FIELD, KIND_FORCE_FIELD_3}) {
    const field_layout l = layout_field(kind, 500);
    const int h = kind == KIND_FORCE_FIELD ? 190 : 252;
    // The lowest beam's bottom-left at frame 0 is 28 rows into the frame,
    // whose bottom the game puts at 4(n - m) - 4; on the ground it is:
    const double x = 8.0 * l.m, y = 4.0 * (l.n - l.m) - 4 - h + 28;
    EXPECT_DOUBLE_EQ(l.fence_f, x / 2 - y);
    EXPECT_DOUBLE_EQ(l.r0, x / 2 + y);
    EXPECT_GE(l.fence_f, UNIT * 500);
    EXPECT_LT(l.fence_f, UNIT * 501);
    EXPECT_LE(l.r1, UNIT * MAP_COLUMNS);
    EXPECT_GE(l.hit_r0 - l.top - UNIT, 0);  // contour rows stay in the sprite map
  }
}

// A field's contour, placed by the game at the field's own record, stands
// on the fence line, so the ship is stopped where the beams run.
TEST(LevelPieces, FenceContourStandsOnTheFence) {
  for (PieceId id : {PIECE_FENCE, PIECE_FENCE_3}) {
    const piece &p = level_piece(id);
    const int kind = id == PIECE_FENCE ? KIND_FORCE_FIELD : KIND_FORCE_FIELD_3;
    const field_layout l = layout_field(kind, 300);
    const enemy_kind_row &k = enemy_kind_table[p.kind];
    const render_canvas c = render_piece(p);
    const int left = 8 * l.m + k.screen_dx, top = 4 * (l.n - l.m) - 4 + k.screen_dy - c.h;
    int seen = 0;
    for (int y = 0; y < c.h; y++)
      for (int x = 0; x < c.w; x++) {
        const int v = c.contour[c.at(x, y)];
        if (!v) continue;
        // The level pixel of the contour pixel, back to the world at the
        // height the contour gives it.
        const double lx = left + x + 0.5, ly = top + y + 0.5 + (v - 1);
        const double f = lx / 2 - ly, r = lx / 2 + ly;
        ASSERT_GE(f, l.fence_f - 1.5) << x << "," << y;
        ASSERT_LE(f, l.fence_f + 4 + 1.5) << x << "," << y;
        ASSERT_GE(r, l.hit_r0 - 2);
        ASSERT_LE(r, l.r1 + 6);
        seen++;
      }
    EXPECT_GT(seen, 100);
  }
}

TEST(LevelPlacement, ObjectsStandOnTheCentreOfTheirFoot) {
  // A 28 x 36 picture whose foot centre is pixel (14, 30): at along 100,
  // across 30 the foot is level pixel (1040, -280), and the game puts the
  // picture's bottom-left at (8m + dx, 4(n - m) - 4 + dy - alt).
  const sprite_frame f{28, 36, 14, 30};
  for (int alt : {0, 8}) {
    const enemy_record r = place_object({KIND_FUEL, 100, 30, alt}, f);
    EXPECT_EQ(r.alt, alt);
    const int left = 8 * r.map_x + 1, bottom = 4 * (r.map_y - r.map_x) - 4 - alt;
    EXPECT_NEAR(left + 14, 1040, 4);
    EXPECT_NEAR(bottom - 36 + 30, -280 - alt, 2);
  }
  const sprite_frame hole = frame_of_kind(KIND_HOLE);
  EXPECT_GT(hole.w, 0);
}

TEST(LevelSource, ReadsEveryLineAndNamesTheBadOne) {
  level_design d;
  std::string error;
  ASSERT_TRUE(
      parse_level("# comment\n\nfloor 1 5 0 50 fortress # trailing\n"
                  "wall 9 1 16 32\nfuel 20.5 30\nradar 22 31 8\n"
                  "handle rand_block1 12 16 21\nfield 11 120\nblank 452 594\n",
                  d, error))
      << error;
  ASSERT_EQ(d.walls.size(), 1u);
  EXPECT_EQ(wall_modules(d.walls[0]), (std::vector<int>{1, 7, 10}));  // the last one moved back
  EXPECT_EQ(d.objects[0].along, 20.5);
  EXPECT_EQ(d.objects[0].alt, 0);
  EXPECT_EQ(d.objects[1].alt, 8);
  EXPECT_EQ(d.handles[0].m, 16);

  ASSERT_TRUE(parse_level("floor 1 5 0 17 plating\nmark stripes 6 8 25 36\npad 43 36\n", d, error))
      << error;
  EXPECT_EQ(d.floors[0].material, FLOOR_PLATING);
  ASSERT_EQ(d.marks.size(), 2u);
  EXPECT_EQ(d.marks[0].kind, MARK_STRIPES);
  EXPECT_EQ(d.marks[0].along1, 8);
  EXPECT_EQ(d.marks[0].across0, 25);
  EXPECT_EQ(d.marks[1].kind, MARK_PAD);
  EXPECT_EQ(d.marks[1].along1, 43);
  EXPECT_EQ(d.marks[1].across1, 36);

  const char *bad[][2] = {{"floor 1 5 0 50 lava", "line 1: unknown floor material"},
                          {"\nwall 9 1 4 32", "line 2: a wall is at least 6"},
                          {"wall 9 1 16 40", "line 1: walls are 16, 32 or 64"},
                          {"side 9 12 4", "line 1: a side wall is made of 2-position"},
                          {"fuel 3", "line 1: 'fuel' needs more numbers"},
                          {"tower 1 2 3", "line 1: too much on the line"},
                          {"field 21 100", "line 1: force fields are of kind 11 or 23"},
                          {"castle 1 2", "line 1: unknown word 'castle'"},
                          {"mark paint 1 2 3 4", "line 1: unknown marking 'paint'"},
                          {"mark hatch 5 2 3 4", "line 1: a marking's area runs from"},
                          {"mark vent 1 2 3", "line 1: 'mark' needs more numbers"},
                          {"pad 4 5 6", "line 1: too much on the line"}};
  for (auto &b : bad) {
    EXPECT_FALSE(parse_level(b[0], d, error)) << b[0];
    EXPECT_EQ(error.rfind(b[1], 0), 0u) << error;
  }
}

// The files the build wrote, read by the game's own loaders.
TEST(GeneratedLevel, LoadsWithEveryWallBlockTheGameLooksFor) {
  ScratchDir dir;
  chdir(GAME_DIR);
  set_color_conversion(COLORCONV_NONE);
  commondata = load_datafile("borlin.dat");
  data = load_datafile("kestal.dat");
  ASSERT_TRUE(commondata && data);
  AnimTypesSaved types;
  EnemyKindsSaved kinds;
  types.free_new();  // start-up makes them once, into an empty table
  generate_anims();
  load_map_data();
  init_enemy_type_list();
  for (const wall_block_handle &h : wall_block_handles)
    EXPECT_EQ(enemy_map[get_spriteid_at_mapxy(h.kind, h.m, h.n)]->type, h.kind);
  EXPECT_LE(total_loaded_enemies, MAX_ENEMIES - DYNAMIC_RESERVE);
  EXPECT_EQ(map_data[500][25], 0);
  EXPECT_EQ(map_data[1172 + 100][25], map_data[100][25]);
  chdir(dir.path.c_str());
  unload_datafile(commondata);
  unload_datafile(data);
  commondata = data = nullptr;
}
