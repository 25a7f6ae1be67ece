// Measures whole frames: the scroll step, the placed objects of a fortress
// view queued and drawn against the sprite map, 20 moving objects with
// fancy shadows, 60 live animations, the HUD, and the present by double
// buffering into memory. Beside it, in the same run, the two full-frame
// copies every frame needs (floor window in, frame out). Headless.
#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "game/ground_enemies.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "render/background.h"
#include "render/screen.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

namespace {

constexpr int WARM_UP_FRAMES = 200;
constexpr int MEASURED_FRAMES = 2000;
constexpr float SPEED = 2.0f;
constexpr int FORTRESS_STRETCH = 1;
constexpr float FORTRESS_SCROLL = 8 * 60;
constexpr int MOVING_OBJECTS = 20;
constexpr int ANIMATIONS = 60;

using bench_clock = std::chrono::steady_clock;
double ms(bench_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// This thread's processor time: unlike the wall clock, it leaves out the
// time other processes held the processor, which dominates a busy machine.
double cpu_ms() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double percentile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(share * (v.size() - 1))];
}

GFX_DRIVER headless_driver;  // only its size: SCREEN_W and SCREEN_H read it
int colours[256];

void use_palette(int depth) {
  const RGB *pal = static_cast<RGB *>(commondata[BORLIN_NORMAL_PALETTE].dat);
  for (int i = 0; i < 256; i++)
    colours[i] = depth == 8 ? i
                            : makecol_depth(depth, pal[i].r * 255 / 63, pal[i].g * 255 / 63,
                                            pal[i].b * 255 / 63);
  palette_color = colours;
}

// A new position at the fortress's start: an even whole scroll, the sprite
// map emptied and the floor drawn afresh.
void start_at(int stretch, float scroll) {
  range_index = stretch;
  scrollpos = static_cast<float>(static_cast<int>(scroll) & ~1);
  logicpos = 0;
  clear_contours();
  for (int i = 0; i < total_enemies; i++) enemy_map[i]->on_screen = 0;
  draw_all_background();
}

void start_animations() {
  clear_animations();
  for (int i = 0; i < ANIMATIONS; i++) {
    const int type = i % 3 == 0 ? ANIM_EXPLOSION_MEDIUM
                     : i % 3 == 1 ? ANIM_EXPLOSION_SMALL
                                  : ANIM_STAR_FIRST + i % 5;
    add_animation(type, (i * 97) % SCREEN_W, (i * 53) % SCREEN_H, -1, i % 40, 0, 0, 0, 1 << 20);
  }
}

// The ship and its shots and the enemies' shots, spread over the view.
void queue_moving_objects(int frame) {
  BITMAP *ship_shadow = datafile_bitmap(commondata, BORLIN_SHIP_MIDDLE_SHADOW);
  add_screen_object(shipmiddle, -1, 0, nullptr, ship_shadow, SCREEN_W / 3, ystart + 200, 0, 40,
                    -1, 0, 0);
  for (int i = 1; i < MOVING_OBJECTS; i++) {
    BITMAP *b = i % 2 ? ship_bullet : enemy_bullet;
    const float x = (i * 131 + frame * 4) % SCREEN_W;
    const float y = ystart + (i * 37) % 220;
    add_screen_object(b, -1, 0, nullptr, b, x, y, -1, 10 + i * 3, -1, 0, 0);
  }
}

void run(int w, int h, int depth) {
  headless_driver.w = w;
  headless_driver.h = h;
  gfx_driver = &headless_driver;
  set_color_depth(depth);
  bpp = depth;
  set_screen_geometry(w, h);
  use_palette(depth);
  // The floor bitmaps as the game makes them for a memory-buffered mode.
  updatemethod = METHOD_DOUBLE_BUFFER;
  make_game_video_bitmaps();
  currentbuffer = create_bitmap(w, h);
  BITMAP *shown = create_bitmap(w, h);
  start_next_round = nullptr;
  start_at(FORTRESS_STRETCH, FORTRESS_SCROLL);
  start_animations();
  current_player = &player1;
  player1.lives = 3;
  player1.round = 1;
  fuel = 256;
  bulletshadows = -1;

  std::vector<double> frame_ms, copies_ms, cpu_frame_ms;
  int objects = 0;
  for (int i = 0; i < WARM_UP_FRAMES + MEASURED_FRAMES; i++) {
    if (scrollpos > 8 * 400) {  // back to the fortress's start, as a new position
      start_at(FORTRESS_STRETCH, FORTRESS_SCROLL);
      start_animations();
    }
    const double c0 = cpu_ms();
    auto t0 = bench_clock::now();
    scroll_background2(SPEED);
    enemy_logic();  // the placed enemies, as the world step queues them
    queue_moving_objects(i);
    draw_anims();  // the world step's own pass
    objects = total_static_objects + total_dynamic_objects;
    draw_screen();
    blit(currentbuffer, shown, 0, 0, 0, 0, w, h);
    auto t1 = bench_clock::now();
    const double c1 = cpu_ms();
    // The unavoidable part alone: the floor window in and the frame out.
    blit(background, currentbuffer, scroll_offset, 8 - scroll_offset / 2, 0, 0, w, h);
    blit(currentbuffer, shown, 0, 0, 0, 0, w, h);
    auto t2 = bench_clock::now();
    if (i >= WARM_UP_FRAMES) {
      frame_ms.push_back(ms(t1 - t0));
      copies_ms.push_back(ms(t2 - t1));
      cpu_frame_ms.push_back(c1 - c0);
    }
  }
  printf("| %4d x %-4d | %2d | %7.3f | %7.3f | %7.3f | %7.3f | %7.3f | %7.3f | %4d |\n", w, h,
         depth, percentile(frame_ms, 0.5), percentile(frame_ms, 0.99),
         percentile(cpu_frame_ms, 0.5), percentile(cpu_frame_ms, 0.99),
         percentile(copies_ms, 0.5), percentile(copies_ms, 0.99), objects + ANIMATIONS);  // the frame queues them again
  destroy_bitmap(shown);
  destroy_bitmap(currentbuffer);
  currentbuffer = nullptr;
  destroy_game_video_bitmaps();
  gfx_driver = nullptr;
}

}  // namespace

int main(int argc, char **argv) {
  std::string dir = argc > 1 ? argv[1] : ".";
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  if (chdir(dir.c_str()) != 0) return 1;
  set_color_conversion(COLORCONV_NONE);
  data = load_datafile("kestal.dat");
  commondata = load_datafile("borlin.dat");
  if (!data || !commondata) {
    printf("No borlin.dat or kestal.dat in %s\n", dir.c_str());
    return 1;
  }
  load_map_data();
  generate_anims();
  init_enemy_type_list();
  printf("Fortress 1, %d warm-up and %d measured frames; %d moving objects with shadows, "
         "%d animations (queued twice)\n\n",
         WARM_UP_FRAMES, MEASURED_FRAMES, MOVING_OBJECTS, ANIMATIONS);
  printf("| screen | bits | frame median | frame 99%% | cpu median | cpu 99%% | copies median | "
         "copies 99%% | objects |\n|---|---|---|---|---|---|---|---|---|\n");
  for (int depth : {8, 32}) {
    run(640, 480, depth);
    run(448, 512, depth);
  }
  return 0;
}
