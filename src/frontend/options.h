// Display and play options: turning the option values into the switches
// the rest of the game reads.
#pragma once

// Sets bulletshadows and reverse_logic from the Options toggles, and the
// regulation switches (apply_regulation).
void set_opts_switches();

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
