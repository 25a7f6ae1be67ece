#include "game/ship.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/menu.h"
#include "world/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "platform/devices.h"
#include "platform/input.h"
#include "platform/signals.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

// Every global the controls touch, saved and put back, with a data file of
// silent samples so that shots can sound.
struct Controls : ::testing::Test {
  std::vector<DATAFILE> borlin{BORLIN_OBJECT_COUNT + 1};
  SAMPLE *silence = create_sample(8, 0, 11025, 16);
  DATAFILE *saved_common = commondata;
  player saved_player = player1;
  player *saved_current = current_player;
  float saved[10] = {shipz, shipalt, zspeed, altspeed, fuel, time_unit, game_time, shipscreenx,
                     shipscreeny, scrollpos};
  int saved_flags[14] = {ship_state, end_life, auto_fire, ghostship_flag, show_info_flag,
                         bulletshadows, reverse_logic, show3dmap, input_released, paused,
                         enemy_planes, hz, joy_ok, myopts[OPTS_SHADOWS].value};
  int saved_reverse_value = myopts[OPTS_REVERSE_ALT].value;
  unsigned int saved_fired = ship_bullet_last_fired;
  char saved_code[KEY_INPUT_SIZE];
  bullet saved_bullets[SHIP_BULLETS];
  void (*saved_wait)(int) = input_wait;

  Controls() {
    for (int i = 0; i < BORLIN_OBJECT_COUNT; i++)
      if (borlin_object_kinds[i] == DK_SAMPLE) borlin[i].dat = silence;
    commondata = borlin.data();
    memcpy(saved_code, key_input, sizeof key_input);
    memcpy(saved_bullets, ship_bullets, sizeof ship_bullets);
    memset(const_cast<char *>(key), 0, KEY_MAX);
    current_player = &player1;
    player1.lives = 3;
    player1.cheated = 0;
    shipz = 100;
    shipalt = 80;
    zspeed = altspeed = 0;
    fuel = 256;
    time_unit = 1;
    game_time = 100;
    ship_state = 0;
    end_life = 0;
    auto_fire = 0;
    ghostship_flag = 0;
    show_info_flag = 0;
    bulletshadows = myopts[OPTS_SHADOWS].value = -1;
    reverse_logic = 1;
    input_released = -1;
    paused = 0;
    hz = 75;
    joy_ok = 0;
    ship_bullet_last_fired = 0;
    strcpy(key_input, "  ");
    for (bullet &b : ship_bullets) b.active = 0;
  }
  ~Controls() override {
    memset(const_cast<char *>(key), 0, KEY_MAX);
    commondata = saved_common;
    destroy_sample(silence);
    player1 = saved_player;
    current_player = saved_current;
    float *f[] = {&shipz, &shipalt, &zspeed, &altspeed, &fuel, &time_unit, &game_time,
                  &shipscreenx, &shipscreeny, &scrollpos};
    for (int i = 0; i < 10; i++) *f[i] = saved[i];
    int *g[] = {&ship_state, &end_life, &auto_fire, &ghostship_flag, &show_info_flag,
                &bulletshadows, &reverse_logic, &show3dmap, &input_released, &paused,
                &enemy_planes, &hz, &joy_ok, &myopts[OPTS_SHADOWS].value};
    for (int i = 0; i < 14; i++) *g[i] = saved_flags[i];
    myopts[OPTS_REVERSE_ALT].value = saved_reverse_value;
    ship_bullet_last_fired = saved_fired;
    memcpy(key_input, saved_code, sizeof key_input);
    memcpy(ship_bullets, saved_bullets, sizeof ship_bullets);
    input_wait = saved_wait;
  }

  // One frame with `k` held (0: nothing held); the clock moves on a tick.
  void frame(int k = 0) {
    if (k) key[k] = 1;
    user_input();
    if (k) key[k] = 0;
    game_time += time_unit;
  }
  void hold(int k, int frames) {
    key[k] = 1;
    for (int i = 0; i < frames; i++) {
      user_input();
      game_time += time_unit;
    }
    key[k] = 0;
  }
  void type(const char *keys) {
    frame();  // whatever was held is let go first
    for (const char *c = keys; *c; c++) {
      int k = *c >= '0' && *c <= '9' ? KEY_0 + (*c - '0') : KEY_A + (*c - 'A');
      frame(k);
      frame();
    }
  }
  static int shots() {
    int n = 0;
    for (const bullet &b : ship_bullets) n += b.active == -1;
    return n;
  }
};

}  // namespace

