#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "front_screen.h"
#include "test_support.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "frontend/display_options.h"
#include "render/captions.h"
#include "frontend/intro.h"

namespace {

class Menu : public FrontScreen {};

// One poll with `k` held, then one with nothing held.
int press(menu_item *menu, int &sel, int k) {
  key[k] = 1;
  int r = do_menu_io(menu, sel);
  key[k] = 0;
  do_menu_io(menu, sel);
  return r;
}

int handler_calls = 0;
int value_seen = 99;
menu_item *handled_menu = nullptr;
void record_handler() {
  handler_calls++;
  if (handled_menu) value_seen = handled_menu[1].value;
}

}  // namespace

TEST(MenuTables, EndInTheirBackItemWithTheCaptionsAndValuesOfTheirLists) {
  EXPECT_EQ(menu_length(mymain), MAIN_ITEMS);
  EXPECT_EQ(menu_length(myopts), OPTS_ITEMS);
  EXPECT_EQ(menu_length(myadvanced), ADVANCED_ITEMS);
  EXPECT_EQ(menu_length(mymethods), METHOD_COUNT + 1);
  EXPECT_EQ(menu_length(myregulators), REGULATOR_COUNT + 1);
  EXPECT_EQ(menu_length(myrefreshrates), REFRESH_RATE_COUNT + 1);
  EXPECT_EQ(menu_length(mybpps), BPP_COUNT + 1);
  EXPECT_STREQ(mymain[MAIN_ITEMS - 1].text, "Exit");
  EXPECT_STREQ(mymain[MAIN_FULLSCREEN].alt_text, "Fullscreen");
  EXPECT_EQ(mymain[MAIN_FULLSCREEN].kind, MENU_TOGGLE);

  // Each rate's caption names the rate it requests; each depth its value.
  for (int i = 0; i < REFRESH_RATE_COUNT; i++) {
    char expected[16];
    snprintf(expected, sizeof expected, "%d Hz", hz_list[i]);
    EXPECT_STREQ(myrefreshrates[i].text, expected);
  }
  for (int i = 1; i < BPP_COUNT; i++) EXPECT_EQ(atoi(mybpps[i].text), mybpps[i].value);
  EXPECT_EQ(mybpps[BPP_DESKTOP].value, 0);
}

TEST_F(Menu, AHeldKeyActsOnceAndTheCursorStopsAtBothEnds) {
  int sel = 0;
  key[KEY_DOWN] = 1;
  for (int i = 0; i < 5; i++) EXPECT_EQ(do_menu_io(mymain, sel), MENU_GOES_ON);
  EXPECT_EQ(sel, 1);
  key[KEY_DOWN] = 0;
  for (int i = 0; i < 6; i++) press(mymain, sel, i % 2 ? KEY_DOWN : KEY_2_PAD);
  EXPECT_EQ(sel, MAIN_ITEMS - 1);  // the back item
  for (int i = 0; i < 6; i++) press(mymain, sel, KEY_UP);
  EXPECT_EQ(sel, 0);
  press(mymain, sel, KEY_8_PAD);
  EXPECT_EQ(sel, 0);
}

TEST_F(Menu, AMenuEnteredPastItsBackItemStartsOnItAndDownStaysThere) {
  EXPECT_EQ(menu_start_selection(mymethods, 9), METHOD_COUNT);
  EXPECT_EQ(menu_start_selection(mymethods, -3), 0);
  EXPECT_EQ(menu_start_selection(mymethods, 1), 1);
  int sel = menu_start_selection(mymethods, 7);
  press(mymethods, sel, KEY_DOWN);
  EXPECT_EQ(sel, METHOD_COUNT);
}

TEST_F(Menu, SelectingActsByKind) {
  menu_item table[] = {
      {0, MENU_ACTION, "act", nullptr, record_handler},
      {0, MENU_TOGGLE, "on", "off", record_handler},
      {7, MENU_CHOICE, "pick", nullptr, record_handler},
      {0, MENU_BACK, "Back", nullptr, nullptr},
  };
  handled_menu = table;
  handler_calls = 0;

  int sel = 0;
  EXPECT_EQ(press(table, sel, KEY_ENTER), MENU_GOES_ON);
  EXPECT_EQ(handler_calls, 1);

  sel = 1;  // the toggle flips before its handler runs
  EXPECT_EQ(press(table, sel, KEY_SPACE), MENU_GOES_ON);
  EXPECT_EQ(table[1].value, -1);
  EXPECT_EQ(value_seen, -1);
  press(table, sel, KEY_LCONTROL);
  EXPECT_EQ(table[1].value, 0);
  EXPECT_EQ(value_seen, 0);

  sel = 2;
  EXPECT_EQ(press(table, sel, KEY_ENTER), 2);
  EXPECT_EQ(handler_calls, 4);

  sel = 3;
  EXPECT_EQ(press(table, sel, KEY_ENTER), MENU_LEFT);
  EXPECT_EQ(press(table, sel, KEY_ESC), MENU_LEFT);
  handled_menu = nullptr;

  // Enter still held after a submenu returned does not act again.
  menu_released = 0;
  key[KEY_ENTER] = 1;
  sel = 0;
  EXPECT_EQ(do_menu_io(table, sel), MENU_GOES_ON);
  EXPECT_EQ(handler_calls, 4);
}

