// The settings file: whatever it holds, the request is one the game can
// act on.
#include <allegro.h>

#include "fuzz_support.h"
#include "frontend/config.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  write_fuzz_file(CONFIG_FILE, data, size);
  config_fields f;
  if (!read_config_file(CONFIG_FILE, f)) return 0;
  int ids[MAX_LISTED_DRIVERS];
  const int count = listed_driver_ids(ids, MAX_LISTED_DRIVERS);
  const config_request r = config_from_fields(f, ids, count);
  fuzz_check(r.width > 0 && r.width <= MAX_CONFIG_WIDTH && r.height > 0, "size");
  fuzz_check(r.depth == 0 || r.depth == 8 || r.depth == 15 || r.depth == 16 || r.depth == 24 ||
                 r.depth == 32,
             "depth");
  fuzz_check(r.update_method >= 0 && r.update_method <= MAX_CONFIG_UPDATE_METHOD, "update method");
  fuzz_check(r.regulate_method >= 0 && r.regulate_method <= MAX_CONFIG_REGULATE_METHOD, "regulation");
  fuzz_check(r.refresh >= 0 && r.refresh <= 255, "refresh rate");
  fuzz_check(r.shadows_value == 0 || r.shadows_value == -1, "shadows");
  fuzz_check(r.reverse_alt_value == 0 || r.reverse_alt_value == -1, "reverse altitude");
  bool known = r.driver >= 0 && r.driver <= GFX_AUTODETECT_WINDOWED;
  for (int i = 0; i < count; i++) known = known || r.driver == ids[i];
  fuzz_check(known, "driver");
  return 0;
}
