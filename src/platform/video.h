// The graphics library as this platform offers it.
#pragma once

struct RGB;

// Driver ids are four characters packed big-endian.
constexpr int driver_id(char a, char b, char c, char d) {
  return (a << 24) | (b << 16) | (c << 8) | d;
}

// X11 has one windowed and one full-screen driver. They take the roles
// that the window and full-screen drivers play on Windows: which ids count
// as windowed, and which pairs the window/full-screen switch alternates.
constexpr int WINDOW_DRIVER = driver_id('X', 'W', 'I', 'N');
constexpr int FULLSCREEN_DRIVER = driver_id('X', 'W', 'F', 'S');

// In 8-bit X11 modes set_palette() waits for the simulated retrace (about
// 26 ms); the game switches palettes with this instead, which does not wait.
void set_whole_palette(const RGB *pal);

// Puts the library's pixel layouts of the truecolour depths back to its
// own defaults. Under X11 a truecolour mode sets them to its screen's
// order and nothing sets them back, and an 8-bit mode on a truecolour
// screen shows its palette through the 32-bit one: after a 32-bit mode on
// an RGB screen red and blue trade places.
void default_pixel_layouts();

// The two library calls of the mode set-up that cannot be exercised without
// a display (any mode opens under Xvfb, and the message box blocks): tests
// point these at their own.
extern int (*gfx_mode_call)(int card, int w, int h, int v_w, int v_h);
extern void (*message_call)(const char *text);
