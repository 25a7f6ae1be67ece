// The enemy map: a file either places every record it holds and their
// second-half copies, of existing kinds, within the table, or is refused
// with the table left as it was. Reading the same file twice gives the
// same records, so the placing is checked against a reading of its own.
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
  const bool readable = read_enemy_records(ENEMY_MAP_FILE, records);
  std::vector<enemy_record> placed = records;
  for (const enemy_record &r : records) {
    fuzz_check(r.kind >= 0 && r.kind < ENEMY_KIND_COUNT, "kind");
    fuzz_check(r.map_x >= 0 && r.map_y >= 0 && r.alt >= -ALT_BIAS, "place");
    enemy_record copy;
    if (second_half_copy(r, copy)) placed.push_back(copy);
  }
  fuzz_check(placed.size() <= static_cast<size_t>(MAX_ENEMIES), "record count");

  // The previous input's table stays when this one is refused.
  const int before = total_enemies;
  fuzz_check(read_enemy_map(ENEMY_MAP_FILE) == readable, "the same file read twice");
  if (!readable) {
    fuzz_check(total_enemies == before && total_loaded_enemies == before, "refused map placed");
    return 0;
  }
  fuzz_check(total_enemies == static_cast<int>(placed.size()) &&
                 total_loaded_enemies == total_enemies,
             "placed count");
  for (int i = 0; i < total_enemies; i++) {
    const enemy *e = enemy_map[i];
    const enemy_record &r = placed[i];
    fuzz_check(e->type == r.kind && e->map_x == r.map_x && e->map_y == r.map_y && e->alt == r.alt,
               "placed where the file says");
    fuzz_check(e->index == i && enemy_is(i, e->type) == (i != 0), "placed enemy");
    fuzz_check(e->hit_points == enemy_type_list[e->type]->hit_points, "hit points");
  }
  return 0;
}
