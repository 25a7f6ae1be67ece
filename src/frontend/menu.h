// Menu tables: the record every menu is made of, and the tables that other
// modules read captions from.
#pragma once

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

// Screen update methods, by updatemethod.
constexpr int METHOD_COUNT = 3;
extern menu_item mymethods[METHOD_COUNT + 1];

// Time regulation methods, by regulate_method.
constexpr int REGULATOR_COUNT = 4;
extern menu_item myregulators[REGULATOR_COUNT + 1];

// The Options menu; its two toggles hold the play options that
// set_opts_switches turns into switches.
constexpr int OPTS_SHADOWS = 0;
constexpr int OPTS_REVERSE_ALT = 1;
constexpr int OPTS_ITEMS = 5;
extern menu_item myopts[OPTS_ITEMS];

// Caption of entry `index` of a table, or "" when the index is outside the
// table's `count` entries.
const char *menu_caption(const menu_item *menu, int count, int index);

// A graphics driver id as text: the autodetect ids 0, 1 and 2 read "AUTO",
// any other its four characters from the most significant byte down.
// `buffer` takes at least AL_UN_ID_SIZE characters.
constexpr int AL_UN_ID_SIZE = 5;
char *al_un_id(char *buffer, int id);

// A caption centred across the screen at height y, in the caption font,
// outlined one pixel around in colour c - 4 and filled in colour c.
void nise_text(const char *text, int y, int c);
