// The menus: the record every menu is made of, its tables, and the engine
// that runs any of them over the demo game.
#pragma once

#include "display/frame.h"

struct BITMAP;

// What selecting an item does.
constexpr int MENU_ACTION = 1;  // runs the handler; the menu stays
constexpr int MENU_BACK = 2;    // ends a table; leaves the menu
constexpr int MENU_TOGGLE = 4;  // flips value between -1 and 0, then runs the handler
constexpr int MENU_CHOICE = 5;  // leaves the menu with the item's index

constexpr int MAX_MENU_ITEMS = 20;  // including the back item

struct menu_item {
  int value;             // toggle: -1 shows text, 0 alt_text; choice: owner's number
  int kind;
  const char *text;
  const char *alt_text;  // second caption of a toggle
  void (*handler)();
};

// What one poll of the menu input ends in, besides a chosen index.
constexpr int MENU_GOES_ON = -2;
constexpr int MENU_LEFT = -1;

// The main menu.
constexpr int MAIN_PLAY = 0;
constexpr int MAIN_OPTIONS = 1;
constexpr int MAIN_FULLSCREEN = 2;
constexpr int MAIN_HI_SCORES = 3;
constexpr int MAIN_ITEMS = 5;
extern menu_item mymain[MAIN_ITEMS];

// The Options menu; its two toggles hold the play options that
// set_opts_switches turns into switches.
constexpr int OPTS_SHADOWS = 0;
constexpr int OPTS_REVERSE_ALT = 1;
constexpr int OPTS_ADVANCED = 2;
constexpr int OPTS_SAVE = 3;
constexpr int OPTS_ITEMS = 5;
extern menu_item myopts[OPTS_ITEMS];

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

// Intro of the menu screen, by `state`: the fade-in hides the frozen demo,
// then the logo zooms into place, then the screen is steady.
constexpr int INTRO_FADE = 0;
constexpr int INTRO_ZOOM = 1;
constexpr int INTRO_STEADY = 2;
constexpr float INTRO_PHASE_END = 222.0f;  // substate at which a phase ends
constexpr float FADE_STEP = 8.0f;          // substate per tick
constexpr float ZOOM_STEP = 2.0f;
constexpr int FADE_COLOUR = 184;  // palette entry the fade-in brightens
constexpr int TITLE_Y = 40;       // top of the logo at rest

extern int state;
extern float substate;
extern int menu_released;  // -1 when no menu key was held at the last poll
extern const menu_item *last_mnu;
extern float last_selected[MAX_MENU_ITEMS];  // game time an item last had the cursor

// Layout and colours of the items.
constexpr int MENU_LINE_HEIGHT = 30;
constexpr float LONG_AGO = -1000.0f;
constexpr int ITEM_BRIGHT = 29;
constexpr int ITEM_DIM = 23;
constexpr float ITEM_DIM_PER_TICK = 0.25f;
constexpr int OUTLINE_DARKER = 4;  // outline colour = caption colour - 4

// Items of a table up to and including its back item.
int menu_length(const menu_item *menu);

// What F1 to F5 do on every screen of the front end: the information
// overlay, the bullet shadows and the reversed altitude controls (with their
// Options items), the map view, the window/full-screen switch.
void menu_function_key(int key_code);

// The selection a menu starts with: inside its table, whatever the caller
// remembered (a list rebuilt shorter would otherwise let Down walk off it).
int menu_start_selection(const menu_item *menu, int selection);

// The frame pass every menu and the score table draw through: the game's
// one frame pass (game/frame_pass.h), with no input of its own. Tests
// point it at a frame of their own that scripts the keys.
extern void (*menu_frame_pass)(void (*input)(), bool world_step, void (*overlay)());

// Where the demo's ship would stand (the demo has no ship to fly).
constexpr float DEMO_SHIP_X = 50.0f;
constexpr float DEMO_SHIP_Y = 300.0f;
constexpr float DEMO_SHIP_ALT = 140.0f;

// Makes the demo player current and starts a new demo game behind the menu.
void init_demo_game();

// The program's life after start-up: the main menu over the demo, until it
// is left with Exit or Escape.
void menu_loop();

// "Play": waits for Enter to be let go, plays a game for player1, restarts
// the demo and the menu's intro, then lets a score that earns a line take
// its name.
void start_game_from_menu(const menu_item *menu);

// How long the start of a game waits between looks at the Enter key.
constexpr int KEY_RELEASE_WAIT_MS = 5;

// Runs a menu until it is left: MENU_LEFT or a chosen choice's index.
int do_my_menu(menu_item *menu, int selection);
void do_options_menu();
void do_advanced_menu();

// One poll of the input: moves `sel` in place and returns MENU_GOES_ON,
// MENU_LEFT or the index of a chosen choice item.
int do_menu_io(menu_item *menu, int &sel);

// Restarts the item timers for a new table (for the same table only those
// in the future), makes `menu` the current table and returns the y of its
// first item.
int get_centered_text_y_start(const menu_item *menu);

// Colour of item `i`: bright under the cursor, dimming after it left.
int menu_item_colour(int i, int sel);

// The intro's step for this frame, drawn into currentbuffer over the demo.
void menu_intro_step();

// Where the zooming logo stands `t` = 222 - substate before its rest.
struct logo_rect {
  int x, y, w, h;
};
logo_rect logo_zoom_rect(float t, int logo_w, int logo_h, int screen_w);

// What the menu draws over the demo in one frame: intro, title page, items.
void draw_menu_overlay(const menu_item *menu, int sel, int y0);

// A caption centred on the screen, outlined one colour group darker.
void nise_text(const char *text, int y, int colour);
// The same caption into `dest` starting at x, and the width it takes. The
// caption font is borlin.dat's; before that is loaded, the library's own.
void outlined_text(BITMAP *dest, const char *text, int x, int y, int colour);
int caption_width(const char *text);

// Releases the logo copy made for the zoom.
void destroy_menu_logo();

// Caption of entry `index` of a table, or "" when the index is outside the
// table's `count` entries.
const char *menu_caption(const menu_item *menu, int count, int index);
