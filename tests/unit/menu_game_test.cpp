// The menu with the real game behind it: Play, the start of a game and the
// way back through the score table, and the window/full-screen item.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/hiscore.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "game/frame_pass.h"
#include "game/ship.h"
#include "world/state.h"
#include "game_world.h"
#include "platform/input.h"
#include "platform/random.h"
#include "test_support.h"
#include "game/setup.h"
#include "frontend/intro.h"

namespace {

// What the scripted run saw.
struct Seen {
  int phase = 0;  // 0 menu before the game, 1-2 the table, 3-4 the menu after it
  int enter_waits = 0;
  int game_frames = 0;
  int game_demo_flag = 1;
  player *game_player = nullptr;
  int menu_frames_before = 0;
  int table_frames = 0;
  void (*menu_overlay)() = nullptr;
  void (*table_overlay)() = nullptr;
  int game_score = 0;  // what the game scores after its first frame
};
Seen seen;

void release_all() { memset(const_cast<char *>(key), 0, KEY_MAX); }

// The menu's and the table's frames: the keys of the script, no world.
void scripted_frame(void (*)(), bool, void (*overlay)()) {
  release_all();
  switch (seen.phase) {
    case 0:  // the main menu: Enter on "Play"
      seen.menu_overlay = overlay;
      seen.menu_frames_before++;
      key[KEY_ENTER] = 1;
      break;
    case 1:  // the table opened; Escape (still held from the game) is let go
    case 2:  // and pressed again: the table is left
      seen.table_overlay = overlay;
      seen.table_frames++;
      if (seen.phase++ == 2) key[KEY_ESC] = 1;
      break;
    case 3:  // the menu again: let go, then Escape leaves it
      seen.phase = 4;
      break;
    default:
      key[KEY_ESC] = 1;
      break;
  }
}

// The start of a game waits for Enter to be let go.
void waiting_for_enter(int) {
  seen.enter_waits++;
  if (seen.enter_waits == 3) key[KEY_ENTER] = 0;
}

// The game's frames: it scores after the first one, then Escape ends it.
void game_frame() {
  if (seen.game_frames++ == 0) {
    seen.game_demo_flag = demomode_flag;
    seen.game_player = current_player;
    current_player->score = seen.game_score;
    key[KEY_ESC] = 1;
  }
  seen.phase = seen.game_score > 0 ? 1 : 3;
}

struct MenuGame : ::testing::Test {
  inline static FakeCard *card = nullptr;
  static void SetUpTestSuite() { card = load_game_world(); }
  static void TearDownTestSuite() {
    unload_game_world(card);
    card = nullptr;
  }

  ScratchDir dir;  // nothing may be saved, but never into the source tree
  player saved_player = player1, saved_demo = demo_player;
  player *saved_current = current_player;
  static constexpr int SAVED_INTS = 12;
  int *ints[SAVED_INTS] = {&demomode_flag, &hz,           &pretend_75hz,         &top_score,
                           &last_score,    &state,        &enter_name,           &total_scores,
                           &menu_released, &infullscreen, &last_bpp_in_fullscreen, &last_bpp_in_windowed};
  int saved_ints[SAVED_INTS] = {};
  float saved_substate = substate;
  const menu_item *saved_last_mnu = last_mnu;
  std::array<hi_score, HI_SCORE_LINES> saved_table{};
  std::array<menu_item, MAIN_ITEMS> saved_main{};
  void (*saved_pass)(void (*)(), bool, void (*)()) = menu_frame_pass;
  void (*saved_wait)(int) = input_wait;
  void (*saved_hi_key)(int) = hi_function_key;

  MenuGame() {
    for (int i = 0; i < SAVED_INTS; i++) saved_ints[i] = *ints[i];
    std::copy(std::begin(hi_score_table), std::end(hi_score_table), saved_table.begin());
    std::copy(std::begin(mymain), std::end(mymain), saved_main.begin());
    release_all();
    clear_keybuf();
    seed_game_rand(1234);
    hz = 75;
    pretend_75hz = -1;  // every frame one tick
    input_released = -1;
    menu_released = -1;
    state = INTRO_STEADY;
    default_high_score_table();
    menu_frame_pass = scripted_frame;
    input_wait = waiting_for_enter;
    after_frame = game_frame;
    seen = Seen{};
  }
  ~MenuGame() override {
    release_all();
    clear_keybuf();
    after_frame = nullptr;
    menu_frame_pass = saved_pass;
    input_wait = saved_wait;
    hi_function_key = saved_hi_key;
    player1 = saved_player;
    demo_player = saved_demo;
    current_player = saved_current;
    for (int i = 0; i < SAVED_INTS; i++) *ints[i] = saved_ints[i];
    substate = saved_substate;
    last_mnu = saved_last_mnu;
    std::copy(saved_table.begin(), saved_table.end(), hi_score_table);
    std::copy(saved_main.begin(), saved_main.end(), mymain);
  }

