#include "frontend/display_options.h"

#include <allegro.h>

#include <array>
#include <cstdio>
#include <utility>

#include "display/frame.h"
#include "display/gfx.h"
#include "game/setup.h"
#include "platform/devices.h"

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
    {0, MENU_CHOICE, METHOD_NAMES[0], nullptr, nullptr},
    {0, MENU_CHOICE, METHOD_NAMES[1], nullptr, nullptr},
    {0, MENU_CHOICE, METHOD_NAMES[2], nullptr, nullptr},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

menu_item myregulators[REGULATOR_COUNT + 1] = {
    {0, MENU_CHOICE, REGULATOR_NAMES[0], nullptr, nullptr},
    {0, MENU_CHOICE, REGULATOR_NAMES[1], nullptr, nullptr},
    {0, MENU_CHOICE, REGULATOR_NAMES[2], nullptr, nullptr},
    {0, MENU_CHOICE, REGULATOR_NAMES[3], nullptr, nullptr},
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

menu_item mydrivers[MAX_MENU_DRIVERS + 1] = {{0, MENU_BACK, "Back", nullptr, nullptr}};
int my_gfx_driver[MAX_MENU_DRIVERS] = {};
int driver_count = 0;

menu_item myresolutions[MAX_RESOLUTIONS + 1] = {};
screen_size gmodes[MAX_RESOLUTIONS] = {};
int res_count = 0;

const screen_size fixed_resolutions[FIXED_RES_COUNT] = {
    {800, 600}, {640, 480}, {512, 448}, {448, 512}, {400, 300}, {320, 240},
};

int menu_driver = 0;
int menu_res = 0;

void (*restart_demo)() = init_demo_game;

namespace {

// By update method; the negative counts are methods this game does not
// offer, kept apart from every page count it does.
constexpr int PAGES_OF_METHOD[] = {3, 2, 1, -4, -2, -2, -1, -1};
constexpr int METHOD_PAGE_TABLE_SIZE = sizeof PAGES_OF_METHOD / sizeof PAGES_OF_METHOD[0];

// The driver ids as text, the second caption of each driver item.
char driver_id_text[MAX_MENU_DRIVERS][AL_UN_ID_SIZE];
// One caption buffer per resolution item, made once.
char res_caption[MAX_RESOLUTIONS + 1][RES_CAPTION_SIZE];

// The twice-the-original sizes say so.
const char *const FIXED_RES_FORMAT[FIXED_RES_COUNT] = {
    "%d x %d", "%d x %d", "%d x %d (orig*2 h)", "%d x %d (orig*2 v)", "%d x %d", "%d x %d",
};

// The menu engine calls a handler without telling it which item was
// chosen, so each driver item has its own, which names its driver before
// the resolution list opens.
template <int I> void res_menu_of_driver() {
  menu_driver = I;
  do_res_menu();
}
template <int... I> constexpr std::array<void (*)(), sizeof...(I)> res_menu_handlers_of(
    std::integer_sequence<int, I...>) {
  return {res_menu_of_driver<I>...};
}
constexpr auto RES_MENU_HANDLERS =
    res_menu_handlers_of(std::make_integer_sequence<int, MAX_MENU_DRIVERS>{});

void set_res_item(int i, int w, int h, const char *format) {
  gmodes[i] = {w, h};
  snprintf(res_caption[i], RES_CAPTION_SIZE, format, w, h);
  myresolutions[i].kind = MENU_CHOICE;
}

void end_res_list(int count) {
  res_count = count;
  snprintf(res_caption[count], RES_CAPTION_SIZE, "Back");
  myresolutions[count].kind = MENU_BACK;
}

void take_fixed_resolutions() {
  for (int i = 0; i < FIXED_RES_COUNT; i++)
    set_res_item(i, fixed_resolutions[i].w, fixed_resolutions[i].h, FIXED_RES_FORMAT[i]);
  end_res_list(FIXED_RES_COUNT);
}

// After a mode change the demo starts afresh in the new mode.
void new_mode(int driver, int w, int h, int depth, int refresh, int method) {
  change_graphics_mode(driver, w, h, depth, refresh, method);
  restart_demo();
}

// The "Desktop depth" item asks for the desktop's depth as it is now.
int desktop_depth_item_value() {
  int d = desktop_color_depth();
  return d != 0 ? d : 32;
}

}  // namespace

void get_gfx_drivers() {
  for (int i = 0; i <= MAX_RESOLUTIONS; i++)
    myresolutions[i] = {0, 0, res_caption[i], nullptr, nullptr};

  driver_count = 0;
  // The table has room for MAX_MENU_DRIVERS; any further drivers are not offered.
  for (_DRIVER_INFO *d = gfx_driver_list(); d && d->driver && driver_count < MAX_MENU_DRIVERS;
       d++) {
    const GFX_DRIVER *g = static_cast<const GFX_DRIVER *>(d->driver);
    const int i = driver_count++;
    my_gfx_driver[i] = d->id;
    al_un_id(driver_id_text[i], d->id);
    const char *name = g->ascii_name ? g->ascii_name : driver_id_text[i];
    mydrivers[i] = {0, MENU_CHOICE, name, driver_id_text[i], RES_MENU_HANDLERS[i]};
  }
  mydrivers[driver_count] = {0, MENU_BACK, "Back", nullptr, nullptr};
}

int take_resolutions(const GFX_MODE_LIST *list, int depth) {
  int n = 0;
  screen_size last = {0, 0};
  for (int i = list->num_modes - 1; i >= 0 && n < MAX_RESOLUTIONS; i--) {
    const GFX_MODE &m = list->mode[i];
    if (m.width > MAX_RES_WIDTH || m.bpp != depth) continue;
    if (m.width == last.w || m.height == last.h) continue;
    set_res_item(n++, m.width, m.height, "%d x %d");
    last = {m.width, m.height};
  }
  if (n > 0) end_res_list(n);
  return n;
}

void get_res_list() {
  const int id = menu_driver >= 0 && menu_driver < driver_count ? my_gfx_driver[menu_driver] : 0;
  GFX_MODE_LIST *list = get_gfx_mode_list(id);
  int taken = 0;
  if (list) {
    taken = take_resolutions(list, bpp);
    destroy_gfx_mode_list(list);
  }
  // A list with nothing to offer is as good as none.
  if (taken == 0) take_fixed_resolutions();
}

void do_res_menu() {
  get_res_list();
  menu_res = 0;
  // Only this driver's entries count: the table may hold an earlier list's.
  for (int i = 0; i < res_count; i++) {
    if (gmodes[i].w == SCREEN_W && gmodes[i].h == SCREEN_H) {
      menu_res = i;
      break;
    }
  }
  menu_res = do_my_menu(myresolutions, menu_res);
}

void do_drivers_menu() {
  menu_driver = 0;
  for (int i = 0; i < driver_count; i++) {
    if (my_gfx_driver[i] == gr_driver) {
      menu_driver = i;
      break;
    }
  }
  menu_res = MENU_LEFT;
  const int r = do_my_menu(mydrivers, menu_driver);
  if (r < 0 || r >= driver_count || menu_res < 0 || menu_res >= res_count) return;
  menu_driver = r;
  new_mode(my_gfx_driver[r], gmodes[menu_res].w, gmodes[menu_res].h, bpp, hz, METHOD_TRIPLE_BUFFER);
}

void do_bpp_menu() {
  mybpps[BPP_DESKTOP].value = desktop_depth_item_value();
  int sel = BPP_COUNT;  // the back item
  for (int i = 0; i < BPP_COUNT; i++) {
    if (mybpps[i].value == bpp) {
      sel = i;
      break;
    }
  }
  const int r = do_my_menu(mybpps, sel);
  if (r < 0 || r >= BPP_COUNT || mybpps[r].value == bpp) return;
  new_mode(gr_driver, SCREEN_W, SCREEN_H, mybpps[r].value, hz, METHOD_TRIPLE_BUFFER);
}

void do_refresh_menu() {
  int sel = 0;
  for (int i = 0; i < REFRESH_RATE_COUNT; i++) {
    if (hz_list[i] == hz) {
      sel = i;
      break;
    }
  }
  const int r = do_my_menu(myrefreshrates, sel);
  if (r < 0 || r >= REFRESH_RATE_COUNT || hz_list[r] == hz) return;
  new_mode(gr_driver, SCREEN_W, SCREEN_H, bpp, hz_list[r], METHOD_TRIPLE_BUFFER);
}

int num_pages(int method) {
  return method >= 0 && method < METHOD_PAGE_TABLE_SIZE ? PAGES_OF_METHOD[method] : 0;
}

void do_methods_menu() {
  const int r = do_my_menu(mymethods, updatemethod);
  if (r < 0 || r >= METHOD_COUNT) return;
  if (num_pages(r) == num_pages(updatemethod)) {
    switch_update_method(r);
    return;
  }
  new_mode(gr_driver, SCREEN_W, SCREEN_H, bpp, hz, r);
}

void do_regulate_menu() {
  const int r = do_my_menu(myregulators, regulate_method);
  if (r < 0 || r >= REGULATOR_COUNT) return;
  set_regulation(r);
}

void do_advanced_menu() { do_my_menu(myadvanced, 0); }
