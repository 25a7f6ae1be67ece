#include "frontend/config.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/notice.h"
#include "game/switches.h"
#include "platform/devices.h"
#include "world/state.h"
#include "shell/packed_file.h"
#include "shell/paths.h"
#include "shell/safe_save.h"

namespace {

constexpr int LOW_WORD = 0xffff;
constexpr int LAST_AUTODETECT_ID = GFX_AUTODETECT_WINDOWED;
constexpr int VALID_DEPTHS[] = {8, 15, 16, 24, 32};

bool valid_depth(int depth) {
  for (int d : VALID_DEPTHS)
    if (d == depth) return true;
  return false;
}

bool in_range(int v, int low, int high) { return v >= low && v <= high; }

bool write_config(PACKFILE *f) {
  const int fields[] = {bpp, hz, updatemethod, regulate_method, bulletshadows, reverse_logic};
  bool ok = pack_iputw(gr_driver & LOW_WORD, f) != EOF;
  ok = ok && pack_iputw(SCREEN_W & LOW_WORD, f) != EOF;
  ok = ok && pack_iputw(SCREEN_H & LOW_WORD, f) != EOF;
  for (int v : fields) ok = ok && pack_putc(v & 255, f) != EOF;
  return ok;
}

}  // namespace

bool read_config_file(const char *name, config_fields &out) {
  // Like "rp", it refuses a file without the packfile signature.
  PACKFILE *f = open_packed_file(name);
  if (!f) return false;
  out.driver_word = pack_igetw(f);
  out.width = pack_igetw(f);
  out.height = pack_igetw(f);
  int *bytes[] = {&out.depth,           &out.refresh, &out.update_method,
                  &out.regulate_method, &out.shadows, &out.reverse_alt};
  for (int *b : bytes) *b = pack_getc(f);
  pack_fclose(f);
  return true;
}

int restore_driver_id(int word, const int *ids, int count) {
  if (in_range(word, 0, LAST_AUTODETECT_ID)) return word;
  int found = GFX_AUTODETECT_WINDOWED;
  int matches = 0;
  for (int i = 0; i < count; i++) {
    if ((ids[i] & LOW_WORD) != word) continue;
    // The same driver may be listed twice; only different ones clash.
    if (matches > 0 && ids[i] == found) continue;
    found = ids[i];
    matches++;
  }
  return matches == 1 ? found : GFX_AUTODETECT_WINDOWED;
}

int listed_driver_ids(int *ids, int max) {
  int count = 0;
  _DRIVER_INFO *list = gfx_driver_list();
  for (; list && list->driver && count < max - 1; list++) ids[count++] = list->id;
  if (count < max) ids[count++] = GFX_SAFE;
  return count;
}

config_request config_from_fields(const config_fields &f, const int *ids, int count) {
  config_request r;
  r.driver = f.driver_word < 0 ? GFX_AUTODETECT_WINDOWED : restore_driver_id(f.driver_word, ids, count);
  r.width = f.width;
  r.height = f.height;
  r.depth = valid_depth(f.depth) ? f.depth : 0;
  r.refresh = f.refresh < 0 ? DEFAULT_HZ : f.refresh;
  if (f.width <= 0 || f.width > MAX_CONFIG_WIDTH || f.height <= 0 || f.height > MAX_CONFIG_HEIGHT) {
    // A size no menu offers: the whole mode is the default request.
    r.driver = GFX_AUTODETECT_WINDOWED;
    r.width = DEFAULT_W;
    r.height = DEFAULT_H;
    r.depth = 0;
    r.refresh = DEFAULT_HZ;
  }
  r.update_method = in_range(f.update_method, 0, MAX_CONFIG_UPDATE_METHOD) ? f.update_method : 0;
  r.regulate_method =
      in_range(f.regulate_method, 0, MAX_CONFIG_REGULATE_METHOD) ? f.regulate_method : 0;
  // A stored byte is 0 or 255 and 1 or 255; past the end means the default.
  r.shadows_value = f.shadows < 0 ? bulletshadows : (f.shadows != 0 ? -1 : 0);
  r.reverse_alt_value = f.reverse_alt < 0 ? reverse_alt_on() : (f.reverse_alt == 1 ? 0 : -1);
  return r;
}

void load_config() {
  config_fields fields;
  if (read_config_file(load_path(CONFIG_FILE).c_str(), fields)) {
    int ids[MAX_LISTED_DRIVERS];
    const int count = listed_driver_ids(ids, MAX_LISTED_DRIVERS);
    const config_request r = config_from_fields(fields, ids, count);
    // The mode set-up tries the saved mode first; it sets the driver, the
    // rate, the update and the regulation methods itself.
    request_depth(r.depth);
    set_shadows(r.shadows_value);
    set_reverse_alt(r.reverse_alt_value);
    // init_graphics succeeds or leaves the program.
    init_graphics(r.driver, r.width, r.height, r.depth, r.refresh, r.update_method);
  } else {
    set_default_gfx();
  }
  apply_regulation();
  follow_open_mode();
}

void save_config() {
  const std::string path = save_path(CONFIG_FILE);
  const bool saved = safe_save(path.c_str(), write_config);
  report_save(saved, "settings", path.c_str(), errno, true);
}
