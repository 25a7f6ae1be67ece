// Seeds for the fuzz targets.
//   make_seeds content IN OUT  the unpacked bytes of packed file IN, in
//                              content form (first byte 0)
//   make_seeds saves DIR       a settings file and high score files as the
//                              game writes them
//   make_seeds datafile OUT    a small data file with one object of each
//                              kind, written by the data generator's writer
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "datagen/writer.h"
#include "frontend/hiscore.h"
#include "frontend/config.h"

namespace {

// The settings of a 640 x 480, 16-bit, 60 Hz window, double buffered.
constexpr int SETTINGS_640[CONFIG_BYTES] = {0x02, 0x00, 0x80, 0x02, 0xE0, 0x01,
                                            0x10, 0x3C, 0x02, 0x00, 0x00, 0xFF};

int content(const char *in_name, const char *out_name) {
  PACKFILE *in = pack_fopen(in_name, F_READ_PACKED);
  FILE *out = fopen(out_name, "wb");
  if (!in || !out) return 1;
  fputc(0, out);
  for (int c; (c = pack_getc(in)) != EOF;) fputc(c, out);
  pack_fclose(in);
  return fclose(out) == 0 ? 0 : 1;
}

int saves(const char *dir) {
  if (chdir(dir) != 0) return 1;
  PACKFILE *f = pack_fopen(CONFIG_FILE, F_WRITE_PACKED);
  if (!f) return 1;
  for (int b : SETTINGS_640) pack_putc(b, f);
  pack_fclose(f);

  default_high_score_table();
  const int scores[] = {70000, 52000, 12000, 9000, 4000, 3500, 1200};
  const char *names[] = {"ACE", "Bo", "C", "DEE", "eVe", "FOX", "GUN"};
  for (int i = 0; i < 7; i++) {
    hi_score_table[i].score = scores[i];
    std::strcpy(hi_score_table[i].name, names[i]);
    hi_score_table[i].round = 1 + i % 3;
    hi_score_table[i].stage = i;
  }
  save_high_score_table();
  // The same table as the records alone, as older versions wrote it.
  PACKFILE *in = pack_fopen(HI_SCORE_FILE, F_READ_PACKED);
  PACKFILE *old = pack_fopen("hi-old.dat", F_WRITE_PACKED);
  if (!in || !old) return 1;
  for (int i = 0; i < HI_SCORE_LINES * HI_RECORD_BYTES; i++) pack_putc(pack_getc(in), old);
  pack_fclose(in);
  return pack_fclose(old) == 0 ? 0 : 1;
}

// Small, so the fuzzer can afford many variations of it.
int small_datafile(const char *out_name) {
  std::vector<DataObject> objects;
  Bitmap8 b(4, 3, 7);
  b.set(1, 1, 0);
  objects.push_back(bitmap_object("B", b));
  Palette p{};
  for (int i = 0; i < PALETTE_SIZE; i++) p[i] = Rgb{uint8_t(i & 63), uint8_t(i >> 2), 9};
  objects.push_back(palette_object("P", p));
  DataObject s = named_object(DK_SAMPLE, "S");
  s.sample.data = {SAMPLE_SILENCE, 40000, 20000, SAMPLE_SILENCE};
  objects.push_back(s);
  DataObject f = named_object(DK_FONT, "F");
  for (int i = 0; i < FONT_GLYPHS; i++) {
    Glyph g;
    g.w = 1 + i % 2;
    g.h = 2;
    g.ink.assign(size_t(g.w) * g.h, i & 1);
    f.font.glyphs.push_back(g);
  }
  objects.push_back(f);
  std::string error;
  if (write_datafile(out_name, objects, error)) return 0;
  fprintf(stderr, "%s\n", error.c_str());
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
  if (argc == 4 && std::string(argv[1]) == "content") return content(argv[2], argv[3]);
  if (argc == 3 && std::string(argv[1]) == "saves") return saves(argv[2]);
  if (argc == 3 && std::string(argv[1]) == "datafile") return small_datafile(argv[2]);
  fprintf(stderr, "usage: make_seeds content IN OUT | saves DIR | datafile OUT\n");
  return 2;
}
