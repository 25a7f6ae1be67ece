// Plays every sample of borlin.dat through the library's sound driver into
// a capture file and reports whether sound came out. There is no sound
// card here: the ALSA driver is pointed at a file for this run only (the
// override is held in memory, nothing is written to the settings).
//
//   sound_capture BORLIN_DAT CAPTURE_FILE
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/datafile_index.h"

namespace {

constexpr int CAPTURE_SILENCE = 32768;  // unsigned 16-bit stereo
constexpr int AUDIBLE = 300;            // deviation that counts as sound

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: sound_capture BORLIN_DAT CAPTURE_FILE\n");
    return 2;
  }
  if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
    puts("cannot start the library");
    return 1;
  }
  std::string cfg = std::string("[sound]\nalsa_device = file:FILE=") + argv[2] + ",FORMAT=raw\n";
  override_config_data(cfg.c_str(), int(cfg.size()));
  install_timer();
  if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0 || digi_driver->id == DIGI_NONE ||
      digi_driver->voices == 0) {
    printf("no sound driver: %s\n", allegro_error);
    return 1;
  }
  set_color_conversion(COLORCONV_NONE);
  DATAFILE *d = load_datafile(argv[1]);
  if (!d) {
    printf("cannot load %s\n", argv[1]);
    return 1;
  }
  long expected = 0;  // output frames the samples should fill
  for (int i = 0; i < BORLIN_OBJECT_COUNT; i++) {
    if (borlin_object_kinds[i] != DK_SAMPLE) continue;
    SAMPLE *s = static_cast<SAMPLE *>(d[i].dat);
    play_sample(s, 255, 128, 1000, 0);
    rest(int(s->len * 1000L / s->freq) + 60);
    stop_sample(s);
    expected += long(s->len) * 44100 / s->freq;
  }
  remove_sound();
  unload_datafile(d);

  FILE *f = fopen(argv[2], "rb");
  if (!f) {
    printf("no capture file %s\n", argv[2]);
    return 1;
  }
  long frames = 0, loud = 0;
  int peak = 0;
  unsigned char fr[4];
  while (fread(fr, 1, 4, f) == 4) {
    int left = fr[0] | fr[1] << 8;
    int dev = abs(left - CAPTURE_SILENCE);
    frames++;
    if (dev > AUDIBLE) loud++;
    if (dev > peak) peak = dev;
  }
  fclose(f);
  printf("captured %ld frames, %ld audible (expected about %ld), peak %d\n", frames, loud, expected,
         peak);
  // Quiet stretches inside the sounds (the doodlebug's gaps, fade-outs) do
  // not count as audible, so ask for a good share, not all.
  return loud > expected / 4 ? 0 : 1;
}
