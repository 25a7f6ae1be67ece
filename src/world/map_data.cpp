#include "world/map_data.h"

#include <allegro.h>

#include <cstdio>

#include "shell/packed_file.h"
#include "platform/exit.h"

int map_data[MAP_POSITIONS][MAP_COLUMNS];

const int logic_map[LOGIC_MAP_SIZE] = {
    490,  594,   // 0: space, then the approach to fortress 1
    0,    554,   // 1: fortress 1, then space with the plane waves
    490,  554,   // 2-4: the space loop
    490,  554,   //
    490,  554,   //
    490,  1188,  // 5: space, fortress 2 and the boss
    460,  594,   // 6: the demo's start in space
    1170, 1623,  // 7: fortress 3
    1625, 1643,  // 8-12: the 18-position floor loop
    1625, 1643,  //
    1625, 1643,  //
    1625, 1643,  //
    1625, 1643,  //
    1625, 2266,  // 13: fortress 4
    490,  594,   // after the last stretch play goes back to stretch 0
};

int range_index = 0;

int stretch_start(int s) { return 8 * logic_map[2 * s]; }

int fold_map_position(int p) {
  const int last = logic_map[2 * range_index + 1];
  if (p > last) return p + logic_map[2 * range_index + 2] - last;
  return p;
}

bool read_map_file(const char *name, int first_position, int positions) {
  PACKFILE *f = open_packed_file(name);
  if (!f) return false;
  bool ok = true;
  for (int c = 0; ok && c < MAP_COLUMNS; c++) {
    for (int p = 0; p < positions; p++) {
      const int word = pack_igetw(f);  // EOF (-1) once the file has run out
      if (word < 0 || word >= MAP_TILES) {
        ok = false;
        break;
      }
      map_data[first_position + p][c] = word;
    }
  }
  pack_fclose(f);
  return ok;
}

bool write_map_file(const char *name, int first_position, int positions) {
  PACKFILE *f = pack_fopen(name, F_WRITE_PACKED);
  if (!f) return false;
  for (int c = 0; c < MAP_COLUMNS; c++)
    for (int p = 0; p < positions; p++) pack_iputw(map_data[first_position + p][c], f);
  return pack_fclose(f) == 0;
}

void load_map_data() {
  if (!read_map_file(FIRST_MAP_FILE, 0, FIRST_HALF_POSITIONS)) {
    printf("Could not read file: %s\n", FIRST_MAP_FILE);
    main_exit(EXIT_FATAL);
  }
  if (!read_map_file(SECOND_MAP_FILE, FIRST_HALF_POSITIONS, SECOND_HALF_POSITIONS)) {
    printf("Could not read file: %s\n", SECOND_MAP_FILE);
    main_exit(EXIT_FATAL);
  }
}