TEST_F(Controls, ASingleActionKeyActsOncePerPressAndBlocksFireButNotMovement) {
  hold(KEY_F1, 5);
  EXPECT_EQ(show_info_flag, -1);
  frame();
  frame(KEY_F1);
  EXPECT_EQ(show_info_flag, 0);

  // F1 still held: fire is not reached, but the ship steers.
  key[KEY_F1] = 1;
  key[KEY_SPACE] = 1;
  key[KEY_LEFT] = 1;
  frame();
  key[KEY_F1] = key[KEY_SPACE] = key[KEY_LEFT] = 0;
  EXPECT_EQ(shots(), 0);
  EXPECT_EQ(show_info_flag, 0);
  EXPECT_FLOAT_EQ(zspeed, -2.0f);

  // Options switches follow their menu entries.
  frame(KEY_F2);
  EXPECT_EQ(bulletshadows, menu_item_value(myopts[OPTS_SHADOWS]));
  frame();
  frame(KEY_F4);
  EXPECT_EQ(reverse_logic, menu_item_value(myopts[OPTS_REVERSE_ALT]) == 0 ? 1 : -1);
  frame();
  for (int i = 0; i < 3; i++) {
    frame(KEY_F3);
    frame();
  }
  EXPECT_EQ(show3dmap, saved_flags[7]);
}

TEST_F(Controls, FireShootsOncePerPressAndAutoFireEveryTenTicks) {
  hold(KEY_SPACE, 40);
  EXPECT_EQ(shots(), 1);
  const bullet &b = ship_bullets[0];
  EXPECT_EQ(b.alt, 78);  // outside the fortresses: 2 below the ship
  EXPECT_FLOAT_EQ(b.x, shipscreenx + 28 - (128 - 80) * 0.125f);
  frame();
  frame(KEY_SPACE);
  EXPECT_EQ(shots(), 2);

  type("AF");
  EXPECT_EQ(auto_fire, -1);
  EXPECT_EQ(player1.cheated, 0);  // auto fire is no cheat
  for (bullet &s : ship_bullets) s.active = 0;
  hold(KEY_SPACE, 45);  // fires at ticks more than 10 apart
  EXPECT_EQ(shots(), 4);

  // With every slot in flight nothing more is fired.
  for (bullet &s : ship_bullets) s.active = -1;
  unsigned int last = ship_bullet_last_fired;
  hold(KEY_SPACE, 30);
  EXPECT_EQ(ship_bullet_last_fired, last);
}

TEST_F(Controls, ADestroyedShipNeitherFiresNorSteers) {
  ship_state = 100;
  key[KEY_LEFT] = 1;
  frame(KEY_SPACE);
  key[KEY_LEFT] = 0;
  EXPECT_EQ(shots(), 0);
  EXPECT_EQ(zspeed, 0);
}

TEST_F(Controls, AltitudeKeysFollowTheReverseSetting) {
  hold(KEY_UP, 3);
  EXPECT_FLOAT_EQ(altspeed, -3);  // up dives by default
  frame();
  EXPECT_FLOAT_EQ(altspeed, -2);  // settles toward 0 by one a tick
  altspeed = 0;
  reverse_logic = -1;
  hold(KEY_UP, 15);
  EXPECT_FLOAT_EQ(altspeed, 10);  // up climbs, up to the limit
  hold(KEY_DOWN, 1);
  EXPECT_FLOAT_EQ(altspeed, 9);

  // The speed across is tested against its limit before adding.
  time_unit = 2.5f;
  hold(KEY_RIGHT, 5);
  EXPECT_FLOAT_EQ(zspeed, 25);
}

