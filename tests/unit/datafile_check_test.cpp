#include "shell/datafile_check.h"
#include "app/startup.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/random.h"
#include "shell/lzss.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

using bytes = std::vector<uint8_t>;

const std::string GAME = GAME_DIR;

bytes file_bytes(const std::string &path) {
  std::string s = read_file(path);
  return bytes(s.begin(), s.end());
}

void write_bytes(const std::string &path, const bytes &b) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), b.size());
}

bool ok(const bytes &b) { return datafile_structure_ok(b.data(), b.size()); }

// A data file assembled by hand, unpacked ("slh."), big-endian as the format wants.
struct builder {
  bytes b;
  void u8(int v) { b.push_back(uint8_t(v)); }
  void u16(int v) { u8(v >> 8), u8(v); }
  void u32(uint32_t v) { u16(int(v >> 16)), u16(int(v & 0xFFFF)); }
  void tag(const char *t) { for (int i = 0; i < 4; i++) u8(t[i]); }
  void raw(const bytes &x) { b.insert(b.end(), x.begin(), x.end()); }
  // An object with a NAME property whose contents are stored as they are.
  void object(const char *type, const bytes &body) {
    tag("prop"), tag("NAME"), u32(3), tag("abc"), b.pop_back();
    tag(type), u32(body.size()), u32(body.size()), raw(body);
  }
  static bytes file(int count, const bytes &objects) {
    builder f;
    f.tag("slh."), f.tag("ALL."), f.u32(count), f.raw(objects);
    return f.b;
  }
};

bytes bitmap_body(int bits, int w, int h, int pixel_bytes) {
  builder o;
  o.u16(bits), o.u16(w), o.u16(h);
  o.raw(bytes(size_t(w) * h * pixel_bytes, 7));
  return o.b;
}

bytes one_object(const char *type, const bytes &body) {
  builder o;
  o.object(type, body);
  return builder::file(1, o.b);
}

// The longest group of the packed stream: a flag byte and eight items of
// up to two bytes.
constexpr size_t LZSS_GROUP_BYTES = 17;

// LZSS with literals only: a flags byte of ones before every eight bytes.
bytes pack_literally(const bytes &in) {
  bytes out;
  for (size_t i = 0; i < in.size(); i += 8) {
    out.push_back(0xFF);
    for (size_t k = i; k < i + 8 && k < in.size(); k++) out.push_back(in[k]);
  }
  return out;
}

}  // namespace

TEST(DatafileCheck, UnpacksPackedFilesExactlyAsTheLibraryReadsThem) {
  for (const char *name : {"borlin.dat", "kestal.dat", "mapdatap.dat"}) {
    const std::string path = GAME + "/" + name;
    PACKFILE *f = pack_fopen(path.c_str(), F_READ_PACKED);
    ASSERT_NE(f, nullptr) << name;
    bytes library;
    int c;
    while ((c = pack_getc(f)) != EOF) library.push_back(uint8_t(c));
    pack_fclose(f);
    const bytes packed = file_bytes(path);
    bytes ours;
    ASSERT_TRUE(lzss_unpack(packed.data() + 4, packed.size() - 4, ours, DATAFILE_MAX_BYTES));
    EXPECT_EQ(ours, library) << name;
  }
}

TEST(DatafileCheck, TheGeneratedFilesPassAndEveryCutOrFlipFails) {
  for (const char *name : {"borlin.dat", "kestal.dat"}) {
    const bytes whole = file_bytes(GAME + "/" + name);
    EXPECT_TRUE(ok(whole)) << name;
    for (size_t cut : {size_t(0), size_t(3), size_t(4), size_t(5), whole.size() / 10,
                       whole.size() / 4, whole.size() / 2, whole.size() * 3 / 4,
                       whole.size() * 9 / 10, whole.size() * 99 / 100, whole.size() - 1})
      EXPECT_FALSE(ok(bytes(whole.begin(), whole.begin() + cut))) << name << " cut at " << cut;
    // Seventeen bytes hold at least one of the packed stream's flag bytes
    // (changed picture bytes alone cannot be told from a picture).
    bytes flipped = whole;
    for (size_t i = 0; i < LZSS_GROUP_BYTES; i++) flipped[whole.size() / 2 + i] ^= 0xFF;
    EXPECT_FALSE(ok(flipped)) << name;
    // Anything else may pass or fail, but reading it must stay in bounds.
    seed_game_rand(5);
    for (int n = 0; n < 200; n++) {
      bytes damaged = whole;
      damaged[size_t(game_rand()) * 31 % damaged.size()] ^= uint8_t(1 + game_rand() % 255);
      ok(damaged);
    }
  }
  EXPECT_FALSE(ok(file_bytes(GAME + "/mapdatap.dat")));  // a packfile, not a data file
}

