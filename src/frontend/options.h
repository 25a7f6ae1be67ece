// Display and play options: turning the option values into the switches
// the rest of the game reads.
#pragma once

// Time regulation methods (values of regulate_method).
constexpr int REGULATE_TIME_DIFFERENCE = 0;
constexpr int REGULATE_TIMER_NO_VSYNC = 1;
constexpr int REGULATE_TIMER_AND_VSYNC = 2;
constexpr int REGULATE_SCREEN_HZ = 3;
constexpr int REGULATE_PRETEND_75HZ = 4;  // no menu entry

// 75 calls a second in the library's 1193181 Hz timer units.
constexpr long GAME_TICK_PERIOD = 15909;

// Sets bulletshadows and reverse_logic from the Options toggles and the
// regulation switches from regulate_method, starting or stopping the
// 75 Hz tick timer as needed.
void set_opts_switches();

// The library's timer calls, through pointers: the headless tests have no
// timer to install.
extern int (*install_tick_timer)(void (*callback)(), long period);
extern void (*remove_tick_timer)(void (*callback)());

// The window/full-screen switch: -1 when it last went full screen.
extern int infullscreen;
// Colour depth in use when the switch was last used in each state; -1 none.
extern int last_bpp_in_fullscreen;
extern int last_bpp_in_windowed;

// The window is always this size; full screen from a narrow window opens
// the wide size.
constexpr int SWITCH_WINDOW_W = 448;
constexpr int SWITCH_WINDOW_H = 512;
constexpr int SWITCH_FULLSCREEN_W = 640;
constexpr int SWITCH_FULLSCREEN_H = 480;
constexpr int SWITCH_REFRESH = 75;

// Switches between a window and full screen, keeping the play in place.
void change_fullscreen();
// The full-screen flag and the main menu's toggle from the mode the library
// actually opened: at start-up (a saved full-screen mode) and after a switch
// that fell back.
void follow_open_mode();