TEST_F(Controls, CheatCodesTakeTwoNewKeysAndMarkTheGame) {
  fuel = 10;
  type("2W");
  EXPECT_EQ(player1.cheated, 0);
  type("FF");
  EXPECT_FLOAT_EQ(fuel, 256);
  EXPECT_EQ(player1.cheated, -1);
  // The F that completed "FF" is used up: "L" alone makes no "FL".
  type("L");
  EXPECT_EQ(player1.lives, 3);
  type("FL");
  EXPECT_EQ(player1.lives, CHEAT_LIVES);
  enemy_planes = 20;
  type("NE");
  EXPECT_EQ(enemy_planes, 0);
  type("ID");
  EXPECT_EQ(ghostship_flag, -1);
  player1.cheated = 0;
  frame(KEY_G);  // the direct toggle is no cheat code
  EXPECT_EQ(ghostship_flag, 0);
  EXPECT_EQ(player1.cheated, 0);
}

TEST_F(Controls, PauseWaitsPolitelyAndEscapeThereEndsTheGame) {
  static int waits, sleeps;
  waits = sleeps = 0;
  // P released after a few polls; Escape pressed in the pause; then P.
  input_wait = [](int ms) {
    waits++;
    if (ms > 0) sleeps++;
    if (waits == 3) key[KEY_P] = 0;
    if (waits == 5) key[KEY_ESC] = 1;
    if (waits == 7) key[KEY_P] = 1;
    if (waits == 9) key[KEY_P] = 0;
  };
  key[KEY_P] = 1;
  user_input();
  key[KEY_ESC] = 0;
  EXPECT_EQ(sleeps, waits);  // every poll sleeps
  EXPECT_GE(waits, 5);
  EXPECT_EQ(end_life, -1);
  EXPECT_EQ(player1.lives, 0);
  EXPECT_EQ(paused, 0);
}

using ControlsDeathTest = Controls;

TEST_F(ControlsDeathTest, EndAndAStoppingSignalQuitInThePauseAndInSingleSteps) {
  // End pressed while the pause waits for P.
  EXPECT_EXIT(
      {
        no_leak_check_in_child();
        input_wait = [](int) { key[KEY_END] = 1; };
        key[KEY_P] = 1;
        user_input();
        _exit(99);
      },
      ::testing::ExitedWithCode(EXIT_QUIT), "");
  // SIGTERM in single-step mode, which pauses every frame.
  EXPECT_EXIT(
      {
        no_leak_check_in_child();
        install_quit_handlers();
        input_wait = [](int) { raise(SIGTERM); };
        paused = -1;
        user_input();
        _exit(99);
      },
      ::testing::ExitedWithCode(EXIT_QUIT), "");
}

TEST_F(Controls, TheShipStaysWithinItsBoundsWhileItHasFuel) {
  zspeed = -24;
  altspeed = 10;
  time_unit = 2.5f;
  for (int i = 0; i < 100; i++) move_ship();
  EXPECT_EQ(shipz, 32);
  EXPECT_EQ(shipalt, 145);
  EXPECT_EQ(zspeed, 0);
  EXPECT_EQ(altspeed, 0);
  zspeed = 24;
  altspeed = -10;
  for (int i = 0; i < 100; i++) move_ship();
  EXPECT_EQ(shipz, 260);
  EXPECT_EQ(shipalt, 11);

  // Without fuel nothing holds it up.
  fuel = 0;
  altspeed = -4;
  move_ship();
  EXPECT_FLOAT_EQ(shipalt, 8.5f);
}

TEST_F(Controls, ASnapshotThatCannotBeWrittenIsReported) {
  ScratchDir dir;
  std::vector<RGB> pal(PAL_SIZE);
  borlin[BORLIN_NORMAL_PALETTE].dat = pal.data();
  BITMAP *saved_buffer = currentbuffer;
  currentbuffer = create_bitmap(32, 32);
  clear_to_color(currentbuffer, 5);
  EXPECT_TRUE(save_snapshot());
  EXPECT_FALSE(read_file(dir.path + "/snap.bmp").empty());
  // A folder in the file's place makes the write fail, as a read-only
  // folder does (which the superuser could still write to).
  std::remove("snap.bmp");
  std::filesystem::create_directory("snap.bmp");
  std::string out = capture_stdout([] { EXPECT_FALSE(save_snapshot()); });
  EXPECT_NE(out.find("snap.bmp"), std::string::npos);
  destroy_bitmap(currentbuffer);
  currentbuffer = saved_buffer;
}