TEST(DatafileCheck, FilesSavedAgainByTheLibrarysToolStillLoad) {
  if (std::system("command -v dat >/dev/null 2>&1") != 0) GTEST_SKIP() << "no dat tool";
  ScratchDir dir;
  // -c0: stored as it is; -c1: every object packed on its own.
  for (const char *packing : {"-c0", "-c1"}) {
    std::filesystem::copy_file(GAME + "/kestal.dat", "k.dat",
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(std::system((std::string("dat ") + packing + " k.dat >/dev/null 2>&1").c_str()), 0);
    EXPECT_TRUE(datafile_file_ok("k.dat")) << packing;
    set_color_conversion(COLORCONV_NONE);
    DATAFILE *d = load_datafile("k.dat");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(datafile_kinds_ok(d, kestal_object_kinds.data(), KESTAL_OBJECT_COUNT)) << packing;
    unload_datafile(d);
  }
}

TEST(DatafileCheck, ObjectsMustFitTheirSizesAndBeOfKnownTypes) {
  EXPECT_TRUE(ok(builder::file(0, {})));
  EXPECT_TRUE(ok(one_object("BMP ", bitmap_body(8, 3, 2, 1))));
  EXPECT_TRUE(ok(one_object("BMP ", bitmap_body(-32, 3, 2, 4))));
  EXPECT_TRUE(ok(one_object("BMP ", bitmap_body(32, 3, 2, 3))));
  EXPECT_FALSE(ok(one_object("BMP ", bitmap_body(7, 3, 2, 1))));   // no such depth
  EXPECT_FALSE(ok(one_object("BMP ", bitmap_body(8, 3, 2, 2))));   // more than its pixels
  EXPECT_FALSE(ok(one_object("BMP ", bitmap_body(16, 3, 2, 1))));  // fewer
  EXPECT_FALSE(ok(one_object("BMP?", bitmap_body(8, 3, 2, 1))));   // unknown type
  EXPECT_TRUE(ok(one_object("PAL ", bytes(1024, 1))));
  EXPECT_FALSE(ok(one_object("PAL ", bytes(1020, 1))));
  EXPECT_TRUE(ok(one_object("DATA", bytes(5, 1))));

  builder s;  // a stereo 16-bit sample of 3 frames
  s.u16(-16), s.u16(22050), s.u32(3), s.raw(bytes(12, 0x80));
  EXPECT_TRUE(ok(one_object("SAMP", s.b)));
  s.b.pop_back();
  EXPECT_FALSE(ok(one_object("SAMP", s.b)));

  builder font;  // one mono range of two 8 x 2 glyphs
  font.u16(0), font.u16(1), font.u8(1), font.u32(65), font.u32(66);
  for (int g = 0; g < 2; g++) font.u16(8), font.u16(2), font.u16(0x55AA);
  EXPECT_TRUE(ok(one_object("FONT", font.b)));
  font.b[8] = 67;  // the range now ends at 'C': a glyph is missing
  EXPECT_FALSE(ok(one_object("FONT", font.b)));

  // More objects than the file holds, an object past the end, a property
  // longer than what is left, a bad magic, and bytes after the last object.
  builder o;
  o.object("DATA", bytes(4, 0));
  EXPECT_FALSE(ok(builder::file(2, o.b)));
  bytes cut = one_object("DATA", bytes(4, 0));
  cut.pop_back();
  EXPECT_FALSE(ok(cut));
  builder p;
  p.tag("prop"), p.tag("NAME"), p.u32(1000), p.tag("DATA");
  EXPECT_FALSE(ok(builder::file(1, p.b)));
  bytes magic = builder::file(0, {});
  magic[7] = '!';
  EXPECT_FALSE(ok(magic));
  bytes trailing = builder::file(0, {});
  trailing.push_back(0);
  EXPECT_FALSE(ok(trailing));
}

// A font range's format byte decides how its glyphs are stored; the library
// fails on any byte it does not know, and then frees its object table twice.
TEST(DatafileCheck, FontRangesOnlyInFormatsTheLibraryReads) {
  ScratchDir dir;
  set_color_conversion(COLORCONV_NONE);
  struct known { int format, pixel_bytes; };  // 0 bytes: bit-packed
  const known formats[] = {{0, 1}, {1, 0}, {8, 1}, {15, 2}, {16, 2}, {24, 3}, {32, 3}, {255, 0}};
  for (int format = 0; format < 256; format++) {
    int bytes_per_pixel = 1;
    bool accepted = false;
    for (const known &k : formats)
      if (k.format == format) accepted = true, bytes_per_pixel = k.pixel_bytes;
    // 'A' 8 x 1 and 'B' 3 x 1: read with the wrong sizes, 'B' is not 3 wide.
    builder font;
    font.u16(0), font.u16(1), font.u8(format), font.u32('A'), font.u32('B');
    for (int w : {8, 3})
      font.u16(w), font.u16(1), font.raw(bytes(bytes_per_pixel ? size_t(w) * bytes_per_pixel : 1, 0));
    const bytes file = one_object("FONT", font.b);
    ASSERT_EQ(ok(file), accepted) << format;
    if (!accepted) continue;
    write_bytes("font.dat", file);
    DATAFILE *d = load_datafile("font.dat");
    ASSERT_NE(d, nullptr) << format;
    EXPECT_EQ(text_length(static_cast<FONT *>(d[0].dat), "A"), 8) << format;
    EXPECT_EQ(text_length(static_cast<FONT *>(d[0].dat), "B"), 3) << format;
    unload_datafile(d);
  }
}

TEST(DatafileCheck, NestedFilesAndObjectsPackedOnTheirOwn) {
  builder inner;
  inner.u32(1), inner.object("BMP ", bitmap_body(8, 2, 2, 1));
  EXPECT_TRUE(ok(one_object("FILE", inner.b)));
  // Nested deeper than the limit.
  bytes nested = inner.b;
  for (int depth = 0; depth < DATAFILE_MAX_DEPTH + 1; depth++) {
    builder outer;
    outer.u32(1), outer.object("FILE", nested);
    nested = outer.b;
  }
  EXPECT_FALSE(ok(one_object("FILE", nested)));

  const bytes body = bitmap_body(8, 5, 3, 1);
  const bytes packed = pack_literally(body);
  for (int stated : {int(body.size()), int(body.size()) + 1, int(body.size()) - 1}) {
    builder o;
    o.tag("BMP "), o.u32(packed.size()), o.u32(uint32_t(-stated)), o.raw(packed);
    EXPECT_EQ(ok(builder::file(1, o.b)), stated == int(body.size())) << stated;
  }
  // The whole file packed, as the generator writes it.
  const bytes plain = one_object("BMP ", body);
  bytes whole = {'s', 'l', 'h', '!'};
  const bytes rest = pack_literally(bytes(plain.begin() + 4, plain.end()));
  whole.insert(whole.end(), rest.begin(), rest.end());
  EXPECT_TRUE(ok(whole));
  // A match token cut in half.
  const bytes half = {0x00, 0x12, 0x00};
  bytes out;
  EXPECT_FALSE(lzss_unpack(half.data(), 2, out, 100));
  EXPECT_TRUE(lzss_unpack(half.data(), 3, out, 100));
  EXPECT_EQ(out, bytes(3, 0));  // three bytes of the empty ring
}

TEST(DatafileCheck, LoadedFilesMustHoldTheIndexedKinds) {
  ScratchDir dir;
  set_color_conversion(COLORCONV_NONE);
  DATAFILE *borlin = load_datafile((GAME + "/borlin.dat").c_str());
  DATAFILE *kestal = load_datafile((GAME + "/kestal.dat").c_str());
  ASSERT_TRUE(borlin && kestal);
  EXPECT_TRUE(datafile_kinds_ok(borlin, borlin_object_kinds.data(), BORLIN_OBJECT_COUNT));
  EXPECT_TRUE(datafile_kinds_ok(kestal, kestal_object_kinds.data(), KESTAL_OBJECT_COUNT));
  // Swapped: too few objects one way, a font where a bitmap belongs the other.
  EXPECT_FALSE(datafile_kinds_ok(kestal, borlin_object_kinds.data(), BORLIN_OBJECT_COUNT));
  EXPECT_FALSE(datafile_kinds_ok(borlin, kestal_object_kinds.data(), KESTAL_OBJECT_COUNT));
  EXPECT_FALSE(datafile_kinds_ok(nullptr, kestal_object_kinds.data(), KESTAL_OBJECT_COUNT));
  unload_datafile(borlin);
  unload_datafile(kestal);

  // A file that loads but holds a single bitmap.
  write_bytes("one.dat", one_object("BMP ", bitmap_body(8, 4, 4, 1)));
  ASSERT_TRUE(datafile_file_ok("one.dat"));
  DATAFILE *one = load_datafile("one.dat");
  ASSERT_NE(one, nullptr);
  EXPECT_FALSE(datafile_kinds_ok(one, kestal_object_kinds.data(), KESTAL_OBJECT_COUNT));
  unload_datafile(one);
  EXPECT_FALSE(datafile_file_ok("missing.dat"));
}

TEST(StartUpDeathTest, DamagedOrWrongDataFilesAreReportedAsMissing) {
  ScratchDir dir;
  const bytes borlin = file_bytes(GAME + "/borlin.dat");
  const bytes kestal = file_bytes(GAME + "/kestal.dat");
  struct bad { const char *named; bytes borlin, kestal; };
  bytes flipped = kestal;
  for (size_t i = 0; i < LZSS_GROUP_BYTES; i++) flipped[kestal.size() / 2 + i] ^= 0xFF;
  for (const bad &b : {bad{"borlin.dat", bytes(borlin.begin(), borlin.begin() + borlin.size() / 2), kestal},
                       bad{"kestal.dat", borlin, flipped},
                       bad{"borlin.dat", kestal, borlin},
                       bad{"kestal.dat", borlin, one_object("BMP ", bitmap_body(8, 4, 4, 1))}}) {
    write_bytes("borlin.dat", b.borlin);
    write_bytes("kestal.dat", b.kestal);
    const std::string said = output_of_exit(dir.path, EXIT_FATAL, [] { init_main(); });
    EXPECT_EQ(said.rfind(std::string("Error loading ") + b.named + "!\n", 0), 0u) << said;
  }
}
