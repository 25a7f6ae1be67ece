// Frame presentation and time regulation: the bitmaps every frame is drawn
// into and shown from, and the clock that says how much game time a frame
// stands for (in ticks of 1/75 s).
#pragma once

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
void show_time_info(int x, int y);