  static void expect_demo_behind_the_menu() {
    EXPECT_EQ(demomode_flag, -1);
    EXPECT_EQ(current_player, &demo_player);
    EXPECT_FLOAT_EQ(shipscreenx, DEMO_SHIP_X);
    EXPECT_FLOAT_EQ(shipscreeny, DEMO_SHIP_Y);
    EXPECT_FLOAT_EQ(shipalt, DEMO_SHIP_ALT);
  }
};

}  // namespace

TEST_F(MenuGame, PlayStartsAGameForThePlayerAndEndsAtTheTableWithTheNewLine) {
  seen.game_score = 1234;
  menu_loop();

  EXPECT_EQ(seen.menu_frames_before, 1);
  EXPECT_EQ(seen.enter_waits, 3);  // the game waited for Enter to be let go
  EXPECT_EQ(seen.game_demo_flag, 0);
  EXPECT_EQ(seen.game_player, &player1);
  EXPECT_EQ(seen.game_frames, 2);
  EXPECT_EQ(last_score, 1234);

  // The table opened after the game, over the restarted demo, with its own
  // picture; Escape left it with the name unsaved.
  EXPECT_EQ(seen.table_frames, 2);
  EXPECT_NE(seen.table_overlay, seen.menu_overlay);
  EXPECT_EQ(hi_score_table[0].score, 1234);
  EXPECT_STREQ(hi_score_table[0].name, "A");
  EXPECT_FALSE(std::filesystem::exists(HI_SCORE_FILE));
  expect_demo_behind_the_menu();
  EXPECT_EQ(state, INTRO_STEADY);  // the table keeps the intro from replaying
  EXPECT_EQ(last_mnu, mymain);
  EXPECT_EQ(seen.phase, 4);  // and the main menu was left with Escape
}

TEST_F(MenuGame, AGameWithoutAPlaceReturnsToTheIntroOverANewDemo) {
  seen.game_score = 0;
  hi_score_table[0].score = 10;
  for (float &t : last_selected) t = 5000.0f;  // far in the game clock's future
  start_game_from_menu(mymain);

  EXPECT_EQ(seen.enter_waits, 0);  // Enter was not held
  EXPECT_EQ(seen.game_player, &player1);
  EXPECT_EQ(seen.table_frames, 0);
  EXPECT_EQ(state, INTRO_FADE);
  expect_demo_behind_the_menu();
  // The items' timers start again from the game's clock.
  for (float t : last_selected) EXPECT_EQ(t, LONG_AGO);
}

TEST_F(MenuGame, TheFullScreenItemFollowsTheSwitchFromTheMenuAndFromF5) {
  init_demo_game();
  infullscreen = 0;
  mymain[MAIN_FULLSCREEN].value = 0;
  int sel = MAIN_FULLSCREEN;
  key[KEY_ENTER] = 1;
  EXPECT_EQ(do_menu_io(mymain, sel), MENU_GOES_ON);
  EXPECT_EQ(infullscreen, -1);
  EXPECT_EQ(SCREEN_W, SWITCH_FULLSCREEN_W);
  EXPECT_EQ(menu_item_value(mymain[MAIN_FULLSCREEN]), -1);  // reads "WindOwed"

  // F5 from any menu, and the switch in play, keep the item in step.
  key[KEY_ENTER] = 0;
  EXPECT_EQ(do_menu_io(mymain, sel), MENU_GOES_ON);
  key[KEY_F5] = 1;
  EXPECT_EQ(do_menu_io(mymain, sel), MENU_GOES_ON);
  EXPECT_EQ(infullscreen, 0);
  EXPECT_EQ(SCREEN_W, SWITCH_WINDOW_W);
  EXPECT_EQ(menu_item_value(mymain[MAIN_FULLSCREEN]), 0);  // reads "Fullscreen"

  change_graphics_mode(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_DOUBLE_BUFFER);
}
