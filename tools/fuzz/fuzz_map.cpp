// One map file: a file that loads holds only tiles of the sheet, and no
// file writes outside its half of the map. MAP_HALF picks the file.
#include <allegro.h>

#include <algorithm>

#include "fuzz_support.h"
#include "world/map_data.h"

namespace {

#if MAP_HALF == 1
constexpr const char *NAME = FIRST_MAP_FILE;
constexpr int FIRST = 0;
constexpr int COUNT = FIRST_HALF_POSITIONS;
#else
constexpr const char *NAME = SECOND_MAP_FILE;
constexpr int FIRST = FIRST_HALF_POSITIONS;
constexpr int COUNT = SECOND_HALF_POSITIONS;
#endif
constexpr int OTHER_HALF_MARK = -7;

// The positions just outside the file's half: a stray write lands there
// first (and the sanitizer sees one beyond the table).
bool neighbours_untouched() {
  for (int p : {FIRST - 1, FIRST + COUNT})
    if (p >= 0 && p < MAP_POSITIONS)
      for (int c = 0; c < MAP_COLUMNS; c++)
        if (map_data[p][c] != OTHER_HALF_MARK) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_start();
  for (int p = 0; p < MAP_POSITIONS; p++) std::fill_n(map_data[p], MAP_COLUMNS, OTHER_HALF_MARK);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  write_fuzz_file(NAME, data, size);
  const bool ok = read_map_file(NAME, FIRST, COUNT);
  fuzz_check(neighbours_untouched(), "write outside the file's half");
  if (!ok) return 0;
  for (int p = FIRST; p < FIRST + COUNT; p++)
    for (int c = 0; c < MAP_COLUMNS; c++)
      fuzz_check(map_data[p][c] >= 0 && map_data[p][c] < MAP_TILES, "tile number");
  return 0;
}