TEST_F(Menu, OptionTogglesShowAndFlipTheSwitchesTheKeysChanged) {
  const int saved_shadows = bulletshadows, saved_reverse = reverse_logic;
  const int saved_values[2] = {myopts[OPTS_SHADOWS].value, myopts[OPTS_REVERSE_ALT].value};
  set_shadows(-1);
  set_reverse_alt(0);
  function_key(KEY_F2);  // in play: fast shadows, no menu on screen
  EXPECT_EQ(menu_item_value(myopts[OPTS_SHADOWS]), 0);

  // Toggling the other item leaves the key's switch alone ...
  int sel = OPTS_REVERSE_ALT;
  press(myopts, sel, KEY_ENTER);
  EXPECT_EQ(reverse_logic, -1);
  EXPECT_EQ(bulletshadows, 0);
  // ... and toggling this one flips what it shows, not a stale copy.
  sel = OPTS_SHADOWS;
  press(myopts, sel, KEY_ENTER);
  EXPECT_EQ(bulletshadows, -1);

  // The window item shows the mode the switch last opened.
  const int saved_full = infullscreen;
  infullscreen = -1;
  EXPECT_EQ(menu_item_value(mymain[MAIN_FULLSCREEN]), -1);
  infullscreen = saved_full;
  bulletshadows = saved_shadows;
  reverse_logic = saved_reverse;
  myopts[OPTS_SHADOWS].value = saved_values[0];
  myopts[OPTS_REVERSE_ALT].value = saved_values[1];
}

TEST_F(Menu, FunctionKeysKeepTheOptionItemsInStep) {
  int sel = 0;
  bulletshadows = -1;
  myopts[OPTS_SHADOWS].value = -1;
  press(mymain, sel, KEY_F2);
  EXPECT_EQ(bulletshadows, 0);
  EXPECT_EQ(menu_item_value(myopts[OPTS_SHADOWS]), 0);
  press(mymain, sel, KEY_F2);
  EXPECT_EQ(bulletshadows, -1);
  EXPECT_EQ(menu_item_value(myopts[OPTS_SHADOWS]), -1);

  myopts[OPTS_REVERSE_ALT].value = 0;
  reverse_logic = 1;
  press(mymain, sel, KEY_F4);
  EXPECT_EQ(menu_item_value(myopts[OPTS_REVERSE_ALT]), -1);
  EXPECT_EQ(reverse_logic, -1);
  press(mymain, sel, KEY_F4);
  EXPECT_EQ(reverse_logic, 1);
  // The Options toggles show what the keys switched.
  EXPECT_EQ(menu_item_value(myopts[OPTS_REVERSE_ALT]), 0);
  EXPECT_EQ(reverse_logic, 1);
  EXPECT_EQ(bulletshadows, -1);

  show3dmap = 0;
  int seen[4];
  for (int &s : seen) {
    press(mymain, sel, KEY_F3);
    s = show3dmap;
  }
  EXPECT_EQ(seen[0], 1);
  EXPECT_EQ(seen[1], 2);
  EXPECT_EQ(seen[2], 0);
  EXPECT_EQ(seen[3], 1);

  show_info_flag = 0;
  press(mymain, sel, KEY_F1);
  EXPECT_EQ(show_info_flag, -1);
  EXPECT_EQ(sel, 0);
}

TEST_F(Menu, EndLeavesTheProgramAtOnceEvenWhileAKeyIsHeld) {
  menu_released = 0;
  int sel = 0;
  EXPECT_EXIT(
      {
        no_leak_check_in_child();
        key[KEY_END] = 1;
        do_menu_io(mymain, sel);
      },
      testing::ExitedWithCode(EXIT_QUIT), "");
}

