#include "display/frame.h"

#include <allegro.h>

#include <cstdint>

#include "platform/clock.h"

int updatemethod = METHOD_TRIPLE_BUFFER;
BITMAP *pages[PAGE_COUNT] = {nullptr, nullptr, nullptr};
BITMAP *currentbuffer = nullptr;
BITMAP *currentscreen = nullptr;

int regulate_method = 0;
int usetimer = 0;
int waitforvsync = 1;
int pretend_75hz = 0;

int hz = 0;

std::atomic<int> fps_now{0};
std::atomic<int> fps_save{0};
std::atomic<int> game_ticks{0};

int (*install_tick_timer)(void (*)(), long) = install_int_ex;
void (*remove_tick_timer)(void (*)()) = remove_int;

int first_time = 0;
int this_time = 0;
int last_time = 0;
float time_unit = 1.0f;
float game_time = 0;
int frames_drawn = 0;

namespace {

constexpr float TICKS_PER_SECOND = 75.0f;
constexpr double CLOCK_UNIT_SECONDS = 0.0001;
constexpr float SNAP_LOW = 0.92f;   // refreshes; exclusive bounds
constexpr float SNAP_HIGH = 1.08f;
constexpr float MAX_SKIP_REFRESHES_IN_TICKS = 187.5f;  // 2.5 refreshes x 75
constexpr float STALL_TICKS = 20.0f;
constexpr int FLIP_FAILED_COLOUR = 13;

struct regulation_switches {
  int usetimer;
  int waitforvsync;
  int pretend_75hz;
};

// By regulate_method; any other value sets nothing.
constexpr regulation_switches REGULATION_TABLE[] = {
    {0, 0, 0},   // "Time Difference"
    {-1, 0, 0},  // "Timer no Vsync"
    {-1, 1, 0},  // "Timer and Vsync"
    {0, 1, 0},   // "Game=Screen Hz"
    {0, 1, -1},  // every frame one tick
};
constexpr int REGULATION_COUNT = sizeof REGULATION_TABLE / sizeof REGULATION_TABLE[0];

// The absolute clock in 0.1 ms, cut to 32 bits as the game keeps it.
int clock_reading() { return static_cast<int>(static_cast<uint32_t>(clock_source())); }

int clock_since_first() {
  int now = clock_reading();
  if (first_time == 0) {
    first_time = now;
    return 0;
  }
  return static_cast<int>(static_cast<uint32_t>(now) - static_cast<uint32_t>(first_time));
}

void destroy_and_clear(BITMAP *&b) {
  if (b) destroy_bitmap(b);
  b = nullptr;
}

// Creates `count` video pages; on any failure none is kept.
bool make_video_pages(int count) {
  bool all = true;
  for (int i = 0; i < count; i++) {
    pages[i] = create_video_bitmap(SCREEN_W, SCREEN_H);
    if (!pages[i]) all = false;
  }
  if (all) {
    for (int i = 0; i < count; i++) clear_bitmap(pages[i]);
    return true;
  }
  for (int i = 0; i < count; i++) destroy_and_clear(pages[i]);
  return false;
}

int make_double_buffer(int method) {
  updatemethod = method;
  currentbuffer = method == METHOD_SYSTEM_DOUBLE_BUFFER ? create_system_bitmap(SCREEN_W, SCREEN_H)
                                                        : create_bitmap(SCREEN_W, SCREEN_H);
  if (!currentbuffer) return -1;
  currentscreen = create_video_bitmap(SCREEN_W, SCREEN_H);
  if (!currentscreen) {
    destroy_and_clear(currentbuffer);
    return -1;
  }
  clear_bitmap(currentbuffer);
  clear_bitmap(currentscreen);
  show_video_bitmap(currentscreen);
  return method;
}

void show_frame() {
  switch (updatemethod) {
    case METHOD_TRIPLE_BUFFER:
      release_bitmap(currentbuffer);
      while (poll_scroll()) {
      }
      currentscreen = currentbuffer;
      request_video_bitmap(currentbuffer);
      if (currentbuffer == pages[0])
        currentbuffer = pages[1];
      else if (currentbuffer == pages[1])
        currentbuffer = pages[2];
      else
        currentbuffer = pages[0];
      break;
    case METHOD_PAGE_FLIPPING:
      release_bitmap(currentbuffer);
      currentscreen = currentbuffer;
      // The flip waits for the retrace on a real display.
      retrace_wait(hz);
      if (show_video_bitmap(currentbuffer) != 0)
        textprintf_ex(currentbuffer, font, 200, 0, FLIP_FAILED_COLOUR, -1, "flip failed");
      currentbuffer = currentbuffer == pages[0] ? pages[1] : pages[0];
      break;
    case METHOD_DOUBLE_BUFFER:
    case METHOD_SYSTEM_DOUBLE_BUFFER:
      if (waitforvsync) retrace_wait(hz);
      acquire_bitmap(currentscreen);
      blit(currentbuffer, currentscreen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
      release_bitmap(currentscreen);
      break;
    default:
      break;
  }
}

}  // namespace

int init_bitmaps(int method) {
  updatemethod = method;
  switch (method) {
    case METHOD_TRIPLE_BUFFER:
      if (!(gfx_capabilities & GFX_CAN_TRIPLE_BUFFER)) enable_triple_buffer();
      if ((gfx_capabilities & GFX_CAN_TRIPLE_BUFFER) && make_video_pages(3)) {
        currentbuffer = pages[0];
        currentscreen = pages[2];
        show_video_bitmap(pages[2]);
        return METHOD_TRIPLE_BUFFER;
      }
      [[fallthrough]];
    case METHOD_PAGE_FLIPPING:
      updatemethod = METHOD_PAGE_FLIPPING;
      if (make_video_pages(2)) {
        currentbuffer = pages[0];
        currentscreen = pages[1];
        show_video_bitmap(pages[1]);
        return METHOD_PAGE_FLIPPING;
      }
      [[fallthrough]];
    case METHOD_DOUBLE_BUFFER:
      return make_double_buffer(METHOD_DOUBLE_BUFFER);
    case METHOD_SYSTEM_DOUBLE_BUFFER:
      return make_double_buffer(METHOD_SYSTEM_DOUBLE_BUFFER);
    default:
      return -1;
  }
}

void destroy_blit_bitmaps() {
  switch (updatemethod) {
    case METHOD_TRIPLE_BUFFER:
      for (BITMAP *&p : pages) destroy_and_clear(p);
      break;
    case METHOD_PAGE_FLIPPING:
    case 4:  // 4 to 7: two-page methods that no menu offers
    case 5:
    case 6:
    case 7:
      destroy_and_clear(pages[0]);
      destroy_and_clear(pages[1]);
      break;
    case METHOD_DOUBLE_BUFFER:
    case METHOD_SYSTEM_DOUBLE_BUFFER:
      destroy_and_clear(currentbuffer);
      destroy_and_clear(currentscreen);
      break;
    default:
      destroy_and_clear(currentbuffer);
      break;
  }
  currentbuffer = nullptr;
  currentscreen = nullptr;
}

void BeginDrawing() {
  if (updatemethod == METHOD_TRIPLE_BUFFER || updatemethod == METHOD_PAGE_FLIPPING)
    acquire_bitmap(currentbuffer);
}

void EndDrawing() {
  static float max_frame_skip = 2.5f;

  fps_now++;
  show_frame();

  if (usetimer == -1) {
    while (game_ticks.load() == 0) {
    }
  }
  this_time = clock_since_first();

  if (usetimer == -1) {
    time_unit = static_cast<float>(game_ticks.exchange(0));
  } else if (pretend_75hz == -1) {
    time_unit = 1.0f;
  } else {
    // A backward clock step wraps to a huge value, which the stall rule catches.
    uint32_t d = (static_cast<uint32_t>(this_time) - static_cast<uint32_t>(last_time)) * 75u;
    // In double and rounded once: single precision makes a frame of exactly
    // 1.08 refreshes (144 units at 75 Hz) come out a hair short and snap.
    const double ticks = static_cast<double>(d) * CLOCK_UNIT_SECONDS;
    time_unit = static_cast<float>(ticks);
    const float refreshes = static_cast<float>(ticks * hz / TICKS_PER_SECOND);
    if (refreshes > SNAP_LOW && refreshes < SNAP_HIGH) time_unit = TICKS_PER_SECOND / hz;
  }

  if (frames_drawn == 0) max_frame_skip = MAX_SKIP_REFRESHES_IN_TICKS / hz;
  if (time_unit > STALL_TICKS)
    time_unit = 1.0f;
  else if (time_unit > max_frame_skip)
    time_unit = max_frame_skip;

  game_time += time_unit;
  last_time = this_time;
  frames_drawn++;
}

int my_time() { return clock_since_first(); }

void reset_timing() {
  game_time = 0;
  frames_drawn = 0;
  retrace_wait(hz);
  first_time = 0;
  last_time = clock_since_first();
  // The first world step after a restart runs before EndDrawing reads the
  // clock again: it must see the new clock, not the old one's last reading,
  // or an enemy shot then would stamp a time the new clock takes as long to
  // reach as the old one had run.
  this_time = last_time;
  time_unit = 1.0f;
}

void fps_saver() {
  fps_save = fps_now.load();
  fps_now = 0;
}

void inc_game_ticks() { game_ticks++; }

const char *update_method_name(int method) {
  return method >= 0 && method < METHOD_COUNT ? METHOD_NAMES[method] : "";
}

const char *regulator_name(int method) {
  return method >= 0 && method < REGULATOR_COUNT ? REGULATOR_NAMES[method] : "";
}

void apply_regulation() {
  if (usetimer == -1) remove_tick_timer(inc_game_ticks);
  waitforvsync = 0;
  usetimer = 0;
  pretend_75hz = 0;
  if (regulate_method >= 0 && regulate_method < REGULATION_COUNT) {
    const regulation_switches &s = REGULATION_TABLE[regulate_method];
    usetimer = s.usetimer;
    waitforvsync = s.waitforvsync;
    pretend_75hz = s.pretend_75hz;
  }
  if (usetimer == -1) install_tick_timer(inc_game_ticks, GAME_TICK_PERIOD);
}

void set_regulation(int method) {
  regulate_method = method;
  apply_regulation();
}

void switch_update_method(int method) { updatemethod = method; }
