#include "game/ship.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "display/frame.h"
#include "display/gfx.h"
#include "game/setup.h"
#include "game/switches.h"
#include "world/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/input.h"
#include "platform/signals.h"
#include "render/screen_objects.h"
#include "shell/datafile_index.h"
#include "shell/paths.h"
#include "shell/shell.h"

char key_input[KEY_INPUT_SIZE] = {' ', ' ', '\0'};
int input_released = -1;

namespace {

constexpr int PAUSE_POLL_MS = 10;
constexpr int KEY_UP_POLL_MS = 1;  // the wait for P to come up: no busy spin
constexpr int SCREEN_OBJECT_DYNAMIC = -1;

// The cheat-code keys and their characters, in the order they are tested.
struct code_key {
  int scancode;
  char c;
};
constexpr code_key CODE_KEYS[] = {
    {KEY_0, '0'}, {KEY_1, '1'}, {KEY_2, '2'}, {KEY_3, '3'}, {KEY_4, '4'},
    {KEY_D, 'D'}, {KEY_I, 'I'}, {KEY_W, 'W'}, {KEY_F, 'F'}, {KEY_L, 'L'},
    {KEY_N, 'N'}, {KEY_E, 'E'}, {KEY_A, 'A'},
};

void toggle(int &flag) { flag = flag == -1 ? 0 : -1; }

// A single-press action: done once per press of its key.
template <class F> void once(F action) {
  if (take_press(input_released)) action();
}

// While the game waits in the pause, End and a stopping signal still quit.
void pause_wait(int ms) {
  input_wait(ms);
  poll_input();
  if (key[KEY_END]) main_exit(EXIT_QUIT);
  leave_if_asked();
}

void pause_game() {
  while (key[KEY_P]) pause_wait(KEY_UP_POLL_MS);
  if (current_player->lives > 0) {
    do {
      if (key[KEY_ESC]) {
        end_life = -1;
        current_player->lives = 0;
      }
      if (key[KEY_LSHIFT]) paused = -1;
      pause_wait(PAUSE_POLL_MS);
    } while (!key[KEY_P] && current_player->lives > 0);
  }
  if (key[KEY_P] && paused != -1)
    while (key[KEY_P]) pause_wait(PAUSE_POLL_MS);
}

void fire() {
  if (static_cast<float>(ship_bullet_last_fired) < game_time - FIRE_INTERVAL_TICKS &&
      (input_released == -1 || auto_fire == -1)) {
    for (bullet &b : ship_bullets) {
      if (b.active) continue;
      if (inside_fortress < 1) {
        float d = 128.0f - shipalt;
        b.x = shipscreenx + 28.0f - d * 0.125f;
        b.y = shipscreeny + 2.0f + d / 24.0f;
        b.alt = static_cast<int>(shipalt - 2.0f);
      } else {
        b.x = shipscreenx + 28.0f;
        b.y = shipscreeny + 3.0f;
        b.alt = static_cast<int>(shipalt - 3.0f);
      }
      b.active = -1;
      play_common_sample(BORLIN_SHIP_SHOT_SAMPLE, 100, effect_pan(shipscreenx), 1000, 0);
      ship_bullet_last_fired = static_cast<unsigned int>(game_time);
      break;
    }
  }
  input_released = 0;
}

// Moves `speed` toward 0 by `step`, stopping at 0.
void settle(float &speed, float step) {
  if (speed > 0) {
    speed -= step;
    if (speed < 0) speed = 0;
  } else if (speed < 0) {
    speed += step;
    if (speed > 0) speed = 0;
  }
}

void steer() {
  const float tu = time_unit;
  bool up = key[KEY_UP] || key[KEY_8_PAD] || stick_up();
  bool down = key[KEY_DOWN] || key[KEY_2_PAD] || stick_down();
  if (up || down) {
    altspeed += (up ? -1.0f : 1.0f) * reverse_logic * tu;
    if (altspeed < -ALTSPEED_LIMIT) altspeed = -ALTSPEED_LIMIT;
    if (altspeed > ALTSPEED_LIMIT) altspeed = ALTSPEED_LIMIT;
  } else {
    settle(altspeed, tu);
  }

  if (key[KEY_LEFT] || key[KEY_4_PAD] || stick_left()) {
    if (zspeed > -ZSPEED_LIMIT) zspeed -= 2.0f * tu;
  } else if (key[KEY_RIGHT] || key[KEY_6_PAD] || stick_right()) {
    if (zspeed < ZSPEED_LIMIT) zspeed += 2.0f * tu;
  } else {
    settle(zspeed, tu);
  }
}

bool fire_held() { return key[KEY_SPACE] || key[KEY_LCONTROL] || stick_fire(); }

}  // namespace

bool save_snapshot() {
  const RGB *pal = datafile_palette(commondata, BORLIN_NORMAL_PALETTE);
  const std::string path = save_path(SNAP_FILE);
  if (currentbuffer && save_bitmap(path.c_str(), currentbuffer, pal) == 0) return true;
  printf("Could not write the screenshot %s\n", path.c_str());
  fflush(stdout);
  return false;
}

