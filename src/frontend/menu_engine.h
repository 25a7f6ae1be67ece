// The menu engine: the record every menu is made of, and what runs any
// table over the demo game.
#pragma once

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
  // A toggle that shows a flag it does not own reads it here; selecting it
  // flips that reading into `value`, and the handler passes it on.
  int (*shows)() = nullptr;
};

// What a toggle shows: its getter's reading, or its own value.
int menu_item_value(const menu_item &item);

// What one poll of the menu input ends in, besides a chosen index.
constexpr int MENU_GOES_ON = -2;
constexpr int MENU_LEFT = -1;

extern int menu_released;  // -1 when no menu key was held at the last poll
extern const menu_item *last_mnu;
extern float last_selected[MAX_MENU_ITEMS];  // game time an item last had the cursor

// Layout and colours of the items.
constexpr int MENU_LINE_HEIGHT = 30;
constexpr float LONG_AGO = -1000.0f;
constexpr int ITEM_BRIGHT = 29;
constexpr int ITEM_DIM = 23;
constexpr float ITEM_DIM_PER_TICK = 0.25f;

// Items of a table up to and including its back item.
int menu_length(const menu_item *menu);

// The selection a menu starts with: inside its table, whatever the caller
// remembered (a list rebuilt shorter would otherwise let Down walk off it).
int menu_start_selection(const menu_item *menu, int selection);

// The frame pass every menu and the score table draw through: the game's
// one frame pass (game/frame_pass.h), with no input of its own. Tests
// point it at a frame of their own that scripts the keys.
extern void (*menu_frame_pass)(void (*input)(), bool world_step, void (*overlay)());



// Runs a menu until it is left: MENU_LEFT or a chosen choice's index.
int do_my_menu(menu_item *menu, int selection);

// One poll of the input: moves `sel` in place and returns MENU_GOES_ON,
// MENU_LEFT or the index of a chosen choice item.
int do_menu_io(menu_item *menu, int &sel);

// Restarts the item timers for a new table (for the same table only those
// in the future), makes `menu` the current table and returns the y of its
// first item.
int get_centered_text_y_start(const menu_item *menu);

// Colour of item `i`: bright under the cursor, dimming after it left.
int menu_item_colour(int i, int sel);


// What the menu draws over the demo in one frame: intro, title page, items.
void draw_menu_overlay(const menu_item *menu, int sel, int y0);



// Caption of entry `index` of a table, or "" when the index is outside the
// table's `count` entries.
const char *menu_caption(const menu_item *menu, int count, int index);
