// The menus of the title screen: the main menu and Options, and the loop
// the program lives in after start-up.
#pragma once

#include "frontend/intro.h"
#include "frontend/menu_engine.h"

// The main menu.
constexpr int MAIN_PLAY = 0;
constexpr int MAIN_OPTIONS = 1;
constexpr int MAIN_FULLSCREEN = 2;
constexpr int MAIN_HI_SCORES = 3;
constexpr int MAIN_ITEMS = 5;
extern menu_item mymain[MAIN_ITEMS];

// The Options menu; its two toggles show the play switches (game/switches.h).
constexpr int OPTS_SHADOWS = 0;
constexpr int OPTS_REVERSE_ALT = 1;
constexpr int OPTS_ADVANCED = 2;
constexpr int OPTS_SAVE = 3;
constexpr int OPTS_ITEMS = 5;
extern menu_item myopts[OPTS_ITEMS];

// The program's life after start-up: the main menu over the demo, until it
// is left with Exit or Escape.
void menu_loop();
void do_options_menu();

// "Play": waits for Enter to be let go, plays a game for player1, restarts
// the demo and the menu's intro, then lets a score that earns a line take
// its name.
void start_game_from_menu(const menu_item *menu);

// How long the start of a game waits between looks at the Enter key.
constexpr int KEY_RELEASE_WAIT_MS = 5;
