// The generated data files as the game loads them, and the generator's
// writer and glyph reader.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "datagen/fonts.h"
#include "datagen/palettes.h"
#include "datagen/sounds.h"
#include "datagen/writer.h"
#include "shell/datafile_check.h"
#include "shell/datafile_index.h"
#include "game_data.h"
#include "test_support.h"

namespace {

int object_count(const DATAFILE *d) {
  int n = 0;
  while (d[n].type != DAT_END) n++;
  return n;
}

bool ends_with(const std::string &s, const std::string &tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void check_objects(const DATAFILE *d, int count, DataKind (*kind)(int)) {
  ASSERT_EQ(object_count(d), count);
  for (int i = 0; i < count; i++) {
    SCOPED_TRACE("object " + std::to_string(i));
    EXPECT_EQ(d[i].type, library_type(kind(i)));
    std::string n = get_datafile_property(d + i, DAT_NAME);
    EXPECT_FALSE(n.empty());
    EXPECT_FALSE(ends_with(n, "-PROVISIONAL")) << n;
    if (d[i].type == DAT_BITMAP) {
      EXPECT_EQ(bitmap_color_depth(static_cast<BITMAP *>(d[i].dat)), 8);
    }
  }
}

int brightness(const RGB &c) { return c.r + c.g + c.b; }

}  // namespace

TEST_F(GameData, EveryIndexHoldsItsKindOfObject) {
  check_objects(borlin, BORLIN_OBJECT_COUNT, [](int i) { return borlin_object_kinds[i]; });
  check_objects(kestal, KESTAL_OBJECT_COUNT, [](int) { return kestal_object_kind; });
  BITMAP *unused = static_cast<BITMAP *>(borlin[BORLIN_UNUSED].dat);
  EXPECT_EQ(unused->w, 1);
  EXPECT_EQ(unused->h, 1);
  EXPECT_EQ(name(borlin, BORLIN_UNUSED), "UNUSED");
}

TEST_F(GameData, LogoAndRoundMarkerFitWhereTheyAreDrawn) {
  BITMAP *logo = static_cast<BITMAP *>(borlin[BORLIN_LOGO].dat);
  EXPECT_LE(logo->w, 320);  // the narrowest modes
  EXPECT_LE(logo->h, 96);   // menus and high scores start below it
  // The subtitle is drawn 7 pixels up into the logo: that strip stays clear.
  for (int y = logo->h - 7; y < logo->h; y++)
    for (int x = 0; x < logo->w; x++) ASSERT_EQ(getpixel(logo, x, y), 0);
  BITMAP *marker = static_cast<BITMAP *>(kestal[KESTAL_ROUND_MARKER].dat);
  EXPECT_LE(marker->w, 16);  // rounds are drawn 16 pixels apart
  EXPECT_LE(marker->h, 31);
}

TEST_F(GameData, PalettesAreRampsDarkToLight) {
  for (int p = BORLIN_NORMAL_PALETTE; p <= BORLIN_DEMO_PALETTE; p++) {
    const RGB *pal = palette(p);
    EXPECT_EQ(brightness(pal[0]), 0) << "palette " << p;
    for (int c = 0; c < PAL_SIZE; c++) {
      if (c == ramp_first(c)) continue;
      EXPECT_GT(brightness(pal[c]), brightness(pal[c - 1])) << "palette " << p << " entry " << c;
    }
  }
  EXPECT_EQ(ramp_length(31), 16);
  EXPECT_EQ(ramp_length(32), 8);
  EXPECT_EQ(ramp_first(45), 40);
  EXPECT_EQ(ramp_length(144), 16);
}

TEST_F(GameData, OtherPalettesChangeOnlyTheirOwnRamps) {
  struct Allowed {
    int palette, from, to;  // entries from..to may differ from the normal palette
  };
  const Allowed allowed[] = {
      {BORLIN_WAVES_PALETTE, 104, 111},       // plane livery
      {BORLIN_BOSS_FLASH_PALETTE, 208, 223},  // the boss
      {BORLIN_DEMO_PALETTE, 144, 175},        // floors and walls
      {BORLIN_DEMO_PALETTE, 192, 207},        // outer ground
  };
  const RGB *normal = palette(BORLIN_NORMAL_PALETTE);
  for (int p = BORLIN_WAVES_PALETTE; p <= BORLIN_DEMO_PALETTE; p++) {
    int changed = 0;
    for (int c = 0; c < PAL_SIZE; c++) {
      bool same = brightness(normal[c]) == brightness(palette(p)[c]) &&
                  normal[c].r == palette(p)[c].r && normal[c].g == palette(p)[c].g;
      bool may = false;
      for (const Allowed &a : allowed) may |= a.palette == p && c >= a.from && c <= a.to;
      EXPECT_TRUE(same || may) << "palette " << p << " changes entry " << c;
      changed += !same;
    }
    EXPECT_GT(changed, 0) << "palette " << p << " changes nothing";
  }
  // Text and HUD colours the game draws with, under any palette.
  const int fixed[] = {5,  7,  9,  10, 11, 12, 13, 14, 15, 18, 22, 23, 25,  29,  32,  36,
                       35, 38, 39, 49, 52, 67, 71, 72, 76, 79, 91, 95, 184, 240, 254, 255};
  for (int p = BORLIN_WAVES_PALETTE; p <= BORLIN_DEMO_PALETTE; p++)
    for (int c : fixed) {
      EXPECT_EQ(palette(p)[c].r, normal[c].r) << p << ":" << c;
      EXPECT_EQ(palette(p)[c].g, normal[c].g) << p << ":" << c;
      EXPECT_EQ(palette(p)[c].b, normal[c].b) << p << ":" << c;
    }
  // The menu's fade ends on entry 184's own colour, so nothing jumps.
  EXPECT_EQ(normal[184].r, 9);
  EXPECT_EQ(normal[184].g, 32);
  EXPECT_EQ(normal[184].b, 55);
}

TEST_F(GameData, GameFontFitsTheFixedLayouts) {
  FONT *f = font_at(BORLIN_GAME_FONT);
  EXPECT_TRUE(is_mono_font(f));
  EXPECT_EQ(get_font_range_begin(f, -1), ' ');
  EXPECT_EQ(get_font_range_end(f, -1), '~');
  // The bonus lines are centred for a 14-pixel advance.
  EXPECT_EQ(text_length(f, "CONGRATULATIONS !"), 238);
  for (int c = ' '; c <= '~'; c++) {
    char s[2] = {char(c), 0};
    ASSERT_EQ(text_length(f, s), GAME_FONT_ADVANCE) << "char " << c;
  }
  // The fuel row sits 20 pixels above the bottom, ENEMY and PLANE 20 apart.
  EXPECT_LE(text_height(f), 20);
  EXPECT_LE(text_length(f, "FUEL"), 208 - 128);  // ends before "E"
}

TEST_F(GameData, CaptionFontFitsMenusAndHighScores) {
  FONT *f = font_at(BORLIN_CAPTION_FONT);
  EXPECT_TRUE(is_mono_font(f));
  EXPECT_EQ(get_font_range_begin(f, -1), ' ');
  EXPECT_EQ(get_font_range_end(f, -1), '~');
  // High score lines are 23 apart and outlined one pixel each way.
  EXPECT_LE(text_height(f) + 2, 23);
  // The longest caption in the narrowest mode, outline included.
  EXPECT_LE(text_length(f, "Reverse Alt Logic : Off") + 2, 320);
  // Seven digits ending at +20 must clear the rank centred at -100.
  EXPECT_LE(text_length(f, "8888888"), 7 * 15);
  EXPECT_GT(text_length(f, "i"), 0);
  EXPECT_LT(text_length(f, "i"), text_length(f, "m"));  // proportional
}

TEST_F(GameData, SoundsAreAudibleAndLoopsJoinWithoutAClick) {
  for (int i = 0; i < BORLIN_OBJECT_COUNT; i++) {
    if (borlin_object_kinds[i] != DK_SAMPLE) continue;
    SCOPED_TRACE("sample " + std::to_string(i));
    SAMPLE *s = sample_at(i);
    ASSERT_EQ(s->bits, 16);
    ASSERT_EQ(s->stereo, 0);
    const unsigned short *d = static_cast<const unsigned short *>(s->data);
    double energy = 0;
    std::vector<double> steps;
    for (unsigned long k = 0; k < s->len; k++) {
      double v = double(d[k]) - SAMPLE_SILENCE;
      energy += v * v;
      if (k > 0) steps.push_back(std::fabs(double(d[k]) - d[k - 1]));
    }
    EXPECT_GT(std::sqrt(energy / s->len), 1000.0);  // not silent
    double seam = std::fabs(double(d[0]) - d[s->len - 1]);
    if (sound_is_looped(i)) {
      // A click is a step bigger than any the sound makes by itself.
      EXPECT_LE(seam, *std::max_element(steps.begin(), steps.end()));
    } else {
      // One-shots start and end at rest.
      EXPECT_LE(std::abs(int(d[0]) - SAMPLE_SILENCE), 512);
      EXPECT_LE(std::abs(int(d[s->len - 1]) - SAMPLE_SILENCE), 512);
    }
  }
  // Restarted every frame while locked on: it must be over at once.
  EXPECT_LE(sample_at(BORLIN_LOCK_ON_SAMPLE)->len, unsigned(LOCK_ON_MAX_SAMPLES));
}

TEST(DataGenerator, RebuildsTheSameBytes) {
  ScratchDir dir;
  std::string cmd = std::string(DATAGEN) + " " + dir.path + " " + SOURCE_DIR + "/data >/dev/null";
  ASSERT_EQ(system(cmd.c_str()), 0);
  for (const char *f : {"borlin.dat", "kestal.dat"})
    EXPECT_TRUE(read_file(dir.path + "/" + f) == read_file(std::string(GAME_DIR) + "/" + f)) << f;
}

TEST(DataWriter, WritesWhatTheLoaderAndTheToolRead) {
  ScratchDir dir;
  Bitmap8 b(3, 2);
  b.px = {0, 1, 2, 253, 254, 255};
  Palette pal{};
  pal[1] = {63, 0, 31};
  pal[255] = {1, 2, 3};
  Sample snd;
  snd.data = {0, 32768, 65535, 12345, 7};  // odd length, both extremes
  Font fnt;
  for (int c = 0; c < FONT_GLYPHS; c++) {
    Glyph g;
    g.w = 3 + c % 7;  // widths across a byte boundary
    g.h = 10;
    g.ink.assign(size_t(g.w) * g.h, 0);
    g.ink[size_t(c % g.h) * g.w + g.w - 1] = 1;  // rightmost pixel of one row
    fnt.glyphs.push_back(g);
  }
  std::vector<DataObject> objs = {bitmap_object("BMP_ONE", b), palette_object("PAL_ONE", pal),
                                  sample_object("SND_ONE", snd), font_object("FONT_ONE", fnt)};
  std::string error;
  ASSERT_TRUE(write_datafile("t.dat", objs, error)) << error;

  set_color_conversion(COLORCONV_NONE);
  DATAFILE *d = load_datafile("t.dat");
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(object_count(d), 4);
  BITMAP *lb = static_cast<BITMAP *>(d[0].dat);
  ASSERT_EQ(lb->w, 3);
  ASSERT_EQ(lb->h, 2);
  for (int i = 0; i < 6; i++) EXPECT_EQ(getpixel(lb, i % 3, i / 3), b.px[size_t(i)]);
  const RGB *lp = static_cast<const RGB *>(d[1].dat);
  EXPECT_EQ(lp[1].r, 63);
  EXPECT_EQ(lp[1].b, 31);
  EXPECT_EQ(lp[255].b, 3);
  SAMPLE *ls = static_cast<SAMPLE *>(d[2].dat);
  ASSERT_EQ(ls->len, 5u);
  for (int i = 0; i < 5; i++)
    EXPECT_EQ(static_cast<unsigned short *>(ls->data)[i], snd.data[size_t(i)]);
  FONT *lf = static_cast<FONT *>(d[3].dat);
  EXPECT_TRUE(is_mono_font(lf));
  EXPECT_EQ(text_height(lf), 10);
  EXPECT_EQ(text_length(lf, "!"), 4);
  // Glyph 'A' (33 after space) is 8 wide with its ink at (7, 3).
  BITMAP *canvas = create_bitmap_ex(8, 16, 12);
  clear_bitmap(canvas);
  textout_ex(canvas, lf, "A", 0, 0, 9, -1);
  EXPECT_EQ(getpixel(canvas, 7, 3), 9);
  EXPECT_EQ(getpixel(canvas, 6, 3), 0);
  destroy_bitmap(canvas);
  EXPECT_EQ(std::string(get_datafile_property(d + 2, DAT_NAME)), "SND_ONE");
  unload_datafile(d);

  FILE *p = popen("dat -l t.dat 2>&1", "r");
  ASSERT_NE(p, nullptr);
  std::string listing;
  char buf[256];
  while (fgets(buf, sizeof buf, p)) listing += buf;
  int rc = pclose(p);
  if (WEXITSTATUS(rc) == 127) GTEST_SKIP() << "no dat tool";
  for (const char *want :
       {"BMP_ONE", "PAL_ONE", "SND_ONE", "FONT_ONE", "mono font, 1 range, 95 glyphs"})
    EXPECT_NE(listing.find(want), std::string::npos) << want << " missing in:\n" << listing;
}

TEST(GlyphSource, RejectsDefectiveDrawings) {
  std::vector<GlyphDrawing> g;
  std::string error;
  std::string good;
  for (int c = FONT_FIRST_CHAR; c <= FONT_LAST_CHAR; c++) {
    good += c == ' ' ? ": space\n" : std::string(": ") + char(c) + "\n";
    for (int r = 0; r < GLYPH_ROWS; r++) good += "#.\n";
  }
  ASSERT_TRUE(parse_glyphs("// comment\n" + good, g, error)) << error;
  EXPECT_EQ(g.size(), size_t(FONT_GLYPHS));

  std::string uneven = good;
  uneven.replace(uneven.find("#.\n"), 3, "#..\n");
  EXPECT_FALSE(parse_glyphs(uneven, g, error));
  EXPECT_NE(error.find("width"), std::string::npos);

  std::string stray = good;
  stray.replace(stray.find("#.\n"), 3, "#x\n");
  EXPECT_FALSE(parse_glyphs(stray, g, error));

  std::string short_file = good.substr(0, good.rfind(": ~"));
  EXPECT_FALSE(parse_glyphs(short_file, g, error));

  std::string swapped = good;
  swapped.replace(swapped.find(": A"), 3, ": B");
  EXPECT_FALSE(parse_glyphs(swapped, g, error));
  EXPECT_NE(error.find("'A'"), std::string::npos);

  std::string short_glyph = good;
  short_glyph.erase(short_glyph.find(": B") - 3, 3);  // A loses a row
  EXPECT_FALSE(parse_glyphs(short_glyph, g, error));
}

TEST(LoopFold, JoinsASignalThatDoesNotFitItsLength) {
  // 100.37 Hz over 5000 samples ends mid-cycle: cut plainly it would jump.
  const int n = 5000;
  std::vector<double> sig(size_t(n + LOOP_CROSSFADE));
  for (size_t i = 0; i < sig.size(); i++)
    sig[i] = std::sin(2 * M_PI * 100.37 * double(i) / SAMPLE_RATE);
  double max_step = 2 * M_PI * 100.37 / SAMPLE_RATE;
  EXPECT_GT(std::fabs(sig[0] - sig[size_t(n - 1)]), 4 * max_step);
  std::vector<double> loop = fold_loop(sig, n);
  ASSERT_EQ(loop.size(), size_t(n));
  EXPECT_LE(std::fabs(loop[0] - loop[size_t(n - 1)]), max_step);
}
