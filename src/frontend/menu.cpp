#include "frontend/menu.h"

#include <allegro.h>

#include "display/frame.h"
#include "frontend/config.h"
#include "frontend/display_options.h"
#include "frontend/hiscore_screen.h"
#include "game/play.h"
#include "game/switches.h"
#include "platform/input.h"
#include "platform/signals.h"
#include "world/state.h"

// "Play" runs the whole start of a game (start_game_from_menu); an item
// without a handler does nothing.
menu_item mymain[MAIN_ITEMS] = {
    {0, MENU_ACTION, "Play", nullptr, [] { start_game_from_menu(mymain); }},
    {0, MENU_ACTION, "Options", nullptr, do_options_menu},
    {0, MENU_TOGGLE, "WindOwed", "Fullscreen", change_fullscreen, [] { return infullscreen; }},
    {0, MENU_ACTION, "Hi Scores", nullptr, show_hi_score_table},
    {0, MENU_BACK, "Exit", nullptr, nullptr},
};

menu_item myopts[OPTS_ITEMS] = {
    {-1, MENU_TOGGLE, "Shadows : Fancy", "Shadows : Fast",
     [] { set_shadows(myopts[OPTS_SHADOWS].value != 0 ? -1 : 0); }, [] { return bulletshadows; }},
    {0, MENU_TOGGLE, "Reverse Alt Logic : On", "Reverse Alt Logic : Off",
     [] { set_reverse_alt(myopts[OPTS_REVERSE_ALT].value); }, reverse_alt_on},
    {0, MENU_ACTION, "Advanced", nullptr, do_advanced_menu},
    {0, MENU_ACTION, "Save Settings", nullptr, save_config},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

void menu_loop() {
  init_demo_game();
  clear_bitmap(currentbuffer);
  do_my_menu(mymain, 0);
}

void do_options_menu() { do_my_menu(myopts, 0); }

void start_game_from_menu(const menu_item *menu) {
  // Enter also switches the screen in play: it must be let go first.
  while (key[KEY_ENTER]) {
    input_wait(KEY_RELEASE_WAIT_MS);
    leave_if_asked();
  }
  clear_keybuf();
  make_player1_current();
  play_game();
  state = INTRO_FADE;  // the intro plays again after every game
  clear_keybuf();
  init_demo_game();
  hi_score_entry(player1);
  // The game moved the clock on; the items' timers start again from it.
  get_centered_text_y_start(menu);
}
