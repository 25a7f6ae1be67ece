// The display lists of the Advanced menu: graphics driver and resolution,
// colour depth, refresh rate, screen update method and time regulation.
// Every change of mode restarts the demo behind the menu.
#pragma once

#include "display/frame.h"
#include "frontend/menu_engine.h"

struct GFX_MODE_LIST;

// The Advanced menu: one item per display list, then back.
constexpr int ADVANCED_ITEMS = 6;
extern menu_item myadvanced[ADVANCED_ITEMS];

// Screen update methods, by updatemethod (display's METHOD_NAMES).
extern menu_item mymethods[METHOD_COUNT + 1];

// Time regulation methods, by regulate_method (display's REGULATOR_NAMES).
extern menu_item myregulators[REGULATOR_COUNT + 1];

// Refresh rates to request; hz_list holds the rate of each entry.
constexpr int REFRESH_RATE_COUNT = 9;
extern menu_item myrefreshrates[REFRESH_RATE_COUNT + 1];
extern const int hz_list[REFRESH_RATE_COUNT];

// Colour depths, the depth in each value; entry 0 takes the desktop's
// depth when the list opens.
constexpr int BPP_DESKTOP = 0;
constexpr int BPP_COUNT = 6;
extern menu_item mybpps[BPP_COUNT + 1];

// The Advanced menu and its lists.
void do_advanced_menu();

// The driver list: one choice per driver the library offers, then "Back".
constexpr int MAX_MENU_DRIVERS = 9;
extern menu_item mydrivers[MAX_MENU_DRIVERS + 1];
extern int my_gfx_driver[MAX_MENU_DRIVERS];  // the listed drivers' ids, in list order
extern int driver_count;

// The resolutions of the driver being chosen, then "Back"; gmodes holds
// the size behind each item and res_count how many items there are.
constexpr int MAX_RESOLUTIONS = 9;
constexpr int RES_CAPTION_SIZE = 25;
constexpr int MAX_RES_WIDTH = 800;  // wider modes are not offered
struct screen_size {
  int w, h;
};
extern menu_item myresolutions[MAX_RESOLUTIONS + 1];
extern screen_size gmodes[MAX_RESOLUTIONS];
extern int res_count;

// The sizes offered when a driver lists none of its own.
constexpr int FIXED_RES_COUNT = 6;
extern const screen_size fixed_resolutions[FIXED_RES_COUNT];

extern int menu_driver;  // index into mydrivers of the driver being chosen
extern int menu_res;     // index into myresolutions chosen last; -1 after "Back"

// The menus restart the demo after every change of mode through this:
// init_demo_game, or in tests their own.
extern void (*restart_demo)();

// Once at start-up: the driver list from the library, and the resolution
// list's caption buffers.
void get_gfx_drivers();

// The resolutions of driver `menu_driver` at the current depth; the fixed
// sizes when the driver lists none that fit.
void get_res_list();
// The walk of a driver's own list: from its last entry back, at most
// MAX_RESOLUTIONS sizes no wider than MAX_RES_WIDTH at `depth`, each
// differing in width and height from the one taken before. Returns the
// count taken (items 0..count-1, "Back" after them).
int take_resolutions(const GFX_MODE_LIST *list, int depth);

// The pages a screen update method uses; methods with the same count can be
// exchanged without a new mode.
int num_pages(int method);

void do_drivers_menu();
void do_res_menu();
void do_bpp_menu();
void do_refresh_menu();
void do_methods_menu();
void do_regulate_menu();
