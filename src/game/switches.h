// The switches of the function keys, the same in play, in the menus and in
// the score table, and the window/full-screen switch that keeps the play in
// place. The flags are world state (world/state.h); after start-up only
// these write them, and the menus show them through getters.
#pragma once

#include "display/gfx.h"

// F1 the information overlay, F2 fancy or fast shadows, F3 the sprite-map
// views, F4 the reversed altitude controls, F5 the window/full-screen switch.
void function_key(int key_code);

// Shadows: -1 fancy, 0 fast.
void set_shadows(int flag);
// The altitude controls: -1 reversed, 0 as they are.
void set_reverse_alt(int on);
int reverse_alt_on();

// The window/full-screen switch: -1 when it last went full screen.
extern int infullscreen;
// Colour depth in use when the switch was last used in each state; -1 none.
extern int last_bpp_in_fullscreen;
extern int last_bpp_in_windowed;

// The window is always this size; full screen from a narrow window opens
// the wide size.
constexpr int SWITCH_WINDOW_W = DEFAULT_W;
constexpr int SWITCH_WINDOW_H = DEFAULT_H;
constexpr int SWITCH_FULLSCREEN_W = 640;
constexpr int SWITCH_FULLSCREEN_H = 480;
constexpr int SWITCH_REFRESH = DEFAULT_HZ;

// Switches between a window and full screen, keeping the play in place.
void change_fullscreen();
// The full-screen flag (which the main menu's toggle shows) from the mode the library
// actually opened: at start-up (a saved full-screen mode) and after a switch
// that fell back.
void follow_open_mode();
