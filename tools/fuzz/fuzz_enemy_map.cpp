// The enemy map: a file that loads places only enemies of existing kinds,
// never more than the table holds, and the copies of the second half.
#include <allegro.h>

#include <vector>

#include "fuzz_support.h"
#include "world/enemy_map.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_start();
  // Kinds without pictures: the map only needs them to exist.
  total_enemy_types = 0;
  for (int k = 0; k < ENEMY_KIND_COUNT; k++)
    add_to_enemy_type_list("kind", nullptr, nullptr, nullptr, nullptr, 0, 0, 1 + k % 3, 0, 0, 0,
                           0, -1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  write_fuzz_file(ENEMY_MAP_FILE, data, size);
  std::vector<enemy_record> records;
  if (!read_enemy_records(ENEMY_MAP_FILE, records)) return 0;
  fuzz_check(records.size() <= static_cast<size_t>(MAX_ENEMIES), "record count");
  for (const enemy_record &r : records) {
    fuzz_check(r.kind >= 0 && r.kind < ENEMY_KIND_COUNT, "kind");
    fuzz_check(r.map_x >= 0 && r.map_y >= 0 && r.alt >= -ALT_BIAS, "place");
  }
  // A damaged packed stream may unpack differently on a second reading
  // (the library's window starts partly unset), so the placing is fed the
  // records read, written out again.
  fuzz_check(write_enemy_records(ENEMY_MAP_FILE, records), "rewrite");
  load_enemy_map();
  fuzz_check(total_enemies >= static_cast<int>(std::min<size_t>(records.size(), MAX_ENEMIES)) &&
                 total_enemies <= MAX_ENEMIES && total_loaded_enemies == total_enemies,
             "placed count");
  for (int i = 0; i < total_enemies; i++) {
    const enemy *e = enemy_map[i];
    fuzz_check(e->index == i && enemy_is(i, e->type) == (i != 0), "placed enemy");
    fuzz_check(e->hit_points == enemy_type_list[e->type]->hit_points, "hit points");
  }
  return 0;
}