TEST_F(Menu, LayoutCentresTheItemsAndRestartsTheTimersOfANewTable) {
  EXPECT_EQ(get_centered_text_y_start(mymain), (512 - 30 * 5) / 2);
  EXPECT_EQ(get_centered_text_y_start(myadvanced), (512 - 30 * 6) / 2);
  EXPECT_EQ(last_mnu, myadvanced);

  game_time = 50;
  last_selected[0] = 40;
  last_selected[1] = 60;  // from a game clock that has since restarted
  get_centered_text_y_start(myadvanced);
  EXPECT_EQ(last_selected[0], 40);
  EXPECT_EQ(last_selected[1], LONG_AGO);
  get_centered_text_y_start(mymain);
  EXPECT_EQ(last_selected[0], LONG_AGO);
}

TEST_F(Menu, AnItemDimsOneStepEveryFourTicksAfterLosingTheCursor) {
  game_time = 100;
  last_selected[1] = 100;
  EXPECT_EQ(menu_item_colour(1, 1), ITEM_BRIGHT);
  EXPECT_EQ(menu_item_colour(1, 0), 29);
  last_selected[1] = 96;
  EXPECT_EQ(menu_item_colour(1, 0), 28);
  last_selected[1] = 80;
  EXPECT_EQ(menu_item_colour(1, 0), 24);
  last_selected[1] = 79;
  EXPECT_EQ(menu_item_colour(1, 0), 23);
  last_selected[1] = LONG_AGO;
  EXPECT_EQ(menu_item_colour(1, 0), ITEM_DIM);
  last_selected[1] = 110;  // in the future: out of range too
  EXPECT_EQ(menu_item_colour(1, 0), ITEM_DIM);
}

TEST_F(Menu, NiseTextIsCentredAndOutlinedFourColoursDarker) {
  nise_text("Options", 100, 29);
  int left = SCREEN_W, right = -1, top = SCREEN_H, bottom = -1;
  int oleft = SCREEN_W, oright = -1, otop = SCREEN_H, obottom = -1;
  for (int y = 0; y < SCREEN_H; y++)
    for (int x = 0; x < SCREEN_W; x++) {
      int c = getpixel(currentbuffer, x, y);
      if (c == 29) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      } else if (c == 25) {
        oleft = std::min(oleft, x), oright = std::max(oright, x);
        otop = std::min(otop, y), obottom = std::max(obottom, y);
      } else {
        ASSERT_EQ(c, 0);
      }
    }
  ASSERT_GE(right, left);
  EXPECT_EQ(oleft, left - 1);
  EXPECT_EQ(oright, right + 1);
  EXPECT_EQ(otop, top - 1);
  EXPECT_EQ(obottom, bottom + 1);
  FONT *f = static_cast<FONT *>(borlin[BORLIN_CAPTION_FONT].dat);
  int x = (SCREEN_W - text_length(f, "Options")) / 2;
  EXPECT_GE(left, x);
  EXPECT_LT(right, x + text_length(f, "Options"));
  EXPECT_GE(top, 100);
}

TEST_F(Menu, TheFadeInTakes27AndThreeQuarterTicksAndHidesTheDemo) {
  state = INTRO_FADE;
  substate = 0;
  int frames = 0;
  while (state == INTRO_FADE) {
    putpixel(currentbuffer, 0, 0, 5);  // the demo drew here
    menu_intro_step();
    frames++;
    if (state == INTRO_FADE) {
      EXPECT_EQ(count_colour(FADE_COLOUR), 448 * 512);
    }
  }
  EXPECT_EQ(frames, 28);  // 27 frames reach 216, the 28th 224
  EXPECT_EQ(substate, 0);

  state = INTRO_FADE;
  substate = 111;
  clear_bitmap(currentbuffer);
  menu_intro_step();
  RGB c;
  get_color(FADE_COLOUR, &c);
  EXPECT_EQ(c.r, 4);
  EXPECT_EQ(c.g, 16);
  EXPECT_EQ(c.b, 27);
  // Already faded: the buffer is left as it is.
  putpixel(currentbuffer, 0, 0, FADE_COLOUR);
  putpixel(currentbuffer, 9, 9, 3);
  menu_intro_step();
  EXPECT_EQ(getpixel(currentbuffer, 9, 9), 3);
  state = INTRO_STEADY;
}

