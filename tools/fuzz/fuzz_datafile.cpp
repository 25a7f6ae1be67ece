// The data files' structure check: safe on any input, and a file it
// passes is one the library's loader reads without harm.
#include <allegro.h>

#include <cstdio>

#include "fuzz_support.h"
#include "shell/datafile_check.h"

namespace {

constexpr const char *NAME = "check.dat";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_start();
  set_color_conversion(COLORCONV_NONE);  // as the game loads them
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (!datafile_structure_ok(data, size)) return 0;
  FILE *f = fopen(NAME, "wb");
  if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0) harness_failed(NAME);
  if (DATAFILE *d = load_datafile(NAME)) unload_datafile(d);
  return 0;
}