void cheat_key(char c) {
  key_input[0] = key_input[1];
  key_input[1] = c;
  const char *k = key_input;
  bool cheat = true;
  if (!strcmp(k, "ID")) {
    toggle(ghostship_flag);
  } else if (!strcmp(k, "W0")) {
    warp_to(0, 0, BORLIN_NORMAL_PALETTE);
  } else if (!strcmp(k, "W1")) {
    warp_to(static_cast<int>((460 - screen_tile_w * 0.75f) * 8), 1, BORLIN_NORMAL_PALETTE);
  } else if (!strcmp(k, "W2")) {
    warp_to((614 - screen_tile_w) * 8, 5, BORLIN_NORMAL_PALETTE);
  } else if (!strcmp(k, "W3")) {
    warp_to((1170 - screen_tile_w) * 8, 5, BORLIN_NORMAL_PALETTE);
  } else if (!strcmp(k, "W4")) {
    warp_to(DEMO_START_SCROLL, DEMO_START_STRETCH, BORLIN_DEMO_PALETTE);
  } else if (!strcmp(k, "FF")) {
    fuel = FULL_FUEL;
  } else if (!strcmp(k, "FL")) {
    current_player->lives = CHEAT_LIVES;
  } else if (!strcmp(k, "NE")) {
    enemy_planes = 0;
  } else if (!strcmp(k, "AF")) {
    toggle(auto_fire);
    cheat = false;
  } else {
    return;
  }
  if (cheat) current_player->cheated = -1;
  key_input[1] = '\0';
}

void user_input() {
  poll_input();

  if (key[KEY_ENTER] || key[KEY_F5]) {
    once(change_fullscreen);
  } else if (key[KEY_ESC]) {
    once([] {
      end_life = -1;
      current_player->lives = 0;
    });
  } else if (key[KEY_F2]) {
    once([] { function_key(KEY_F2); });  // the same switches as in the menus
  } else if (key[KEY_F3]) {
    once([] { function_key(KEY_F3); });
  } else if (key[KEY_F4]) {
    once([] { function_key(KEY_F4); });
  } else if (key[KEY_END]) {
    main_exit(EXIT_QUIT);
  } else if (key[KEY_P] || paused == -1) {
    pause_game();
  } else if (key[KEY_S]) {
    once([] { save_snapshot(); });
  } else if (key[KEY_F1]) {
    once([] { toggle(show_info_flag); });
  } else if (key[KEY_G]) {
    once([] { toggle(ghostship_flag); });
  } else {
    bool code = false;
    for (const code_key &k : CODE_KEYS) {
      if (!key[k.scancode]) continue;
      once([&] { cheat_key(k.c); });
      code = true;
      break;
    }
    if (!code) {
      if (fire_held()) {
        if (ship_state >= 100) return;
        fire();
      } else {
        input_released = -1;
      }
    }
  }

  if (ship_state >= 100) return;
  steer();
}

void move_ship() {
  const float tu = time_unit;
  shipz += zspeed * tu * 0.125f;
  if (shipz < SHIPZ_MIN) {
    shipz = SHIPZ_MIN;
    zspeed = 0;
  } else if (shipz >= SHIPZ_MAX) {
    shipz = SHIPZ_MAX;
    zspeed = 0;
  }
  shipalt += altspeed * tu * 0.25f;
  if (shipalt > SHIPALT_MAX) {
    shipalt = SHIPALT_MAX;
    altspeed = 0;
  } else if (shipalt < SHIPALT_MIN && fuel > 0) {
    shipalt = SHIPALT_MIN;
    altspeed = 0;
  }
}

void ship_logic() {
  shipscreenx = shipz;
  shipscreeny = shipz * 0.5f + (ystart + 116) - shipalt;

  if (end_life == -1) return;
  // The grace after a restart: ticks against display refreshes, as the
  // round-end pause (world.cpp).
  bool blinking = ghostship_flag != 0 || (game_time <= GRACE_SECONDS * hz && current_player->lives <= 2);
  if (blinking && (static_cast<int>(game_time) & 12) == 0) return;

  // The picture by attitude; a shadow of -1 means the image is its own.
  struct attitude {
    int image, shadow;
  };
  constexpr attitude RIGHT_HARD{KESTAL_SHIP_RIGHT2, -1}, RIGHT{KESTAL_SHIP_RIGHT1, -1},
      LEFT_HARD{KESTAL_SHIP_LEFT2, BORLIN_SHIP_LEFT2_SHADOW},
      LEFT{KESTAL_SHIP_LEFT1, BORLIN_SHIP_LEFT1_SHADOW},
      LEVEL{KESTAL_SHIP_MIDDLE, BORLIN_SHIP_MIDDLE_SHADOW};
  attitude a = altspeed < -5  ? RIGHT_HARD
               : altspeed < 0 ? RIGHT
               : zspeed < -3  ? LEFT_HARD
               : zspeed < 0   ? LEFT
               : zspeed == 0  ? LEVEL
               : zspeed <= 3  ? RIGHT
                              : RIGHT_HARD;
  BITMAP *sprite = datafile_bitmap(data, a.image);
  BITMAP *shadow = a.shadow < 0 ? sprite : datafile_bitmap(commondata, a.shadow);
  add_screen_object(sprite, -1, 0, nullptr, shadow, shipscreenx - sprite->w / 2, shipscreeny,
                    0, shipalt, SCREEN_OBJECT_DYNAMIC, 0, 0);
}

void move_anims() {
  const float tu = time_unit;
  for (animation &a : anim_list) {
    if (a.count <= 0) continue;
    a.x += a.dx * tu;
    a.y += a.dy * tu;
    a.alt += a.dalt * tu;
    if (a.alt > 0)
      a.y -= tu * a.dalt;
    else
      a.alt = 0;
    if (a.x < 0 || a.y < 0 || a.x > SCREEN_W || a.y > SCREEN_H) a.count = 0;
  }
}
