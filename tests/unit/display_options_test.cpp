#include "frontend/display_options.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "platform/video.h"

namespace {

// The drivers the X11 system lists, as the headless system lists none: the
// full-screen one with the modes of `fullscreen_modes`, the window without.
std::vector<GFX_MODE> fullscreen_modes;
GFX_MODE_LIST *fetch_fullscreen_modes() {
  auto *list = static_cast<GFX_MODE_LIST *>(malloc(sizeof(GFX_MODE_LIST)));
  list->num_modes = static_cast<int>(fullscreen_modes.size());
  list->mode = static_cast<GFX_MODE *>(malloc((fullscreen_modes.size() + 1) * sizeof(GFX_MODE)));
  for (size_t i = 0; i < fullscreen_modes.size(); i++) list->mode[i] = fullscreen_modes[i];
  list->mode[fullscreen_modes.size()] = GFX_MODE{0, 0, 0};
  return list;
}

constexpr int DGA_SOFT = driver_id('D', 'G', 'A', 'S');
constexpr int DGA = driver_id('D', 'G', 'A', '2');
GFX_DRIVER fullscreen_record, window_record, dga_soft_record, dga_record;
_DRIVER_INFO x11_list[] = {{FULLSCREEN_DRIVER, &fullscreen_record, 1},
                           {WINDOW_DRIVER, &window_record, 1},
                           {DGA_SOFT, &dga_soft_record, 0},
                           {DGA, &dga_record, 0},
                           {0, nullptr, 0}};
_DRIVER_INFO *x11_drivers() { return x11_list; }

// Twelve drivers, more than the menu can show.
constexpr int LONG_LIST = 12;
_DRIVER_INFO long_list[LONG_LIST + 1];
_DRIVER_INFO *long_drivers() { return long_list; }

// A frame pass that presses the scripted keys, one a frame (0: none);
// Escape once the script has run out.
std::vector<int> script;
size_t script_pos = 0;
int held_key = 0;
void scripted_frame(void (*)(), bool, void (*)()) {
  if (held_key) key[held_key] = 0;
  held_key = script_pos < script.size() ? script[script_pos++] : KEY_ESC;
  if (held_key) key[held_key] = 1;
}

// Moves from `from` to `to` with Up or Down, then selects.
std::vector<int> choose(int from, int to) {
  std::vector<int> keys;
  for (int i = from; i != to; i += to > from ? 1 : -1) {
    keys.push_back(to > from ? KEY_DOWN : KEY_UP);
    keys.push_back(0);
  }
  keys.push_back(KEY_ENTER);
  keys.push_back(0);
  return keys;
}
std::vector<int> then(std::vector<int> a, const std::vector<int> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

int demo_restarts = 0;
void count_restart() { demo_restarts++; }
int timers_installed = 0, timers_removed = 0;
int count_install(void (*)(), long period) {
  EXPECT_EQ(period, GAME_TICK_PERIOD);
  timers_installed++;
  return 0;
}
void count_remove(void (*)()) { timers_removed++; }

// The Advanced menu's lists run by their real menus over a fake card, in
// a 448 x 512 window at 8 bits; every global they change is put back.
struct DisplayOptions : ::testing::Test {
  FakeCard card;
  _DRIVER_INFO *(*saved_list)() = system_driver->gfx_drivers;
  void (*saved_pass)(void (*)(), bool, void (*)()) = menu_frame_pass;
  void (*saved_restart)() = restart_demo;
  int saved_driver = gr_driver, saved_bpp = bpp, saved_hz = hz, saved_method = updatemethod;
  int saved_regulate = regulate_method, saved_released = menu_released;
  int saved_desktop_item = mybpps[BPP_DESKTOP].value;
  int saved_full = infullscreen, saved_full_item = mymain[MAIN_FULLSCREEN].value;
  int saved_refresh_request = _refresh_rate_request;
  const menu_item *saved_last_mnu = last_mnu;

  DisplayOptions() {
    fullscreen_record.fetch_mode_list = fetch_fullscreen_modes;
    fullscreen_record.ascii_name = "X11 fullscreen";
    window_record.ascii_name = "X11 window";
    dga_soft_record.ascii_name = "DGA 2.0 soft";
    dga_record.ascii_name = "DGA 2.0";
    fullscreen_modes = {{1024, 768, 8}, {1024, 768, 16}, {1024, 768, 32}};
    system_driver->gfx_drivers = x11_drivers;
    get_gfx_drivers();
    menu_frame_pass = scripted_frame;
    restart_demo = count_restart;
    install_tick_timer = count_install;
    remove_tick_timer = count_remove;
    card.triple_buffer = true;
    script.clear();
    script_pos = 0;
    held_key = 0;
    demo_restarts = timers_installed = timers_removed = 0;
    menu_released = -1;
    EXPECT_EQ(init_graphics(WINDOW_DRIVER, 448, 512, 8, 75, METHOD_TRIPLE_BUFFER), -1);
    card.attempts.clear();
  }
  ~DisplayOptions() override {
    if (held_key) key[held_key] = 0;
    // The card goes after this body, with the method put back: free the
    // bitmaps of the method the test left first.
    destroy_blit_bitmaps();
    usetimer = 0;
    system_driver->gfx_drivers = saved_list;
    get_gfx_drivers();
    menu_frame_pass = saved_pass;
    restart_demo = saved_restart;
    gr_driver = saved_driver;
    bpp = saved_bpp;
    hz = saved_hz;
    updatemethod = saved_method;
    regulate_method = saved_regulate;
    menu_released = saved_released;
    mybpps[BPP_DESKTOP].value = saved_desktop_item;
    infullscreen = saved_full;
    mymain[MAIN_FULLSCREEN].value = saved_full_item;
    _refresh_rate_request = saved_refresh_request;
    last_mnu = saved_last_mnu;
  }

  // Runs a menu of the Advanced list with these keys.
  void run(void (*menu)(), const std::vector<int> &keys) {
    if (held_key) key[held_key] = 0;
    held_key = 0;
    menu_released = -1;
    script = keys;
    script_pos = 0;
    menu();
  }
  // Nothing was asked of the card and the demo goes on.
  void expect_no_change() {
    EXPECT_TRUE(card.attempts.empty());
    EXPECT_EQ(demo_restarts, 0);
  }
  // One new mode, first tried as `w` x `h` at `depth` with `driver`, with
  // the update method back at triple buffering and a new demo.
  void expect_new_mode(int driver, int w, int h, int depth) {
    ASSERT_FALSE(card.attempts.empty());
    const mode_attempt &a = card.attempts.front();
    EXPECT_EQ(a.card, driver);
    EXPECT_EQ(a.w, w);
    EXPECT_EQ(a.h, h);
    EXPECT_EQ(a.depth, depth);
    EXPECT_EQ(updatemethod, METHOD_TRIPLE_BUFFER);
    EXPECT_EQ(demo_restarts, 1);
  }
};

std::vector<std::string> captions(const menu_item *menu) {
  std::vector<std::string> out;
  for (int i = 0; i < menu_length(menu); i++) out.push_back(menu[i].text);
  return out;
}

}  // namespace

TEST_F(DisplayOptions, TheDriverListIsTheLibrarysUpToNineDrivers) {
  EXPECT_EQ(driver_count, 4);
  EXPECT_EQ(captions(mydrivers), (std::vector<std::string>{"X11 fullscreen", "X11 window",
                                                           "DGA 2.0 soft", "DGA 2.0", "Back"}));
  EXPECT_STREQ(mydrivers[0].alt_text, "XWFS");
  EXPECT_STREQ(mydrivers[1].alt_text, "XWIN");
  EXPECT_EQ(my_gfx_driver[1], WINDOW_DRIVER);
  for (int i = 0; i < driver_count; i++) {
    EXPECT_EQ(mydrivers[i].kind, MENU_CHOICE);
    EXPECT_NE(mydrivers[i].handler, nullptr);
  }

  for (int i = 0; i < LONG_LIST; i++) long_list[i] = {driver_id('D', 'R', 'V', 'A' + i), &dga_record, 0};
  long_list[LONG_LIST] = {0, nullptr, 0};
  system_driver->gfx_drivers = long_drivers;
  get_gfx_drivers();
  EXPECT_EQ(driver_count, MAX_MENU_DRIVERS);
  EXPECT_EQ(menu_length(mydrivers), MAX_MENU_DRIVERS + 1);
  EXPECT_STREQ(mydrivers[MAX_MENU_DRIVERS - 1].alt_text, "DRVI");
  EXPECT_EQ(mydrivers[MAX_MENU_DRIVERS].kind, MENU_BACK);
}

TEST_F(DisplayOptions, TheWalkTakesNarrowSizesAtTheDepthInUseFromTheLargestDown) {
  fullscreen_modes = {{320, 200, 8}, {320, 240, 8}, {400, 300, 8},  {512, 384, 8},
                      {640, 400, 8}, {640, 480, 8}, {800, 600, 8},  {1024, 768, 8},
                      {640, 480, 16}, {720, 576, 32}};
  menu_driver = 0;
  get_res_list();
  EXPECT_EQ(res_count, 5);
  EXPECT_EQ(captions(myresolutions), (std::vector<std::string>{"800 x 600", "640 x 480", "512 x 384",
                                                               "400 x 300", "320 x 240", "Back"}));
  EXPECT_EQ(gmodes[2].w, 512);
  EXPECT_EQ(gmodes[2].h, 384);

  // At most nine sizes, then "Back".
  fullscreen_modes.clear();
  for (int i = 0; i < 12; i++) fullscreen_modes.push_back({300 + 40 * i, 200 + 30 * i, 8});
  get_res_list();
  EXPECT_EQ(res_count, MAX_RESOLUTIONS);
  EXPECT_EQ(myresolutions[0].text, std::string("740 x 530"));
  EXPECT_EQ(myresolutions[MAX_RESOLUTIONS].kind, MENU_BACK);
}

TEST_F(DisplayOptions, ADriverWithoutSizesToOfferGetsTheFixedList) {
  const std::vector<std::string> fixed = {"800 x 600", "640 x 480", "512 x 448 (orig*2 h)",
                                          "448 x 512 (orig*2 v)", "400 x 300", "320 x 240",
                                          "Back"};
  menu_driver = 1;  // the window lists no modes
  get_res_list();
  EXPECT_EQ(captions(myresolutions), fixed);
  EXPECT_EQ(res_count, FIXED_RES_COUNT);
  EXPECT_EQ(gmodes[3].w, 448);
  // Only the X server's own size, too wide to offer (as under Xvfb).
  menu_driver = 0;
  get_res_list();
  EXPECT_EQ(captions(myresolutions), fixed);
}

TEST_F(DisplayOptions, TheCursorStartsOnTheSizeInUseAmongThisDriversEntriesOnly) {
  // The window's fixed list holds 448 x 512 at index 3.
  menu_driver = 1;
  run(do_res_menu, choose(3, 3));
  EXPECT_EQ(menu_res, 3);
  // A list of two sizes: the fixed list's 448 x 512 is still in the table
  // behind them but is not this driver's, so the cursor starts at the top.
  fullscreen_modes = {{320, 240, 8}, {640, 480, 8}};
  menu_driver = 0;
  run(do_res_menu, choose(0, 0));
  EXPECT_EQ(menu_res, 0);
  EXPECT_EQ(gmodes[menu_res].w, 640);
}

TEST_F(DisplayOptions, ChoosingADriverAndSizeOpensThatModeAndBackChangesNothing) {
  // The driver in use is highlighted; Back in the sizes, then Escape.
  run(do_drivers_menu, then(choose(1, 1), choose(3, FIXED_RES_COUNT)));
  expect_no_change();
  EXPECT_EQ(menu_res, MENU_LEFT);
  run(do_drivers_menu, {0, KEY_ESC});
  expect_no_change();

  // The full-screen driver's list offers 640 x 480 at this depth.
  fullscreen_modes = {{640, 480, 8}, {1024, 768, 8}};
  updatemethod = METHOD_DOUBLE_BUFFER;
  run(do_drivers_menu, then(choose(1, 0), choose(0, 0)));
  expect_new_mode(FULLSCREEN_DRIVER, 640, 480, 8);
  EXPECT_EQ(gr_driver, FULLSCREEN_DRIVER);
  EXPECT_EQ(SCREEN_W, 640);
}

TEST_F(DisplayOptions, ADepthOtherThanTheOneInUseOpensANewModeAtTheSameSize) {
  run(do_bpp_menu, choose(5, 5));  // "8 bpp", in use, is highlighted
  expect_no_change();
  // Headless the library knows no desktop depth: the item asks for 32.
  EXPECT_EQ(mybpps[BPP_DESKTOP].value, 32);

  updatemethod = METHOD_DOUBLE_BUFFER;
  run(do_bpp_menu, choose(5, 3));  // "16 bpp"
  expect_new_mode(WINDOW_DRIVER, 448, 512, 16);
  EXPECT_EQ(bpp, 16);
}

TEST_F(DisplayOptions, ARateOtherThanTheOneInUseIsRequestedInANewMode) {
  ASSERT_EQ(hz, ASSUMED_HZ);  // the fake card reports no rate
  run(do_refresh_menu, choose(2, 2));  // "60 Hz" is highlighted
  expect_no_change();
  updatemethod = METHOD_PAGE_FLIPPING;
  run(do_refresh_menu, choose(2, 3));  // "50 Hz"
  expect_new_mode(WINDOW_DRIVER, 448, 512, 8);
  EXPECT_EQ(_refresh_rate_request, 50);
}

TEST_F(DisplayOptions, AnUpdateMethodNeedsANewModeOnlyForOtherPageCounts) {
  // Only the chosen method's own page count is equal to it among the three.
  EXPECT_EQ(num_pages(METHOD_SYSTEM_DOUBLE_BUFFER), -4);
  EXPECT_EQ(num_pages(99), 0);
  run(do_methods_menu, choose(0, 0));
  expect_no_change();
  EXPECT_EQ(updatemethod, METHOD_TRIPLE_BUFFER);

  run(do_methods_menu, choose(0, 2));
  ASSERT_EQ(card.attempts.size(), 1u);
  EXPECT_EQ(updatemethod, METHOD_DOUBLE_BUFFER);
  EXPECT_EQ(demo_restarts, 1);
}

TEST_F(DisplayOptions, TheTimerMethodsInstallTheTickTimerAndTheOthersRemoveIt) {
  run(do_regulate_menu, choose(0, 1));  // "Timer no Vsync"
  EXPECT_EQ(regulate_method, REGULATE_TIMER_NO_VSYNC);
  EXPECT_EQ(usetimer, -1);
  EXPECT_EQ(timers_installed, 1);
  EXPECT_EQ(timers_removed, 0);
  run(do_regulate_menu, choose(1, 0));  // "Time Difference"
  EXPECT_EQ(regulate_method, REGULATE_TIME_DIFFERENCE);
  EXPECT_EQ(usetimer, 0);
  EXPECT_EQ(timers_removed, 1);
  run(do_regulate_menu, {0, KEY_ESC});
  EXPECT_EQ(timers_installed, 1);
  expect_no_change();
}
