#include "frontend/menu.h"

#include <allegro.h>

#include <algorithm>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/display_options.h"
#include "frontend/hiscore_screen.h"
#include "frontend/notice.h"
#include "frontend/options.h"
#include "frontend/titles.h"
#include "game/frame_pass.h"
#include "game/play.h"
#include "game/state.h"
#include "platform/input.h"
#include "platform/signals.h"
#include "shell/config.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

// "Play" names play_game, but selecting it runs the whole start of a game
// (start_game_from_menu); an item without a handler does nothing.
menu_item mymain[MAIN_ITEMS] = {
    {0, MENU_ACTION, "Play", nullptr, play_game},
    {0, MENU_ACTION, "Options", nullptr, do_options_menu},
    {0, MENU_TOGGLE, "WindOwed", "Fullscreen", change_fullscreen},
    {0, MENU_ACTION, "Hi Scores", nullptr, show_hi_score_table},
    {0, MENU_BACK, "Exit", nullptr, nullptr},
};

menu_item myopts[OPTS_ITEMS] = {
    {-1, MENU_TOGGLE, "Shadows : Fancy", "Shadows : Fast", set_opts_switches},
    {0, MENU_TOGGLE, "Reverse Alt Logic : On", "Reverse Alt Logic : Off", set_opts_switches},
    {0, MENU_ACTION, "Advanced", nullptr, do_advanced_menu},
    {0, MENU_ACTION, "Save Settings", nullptr, save_config},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

// The display lists behind these items come with the display options.
menu_item myadvanced[ADVANCED_ITEMS] = {
    {0, MENU_ACTION, "Graphics Mode", nullptr, do_drivers_menu},
    {0, MENU_ACTION, "Colour Depth", nullptr, do_bpp_menu},
    {0, MENU_ACTION, "Request Refresh Rate", nullptr, do_refresh_menu},
    {0, MENU_ACTION, "Screen Update Method", nullptr, do_methods_menu},
    {0, MENU_ACTION, "Time Regulate Method", nullptr, do_regulate_menu},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

menu_item mymethods[METHOD_COUNT + 1] = {
    {0, MENU_CHOICE, "Triple Buffer", nullptr, nullptr},
    {0, MENU_CHOICE, "Page Flipping", nullptr, nullptr},
    {0, MENU_CHOICE, "Double Buffer", nullptr, nullptr},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

menu_item myregulators[REGULATOR_COUNT + 1] = {
    {0, MENU_CHOICE, "Time Difference", nullptr, nullptr},
    {0, MENU_CHOICE, "Timer no Vsync", nullptr, nullptr},
    {0, MENU_CHOICE, "Timer and Vsync", nullptr, nullptr},
    {0, MENU_CHOICE, "Game=Screen Hz", nullptr, nullptr},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

menu_item myrefreshrates[REFRESH_RATE_COUNT + 1] = {
    {0, MENU_CHOICE, "75 Hz", nullptr, nullptr},  {0, MENU_CHOICE, "70 Hz", nullptr, nullptr},
    {0, MENU_CHOICE, "60 Hz", nullptr, nullptr},  {0, MENU_CHOICE, "50 Hz", nullptr, nullptr},
    {0, MENU_CHOICE, "80 Hz", nullptr, nullptr},  {0, MENU_CHOICE, "85 Hz", nullptr, nullptr},
    {0, MENU_CHOICE, "90 Hz", nullptr, nullptr},  {0, MENU_CHOICE, "100 Hz", nullptr, nullptr},
    {0, MENU_CHOICE, "120 Hz", nullptr, nullptr}, {0, MENU_BACK, "Back", nullptr, nullptr},
};
const int hz_list[REFRESH_RATE_COUNT] = {75, 70, 60, 50, 80, 85, 90, 100, 120};

menu_item mybpps[BPP_COUNT + 1] = {
    {0, MENU_CHOICE, "Desktop depth", nullptr, nullptr},
    {32, MENU_CHOICE, "32 bpp", nullptr, nullptr},
    {24, MENU_CHOICE, "24 bpp", nullptr, nullptr},
    {16, MENU_CHOICE, "16 bpp", nullptr, nullptr},
    {15, MENU_CHOICE, "15 bpp", nullptr, nullptr},
    {8, MENU_CHOICE, "8 bpp", nullptr, nullptr},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

void (*menu_frame_pass)(void (*input)(), bool world_step, void (*overlay)()) = frame_pass;

int state = INTRO_FADE;
float substate = 0;
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

// The copy of the logo in the screen's depth that the zoom stretches.
BITMAP *logo = nullptr;

// The fade's end colour on the library's 0..63 scale is (9, 32, 55).
constexpr double FADE_RED = 0.04054054054054054;
constexpr double FADE_GREEN = 0.14527027027027026;
constexpr double FADE_BLUE = 0.25;

// The zoom: t ticks of substate before rest, the logo is this much larger.
constexpr float ZOOM_GROW_W = 30.0f;
constexpr float ZOOM_GROW_W2 = 0.05f;
constexpr float ZOOM_GROW_H = 8.0f;
constexpr float ZOOM_GROW_H2 = 0.025f;
constexpr float ZOOM_DRIFT = 2.0f;  // pixels left of centre per tick of t

int flip(int flag) { return flag == -1 ? 0 : -1; }

bool up_held() {
  return key[KEY_UP] || key[KEY_8_PAD] || (joystick_usable() && joy[0].stick[0].axis[1].d1);
}
bool down_held() {
  return key[KEY_DOWN] || key[KEY_2_PAD] || (joystick_usable() && joy[0].stick[0].axis[1].d2);
}
bool select_held() {
  return key[KEY_ENTER] || key[KEY_SPACE] || key[KEY_LCONTROL] ||
         (joystick_usable() && (joy[0].button[0].b || joy[0].button[1].b));
}

// F1 to F4, the first held; 0 for none. (End comes before F5.)
int held_switch_key() {
  for (int k : {KEY_F1, KEY_F2, KEY_F3, KEY_F4})
    if (key[k]) return k;
  return 0;
}

// A held input acts once: only when nothing was held at the last poll.
bool take_release() {
  if (menu_released != -1) return false;
  menu_released = 0;
  return true;
}

FONT *caption_font() {
  return commondata ? static_cast<FONT *>(commondata[BORLIN_CAPTION_FONT].dat) : font;
}

void make_logo_copy() {
  BITMAP *src = datafile_bitmap(commondata, BORLIN_LOGO);
  if (logo && bitmap_color_depth(logo) != bpp) destroy_menu_logo();
  if (logo || !src) return;
  set_color_depth(bpp);
  logo = create_bitmap(src->w, src->h);
  if (logo) blit(src, logo, 0, 0, 0, 0, src->w, src->h);
}

}  // namespace

int menu_length(const menu_item *menu) {
  for (int i = 0; i < MAX_MENU_ITEMS; i++)
    if (menu[i].kind == MENU_BACK) return i + 1;
  return MAX_MENU_ITEMS;
}

void menu_function_key(int key_code) {
  switch (key_code) {
    case KEY_F1:
      show_info_flag = flip(show_info_flag);
      break;
    case KEY_F2:
      bulletshadows = flip(bulletshadows);
      myopts[OPTS_SHADOWS].value = bulletshadows;
      break;
    case KEY_F3:
      show3dmap = (show3dmap + 1) % 3;
      break;
    case KEY_F4: {
      int &v = myopts[OPTS_REVERSE_ALT].value;
      v = flip(v);
      reverse_logic = v == 0 ? 1 : -1;
      break;
    }
    case KEY_F5:
      change_fullscreen();
      break;
    default:
      break;
  }
}

int do_menu_io(menu_item *menu, int &sel) {
  if (joystick_usable()) poll_joystick();

  if (up_held()) {
    if (take_release()) sel = std::max(sel - 1, 0);
  } else if (down_held()) {
    if (take_release() && menu[sel].kind != MENU_BACK) sel++;
  } else if (int f = held_switch_key()) {
    if (take_release()) menu_function_key(f);
  } else if (key[KEY_END]) {
    main_exit();
  } else if (key[KEY_F5]) {
    if (take_release()) menu_function_key(KEY_F5);
  } else if (key[KEY_ESC]) {
    if (take_release()) return MENU_LEFT;
  } else if (select_held()) {
    if (!take_release()) return MENU_GOES_ON;
    menu_item &item = menu[sel];
    if (item.kind == MENU_BACK) {
      clear_keybuf();
      return MENU_LEFT;
    }
    if (item.kind == MENU_TOGGLE) item.value = flip(item.value);
    if (item.handler == play_game) {
      start_game_from_menu(menu);
    } else if (item.handler) {
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

void start_game_from_menu(const menu_item *menu) {
  // Enter also switches the screen in play: it must be let go first.
  while (key[KEY_ENTER]) {
    input_wait(KEY_RELEASE_WAIT_MS);
    leave_if_asked();
  }
  clear_keybuf();
  demomode_flag = 0;
  current_player = &player1;
  play_game();
  state = INTRO_FADE;  // the intro plays again after every game
  clear_keybuf();
  init_demo_game();
  hi_score_entry(player1);
  // The game moved the clock on; the items' timers start again from it.
  get_centered_text_y_start(menu);
}

void init_demo_game() {
  demomode_flag = -1;
  current_player = &demo_player;
  init_game();
  init_life();
  shipscreenx = DEMO_SHIP_X;
  shipscreeny = DEMO_SHIP_Y;
  shipalt = DEMO_SHIP_ALT;
}

void menu_loop() {
  init_demo_game();
  clear_bitmap(currentbuffer);
  do_my_menu(mymain, 0);
}

void do_options_menu() { do_my_menu(myopts, 0); }
void do_advanced_menu() { do_my_menu(myadvanced, 0); }

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

logo_rect logo_zoom_rect(float t, int logo_w, int logo_h, int screen_w) {
  logo_rect r;
  r.w = static_cast<int>(logo_w + ZOOM_GROW_W * t + ZOOM_GROW_W2 * t * t);
  r.h = static_cast<int>(logo_h + ZOOM_GROW_H * t + ZOOM_GROW_H2 * t * t);
  r.x = static_cast<int>((screen_w - r.w) / 2 - ZOOM_DRIFT * t);
  r.y = logo_h / 2 + TITLE_Y - r.h / 2;
  return r;
}

void menu_intro_step() {
  if (state == INTRO_FADE) {
    RGB c;
    c.r = static_cast<unsigned char>(substate * FADE_RED);
    c.g = static_cast<unsigned char>(substate * FADE_GREEN);
    c.b = static_cast<unsigned char>(substate * FADE_BLUE);
    c.filler = 0;
    set_color(FADE_COLOUR, &c);
    if (getpixel(currentbuffer, 0, 0) != palette_color[FADE_COLOUR])
      clear_to_color(currentbuffer, palette_color[FADE_COLOUR]);
    substate += FADE_STEP * time_unit;
    if (substate >= INTRO_PHASE_END) {
      state = INTRO_ZOOM;
      substate = 0;
    }
  } else if (state == INTRO_ZOOM) {
    make_logo_copy();
    if (logo) {
      logo_rect r = logo_zoom_rect(INTRO_PHASE_END - substate, logo->w, logo->h, SCREEN_W);
      masked_stretch_blit(logo, currentbuffer, 0, 0, logo->w, logo->h, r.x, r.y, r.w, r.h);
    }
    substate += ZOOM_STEP * time_unit;
    if (substate >= INTRO_PHASE_END) {
      state = INTRO_STEADY;
      substate = 0;
    }
  }
}

void draw_menu_overlay(const menu_item *menu, int sel, int y0) {
  menu_intro_step();
  titles(currentbuffer, TITLE_Y);
  int n = menu_length(menu);
  for (int i = 0; i < n; i++) {
    const menu_item &item = menu[i];
    const char *caption = item.kind == MENU_TOGGLE && item.value != -1 ? item.alt_text : item.text;
    nise_text(caption, y0 + MENU_LINE_HEIGHT * i, menu_item_colour(i, sel));
  }
}

bool joystick_usable() { return joy_ok == -1 && num_joysticks > 0; }

int caption_width(const char *text) { return text_length(caption_font(), text); }

void nise_text(const char *text, int y, int colour) {
  outlined_text(currentbuffer, text, (SCREEN_W - caption_width(text)) / 2, y, colour);
}

void outlined_text(BITMAP *dest, const char *text, int x, int y, int colour) {
  FONT *f = caption_font();
  const int outline = palette_color[colour - OUTLINE_DARKER];
  constexpr int AROUND[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const auto &d : AROUND) textout_ex(dest, f, text, x + d[0], y + d[1], outline, -1);
  textout_ex(dest, f, text, x, y, palette_color[colour], -1);
}

void destroy_menu_logo() {
  if (logo) destroy_bitmap(logo);
  logo = nullptr;
}

const char *menu_caption(const menu_item *menu, int count, int index) {
  if (index < 0 || index >= count) return "";
  return menu[index].text;
}

char *al_un_id(char *buffer, int id) {
  unsigned int u = static_cast<unsigned int>(id);
  if (u <= 2) {
    buffer[0] = 'A';
    buffer[1] = 'U';
    buffer[2] = 'T';
    buffer[3] = 'O';
  } else {
    for (int i = 0; i < 4; i++) buffer[i] = static_cast<char>((u >> (24 - 8 * i)) & 0xff);
  }
  buffer[4] = '\0';
  return buffer;
}
