// Frame presentation and time regulation: the bitmaps every frame is drawn
// into and shown from, and the clock that says how much game time a frame
// stands for (in ticks of 1/75 s).
#pragma once

#include <atomic>

struct BITMAP;

// Screen update methods (values of updatemethod).
constexpr int METHOD_TRIPLE_BUFFER = 0;
constexpr int METHOD_PAGE_FLIPPING = 1;
constexpr int METHOD_DOUBLE_BUFFER = 2;
constexpr int METHOD_SYSTEM_DOUBLE_BUFFER = 3;  // no menu entry; shown like 2

constexpr int PAGE_COUNT = 3;

extern int updatemethod;
extern BITMAP *pages[PAGE_COUNT];
extern BITMAP *currentbuffer;  // all drawing of the frame goes here
extern BITMAP *currentscreen;  // the bitmap being displayed

extern int hz;  // refresh rate the game runs against; set with each mode

// Shared with the library's timer thread, hence atomic.
extern std::atomic<int> fps_now;     // frames presented since the last second
extern std::atomic<int> fps_save;    // the previous second's frame count
extern std::atomic<int> game_ticks;  // 75 Hz ticks not yet taken by a frame

// Timer callbacks: once a second, and 75 times a second while a timer-based
// regulation method is chosen.
void fps_saver();
constexpr long FPS_SAVER_PERIOD = 1193181;  // a second in timer units
void inc_game_ticks();

// Time regulation methods (values of regulate_method).
constexpr int REGULATE_TIME_DIFFERENCE = 0;
constexpr int REGULATE_TIMER_NO_VSYNC = 1;
constexpr int REGULATE_TIMER_AND_VSYNC = 2;
constexpr int REGULATE_SCREEN_HZ = 3;
constexpr int REGULATE_PRETEND_75HZ = 4;  // no menu entry

// The names of the update methods and of the regulation methods, as the
// menus and the information display show them.
constexpr int METHOD_COUNT = 3;
constexpr const char *METHOD_NAMES[METHOD_COUNT] = {"Triple Buffer", "Page Flipping",
                                                    "Double Buffer"};
constexpr int REGULATOR_COUNT = 4;
constexpr const char *REGULATOR_NAMES[REGULATOR_COUNT] = {"Time Difference", "Timer no Vsync",
                                                          "Timer and Vsync", "Game=Screen Hz"};
// The name of a method by number, or "" for one without a name.
const char *update_method_name(int method);
const char *regulator_name(int method);

// 75 calls a second in the library's 1193181 Hz timer units.
constexpr long GAME_TICK_PERIOD = 15909;

// The library's timer calls, through pointers: the headless tests have no
// timer to install.
extern int (*install_tick_timer)(void (*callback)(), long period);
extern void (*remove_tick_timer)(void (*callback)());

// Sets the regulation switches (usetimer, waitforvsync, pretend_75hz) from
// regulate_method, starting or stopping the 75 Hz tick timer as needed.
void apply_regulation();
// Chooses regulation method `method` and applies it.
void set_regulation(int method);
// Another update method over the same pages: nothing to make again.
void switch_update_method(int method);

extern int regulate_method;
extern int usetimer;      // -1: frames are measured by the 75 Hz tick counter
extern int waitforvsync;  // non-zero: double buffering waits for the retrace
extern int pretend_75hz;  // -1: every frame is one tick

// Clock readings in 0.1 ms: first_time is absolute (0 = none since the last
// reset), the others count from it.
extern int first_time;
extern int this_time;
extern int last_time;
extern float time_unit;  // length of the last frame in ticks
extern float game_time;  // ticks since the last reset
extern int frames_drawn;

// Returns the method that worked (also left in updatemethod) or -1.
int init_bitmaps(int method);
void destroy_blit_bitmaps();
void BeginDrawing();
void EndDrawing();
int my_time();
void reset_timing();
