// Graphics modes: opening them with fallbacks, the state of the mode in
// use, and the game's bitmaps that depend on it.
#pragma once

struct BITMAP;

extern int gr_driver;  // driver id of the current mode
// The last mode that was set; good_w > 0 once there is one.
extern int good_driver, good_w, good_h, good_bpp;
// Colour depth of the screen after the last successful mode set; 0 while
// no mode has been set (the settings file may preload the wanted depth).
extern int bpp;
extern int desktop_bpp;     // 0 until fetched, or when the platform cannot tell
extern int hz_is_reliable;  // -1 when the driver reported hz, 0 when it is assumed

constexpr int WINTITLE_SIZE = 80;
constexpr int DRIVERBUF_SIZE = 16;
extern char wintitle[WINTITLE_SIZE];
extern char driverbuf[DRIVERBUF_SIZE];      // driver of the title
extern char tmp_driverbuf[DRIVERBUF_SIZE];  // driver of the last failure

// Screen geometry for the renderer, derived after every mode set.
extern int big_screen_w;   // width of `background`
extern int lcorner;        // 36 on a wide screen, else 16
extern int ystart;         // row of `background` where strip column 0 meets the left edge
extern int screen_tile_w;  // size of `background` in tiles
extern int screen_tile_h;

// The refresh rate assumed when the driver reports none.
constexpr int ASSUMED_HZ = 60;

// The default request: a 448 x 512 window at the desktop's depth.
constexpr int DEFAULT_W = 448;
constexpr int DEFAULT_H = 512;
constexpr int DEFAULT_HZ = 75;

// -1 for a driver that opens a window, else 0.
int is_driver_windowed(int driver);

// One attempt at one mode: -1 on success, 0 on failure (after a message).
int set_gfx(int driver, int w, int h, int depth, int refresh);

// Sets a mode with the whole fallback chain and finishes the set-up;
// returns -1, or leaves the program when no mode at all can be set.
int init_graphics(int driver, int w, int h, int depth, int refresh, int update_method);

// The settings' wanted depth, before the first mode: init_graphics then
// tries the requested mode first.
void request_depth(int depth);

void set_default_gfx();

// The palette in force: an index into borlin.dat.
extern int current_pal;

// Shows the palette numbered `current_pal` of borlin.dat.
void set_current_palette();
// Makes `palette` the one in force and shows it at once, converting
// nothing again: for the palettes that differ from the one in force only in
// entries that no converted graphics (tiles, video copies) use, the planes'
// livery of the loop waves and the boss's ramp of its flash. Every other
// change goes through my_set_pallete (render/palette.h).
void show_palette(int palette);

// What depends on the mode belongs to its owners: the bitmaps to those who
// draw them, the window/full-screen state to its switch. Each registers how
// to make it and how to release it (null: nothing to release), once, at
// start; every change of mode releases them all, newest first, before and
// makes them after, in order. Returns true, for a registration at static
// initialisation.
bool register_mode_dependent(void (*make)(), void (*release)());
void make_mode_dependents();
void release_mode_dependents();

// The display's part of the way out: stops the timers and releases the
// presentation and mode bitmaps.
void release_display();
int change_graphics_mode(int driver, int w, int h, int depth, int refresh, int update_method);

// The renderer's geometry for a W x H screen.
void set_screen_geometry(int w, int h);
