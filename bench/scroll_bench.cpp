// Measures one frame of the scrolling floor: the scroll step, the copy of
// the floor window into the frame and the present by double buffering into
// memory (the "screen" is a second memory bitmap). Runs headless, with the
// floor and the tiles in memory.
#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "display/gfx.h"
#include "game/play.h"
#include "world/state.h"
#include "render/background.h"
#include "shell/datafile_index.h"
#include "world/map_data.h"

namespace {

constexpr int WARM_UP_FRAMES = 200;
constexpr int MEASURED_FRAMES = 2000;
constexpr float SPEED = 2.0f;  // units per frame

using bench_clock = std::chrono::steady_clock;

double ms(bench_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The value below which `share` of the samples lie.
double percentile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(share * (v.size() - 1))];
}

// The level's map when its files are there, otherwise a tile pattern of
// the same size, so the cost is the same.
bool load_map(const std::string &dir) {
  bool real = read_map_file((dir + "/" + FIRST_MAP_FILE).c_str(), 0, FIRST_HALF_POSITIONS) &&
              read_map_file((dir + "/" + SECOND_MAP_FILE).c_str(), FIRST_HALF_POSITIONS,
                            SECOND_HALF_POSITIONS);
  if (!real)
    for (int p = 0; p < MAP_POSITIONS; p++)
      for (int c = 0; c < MAP_COLUMNS; c++) map_data[p][c] = (p * 7 + c * 13) % MAP_TILES;
  return real;
}

void restart() {
  range_index = DEMO_START_STRETCH;
  scrollpos = DEMO_START_SCROLL;
  draw_all_background();
}

void run(BITMAP *sheet, int w, int h, int depth) {
  set_color_depth(depth);
  set_screen_geometry(w, h);
  // As in the game: the sheet itself in 8 bits, a copy in the screen's
  // depth above.
  tileset = sheet;
  if (depth != bitmap_color_depth(sheet)) {
    tileset = create_bitmap(sheet->w, sheet->h);
    blit(sheet, tileset, 0, 0, 0, 0, sheet->w, sheet->h);
  }
  init_tileset();
  background = create_bitmap(w + 32, h + 16);
  BITMAP *frame = create_bitmap(w, h);
  BITMAP *shown = create_bitmap(w, h);
  clear_bitmap(background);
  start_next_round = restart;
  restart();

  std::vector<double> frame_ms, copies_ms;
  for (int i = 0; i < WARM_UP_FRAMES + MEASURED_FRAMES; i++) {
    auto t0 = bench_clock::now();
    scroll_background2(SPEED);
    auto t1 = bench_clock::now();
    blit(background, frame, scroll_offset, 8 - scroll_offset / 2, 0, 0, w, h);
    blit(frame, shown, 0, 0, 0, 0, w, h);
    auto t2 = bench_clock::now();
    if (i >= WARM_UP_FRAMES) {
      frame_ms.push_back(ms(t2 - t0));
      copies_ms.push_back(ms(t2 - t1));
    }
  }
  double frame_median = percentile(frame_ms, 0.5);
  double copies_median = percentile(copies_ms, 0.5);
  printf("%4d x %-4d %2d-bit  frame median %.4f  99%% %.4f  worst %.4f ms  "
         "copies median %.4f ms  ratio %.2f\n",
         w, h, depth, frame_median, percentile(frame_ms, 0.99), percentile(frame_ms, 1.0),
         copies_median, frame_median / copies_median);
  destroy_bitmap(shown);
  destroy_bitmap(frame);
  destroy_bitmap(background);
  background = nullptr;
  release_tiles();
  if (tileset != sheet) destroy_bitmap(tileset);
  tileset = nullptr;
}

}  // namespace

int main(int argc, char **argv) {
  std::string dir = argc > 1 ? argv[1] : ".";
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_conversion(COLORCONV_NONE);
  DATAFILE *kestal = load_datafile((dir + "/kestal.dat").c_str());
  DATAFILE *borlin = load_datafile((dir + "/borlin.dat").c_str());
  if (!kestal || !borlin) {
    printf("No borlin.dat or kestal.dat in %s\n", dir.c_str());
    return 1;
  }
  set_palette(static_cast<RGB *>(borlin[BORLIN_DEMO_PALETTE].dat));
  BITMAP *sheet = static_cast<BITMAP *>(kestal[KESTAL_TILE_SHEET].dat);
  printf("%s map; %d warm-up and %d measured frames at %.1f units a frame\n",
         load_map(dir) ? "level" : "synthetic", WARM_UP_FRAMES, MEASURED_FRAMES, SPEED);
  for (int depth : {8, 32}) {
    run(sheet, 640, 480, depth);
    run(sheet, 448, 512, depth);
  }
  return 0;
}