TEST_F(Menu, TheLogoShrinksAndDriftsInToRestCentredAtTheTop) {
  logo_rect rest = logo_zoom_rect(0, 300, 80, 448);
  EXPECT_EQ(rest.x, 74);
  EXPECT_EQ(rest.y, TITLE_Y);
  EXPECT_EQ(rest.w, 300);
  EXPECT_EQ(rest.h, 80);
  logo_rect far = logo_zoom_rect(100, 300, 80, 448);
  EXPECT_EQ(far.w, 300 + 3000 + 500);
  EXPECT_EQ(far.h, 80 + 800 + 250);
  EXPECT_EQ(far.x, (448 - 3800) / 2 - 200);
  EXPECT_EQ(far.y, 40 + 40 - 565);

  state = INTRO_ZOOM;
  substate = 0;
  int frames = 0;
  while (state == INTRO_ZOOM) {
    clear_bitmap(currentbuffer);
    menu_intro_step();
    frames++;
  }
  EXPECT_EQ(frames, 111);
  EXPECT_EQ(state, INTRO_STEADY);
  // The last zoom frame drew the logo close to its resting place.
  BITMAP *l = static_cast<BITMAP *>(borlin[BORLIN_LOGO].dat);
  int logo_pixels = 0;
  for (int y = 0; y < l->h; y++)
    for (int x = 0; x < l->w; x++) logo_pixels += getpixel(l, x, y) != 0;
  int drawn = SCREEN_W * SCREEN_H - count_colour(0);
  EXPECT_GT(drawn, logo_pixels * 9 / 10);
  EXPECT_EQ(count_colour(0, 0, TITLE_Y - 11), SCREEN_W * (TITLE_Y - 10));  // t = 2: top at 32
}

namespace {

// A frame pass for the menu loop: draws the overlay, counts frames with
// and without a world step, and holds the next scripted key (0 for none).
std::vector<int> script;
size_t script_pos = 0;
int frames_with_step = 0, frames_without_step = 0;
int held_key = 0;

void scripted_frame(void (*)(), bool world_step, void (*overlay)()) {
  (world_step ? frames_with_step : frames_without_step)++;
  clear_bitmap(currentbuffer);
  overlay();
  game_time += time_unit;
  if (held_key) key[held_key] = 0;
  held_key = script_pos < script.size() ? script[script_pos++] : KEY_ESC;
  if (held_key) key[held_key] = 1;
}

class MenuLoop : public Menu {
 protected:
  void SetUp() override {
    Menu::SetUp();
    saved_pass_ = menu_frame_pass;
    menu_frame_pass = scripted_frame;
    script.clear();
    script_pos = 0;
    frames_with_step = frames_without_step = 0;
    held_key = 0;
  }
  void TearDown() override {
    menu_frame_pass = saved_pass_;
    Menu::TearDown();
  }
  void (*saved_pass_)(void (*)(), bool, void (*)()) = nullptr;
};

}  // namespace

TEST_F(MenuLoop, SubmenusRunInsideTheirParentAndTheDemoWaitsForTheFade) {
  state = INTRO_FADE;
  substate = 0;
  reverse_logic = 1;
  myopts[OPTS_REVERSE_ALT].value = 0;
  // Main: Down to Options, Enter; Options: Down, Enter on the toggle, Escape.
  script = {KEY_DOWN, 0, KEY_ENTER, 0, KEY_DOWN, 0, KEY_ENTER, 0, KEY_ESC, 0};
  for (int i = 0; i < 40; i++) script.push_back(0);  // the main menu again
  EXPECT_EQ(do_my_menu(mymain, 0), MENU_LEFT);
  EXPECT_EQ(reverse_logic, -1);
  EXPECT_EQ(menu_item_value(myopts[OPTS_REVERSE_ALT]), -1);
  EXPECT_EQ(last_mnu, mymain);
  EXPECT_EQ(frames_without_step, 28);  // the fade-in
  EXPECT_GT(frames_with_step, 20);
  EXPECT_EQ(state, INTRO_ZOOM);
}

TEST_F(MenuLoop, AMenuEnteredPastItsEndSelectsItsBackItem) {
  state = INTRO_STEADY;
  script = {0, KEY_DOWN, 0, KEY_ENTER};
  EXPECT_EQ(do_my_menu(mymethods, 9), MENU_LEFT);
  script = {0, KEY_UP, 0, KEY_ENTER};
  script_pos = 0;
  EXPECT_EQ(do_my_menu(mymethods, 9), METHOD_COUNT - 1);
  // The frames drew the items over the steady title page.
  EXPECT_GT(count_colour(ITEM_BRIGHT), 0);
}
