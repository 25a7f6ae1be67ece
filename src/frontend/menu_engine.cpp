#include "frontend/menu_engine.h"

#include <allegro.h>

#include <algorithm>

#include "display/frame.h"
#include "frontend/intro.h"
#include "frontend/notice.h"
#include "frontend/titles.h"
#include "game/frame_pass.h"
#include "game/switches.h"
#include "render/captions.h"
#include "platform/input.h"
#include "platform/exit.h"

void (*menu_frame_pass)(void (*input)(), bool world_step, void (*overlay)()) = frame_pass;

int menu_released = -1;
const menu_item *last_mnu = nullptr;
float last_selected[MAX_MENU_ITEMS] = {};

namespace {

// The menu the current frame shows; submenus run inside a parent's input
// step and draw their own frames, so each frame sets these again.
const menu_item *shown_menu = nullptr;
int shown_sel = 0;
int shown_y0 = 0;

void draw_shown_menu() {
  draw_menu_overlay(shown_menu, shown_sel, shown_y0);
  draw_notice(currentbuffer);
}

int flip(int flag) { return flag == -1 ? 0 : -1; }

bool up_held() { return key[KEY_UP] || key[KEY_8_PAD] || stick_up(); }
bool down_held() { return key[KEY_DOWN] || key[KEY_2_PAD] || stick_down(); }
bool select_held() {
  return key[KEY_ENTER] || key[KEY_SPACE] || key[KEY_LCONTROL] || stick_fire();
}

// F1 to F4, the first held; 0 for none. (End comes before F5.)
int held_switch_key() {
  for (int k : {KEY_F1, KEY_F2, KEY_F3, KEY_F4})
    if (key[k]) return k;
  return 0;
}

}  // namespace

int menu_item_value(const menu_item &item) { return item.shows ? item.shows() : item.value; }

int menu_length(const menu_item *menu) {
  for (int i = 0; i < MAX_MENU_ITEMS; i++)
    if (menu[i].kind == MENU_BACK) return i + 1;
  return MAX_MENU_ITEMS;
}

int do_menu_io(menu_item *menu, int &sel) {
  poll_stick();

  if (up_held()) {
    if (take_press(menu_released)) sel = std::max(sel - 1, 0);
  } else if (down_held()) {
    if (take_press(menu_released) && menu[sel].kind != MENU_BACK) sel++;
  } else if (int f = held_switch_key()) {
    if (take_press(menu_released)) function_key(f);
  } else if (key[KEY_END]) {
    main_exit();
  } else if (key[KEY_F5]) {
    if (take_press(menu_released)) function_key(KEY_F5);
  } else if (key[KEY_ESC]) {
    if (take_press(menu_released)) return MENU_LEFT;
  } else if (select_held()) {
    if (!take_press(menu_released)) return MENU_GOES_ON;
    menu_item &item = menu[sel];
    if (item.kind == MENU_BACK) {
      clear_keybuf();
      return MENU_LEFT;
    }
    if (item.kind == MENU_TOGGLE) item.value = flip(menu_item_value(item));
    if (item.handler) {
      item.handler();
      clear_keybuf();
    }
    if (item.kind == MENU_CHOICE) return sel;
  } else {
    menu_released = -1;
  }
  return MENU_GOES_ON;
}

int menu_start_selection(const menu_item *menu, int selection) {
  return std::clamp(selection, 0, menu_length(menu) - 1);
}

int do_my_menu(menu_item *menu, int selection) {
  int sel = menu_start_selection(menu, selection);
  get_centered_text_y_start(menu);
  clear_keybuf();
  for (;;) {
    int r = do_menu_io(menu, sel);
    int y0 = get_centered_text_y_start(menu);
    if (r != MENU_GOES_ON) return r;
    last_selected[sel] = game_time;
    shown_menu = menu;
    shown_sel = sel;
    shown_y0 = y0;
    // The demo stands still while the fade-in covers it.
    menu_frame_pass(nullptr, state > INTRO_FADE, draw_shown_menu);
  }
}

int get_centered_text_y_start(const menu_item *menu) {
  for (float &t : last_selected)
    if (menu != last_mnu || t > game_time) t = LONG_AGO;
  last_mnu = menu;
  return (SCREEN_H - MENU_LINE_HEIGHT * menu_length(menu)) / 2;
}

int menu_item_colour(int i, int sel) {
  if (i == sel) return ITEM_BRIGHT;
  int c = static_cast<int>(ITEM_BRIGHT - (game_time - last_selected[i]) * ITEM_DIM_PER_TICK);
  return c < ITEM_DIM || c > ITEM_BRIGHT ? ITEM_DIM : c;
}

void draw_menu_overlay(const menu_item *menu, int sel, int y0) {
  menu_intro_step();
  titles(currentbuffer, TITLE_Y);
  int n = menu_length(menu);
  for (int i = 0; i < n; i++) {
    const menu_item &item = menu[i];
    const char *caption =
        item.kind == MENU_TOGGLE && menu_item_value(item) != -1 ? item.alt_text : item.text;
    nise_text(caption, y0 + MENU_LINE_HEIGHT * i, menu_item_colour(i, sel));
  }
}


const char *menu_caption(const menu_item *menu, int count, int index) {
  if (index < 0 || index >= count) return "";
  return menu[index].text;
}

