#include "frontend/options.h"

#include <allegro.h>

#include "display/frame.h"
#include "frontend/menu.h"
#include "game/state.h"
#include "shell/shell.h"

int (*install_tick_timer)(void (*)(), long) = install_int_ex;
void (*remove_tick_timer)(void (*)()) = remove_int;

namespace {

struct regulation_switches {
  int usetimer;
  int waitforvsync;
  int pretend_75hz;
};

// By regulate_method; any other value sets nothing.
constexpr regulation_switches REGULATION_TABLE[] = {
    {0, 0, 0},   // "Time Difference"
    {-1, 0, 0},  // "Timer no Vsync"
    {-1, 1, 0},  // "Timer and Vsync"
    {0, 1, 0},   // "Game=Screen Hz"
    {0, 1, -1},  // every frame one tick
};
constexpr int REGULATION_COUNT = sizeof REGULATION_TABLE / sizeof REGULATION_TABLE[0];

}  // namespace

void set_opts_switches() {
  if (usetimer == -1) remove_tick_timer(inc_game_ticks);

  bulletshadows = myopts[OPTS_SHADOWS].value != 0 ? -1 : 0;
  reverse_logic = myopts[OPTS_REVERSE_ALT].value == 0 ? 1 : -1;

  waitforvsync = 0;
  usetimer = 0;
  pretend_75hz = 0;
  if (regulate_method >= 0 && regulate_method < REGULATION_COUNT) {
    const regulation_switches &s = REGULATION_TABLE[regulate_method];
    usetimer = s.usetimer;
    waitforvsync = s.waitforvsync;
    pretend_75hz = s.pretend_75hz;
  }

  if (usetimer == -1) install_tick_timer(inc_game_ticks, GAME_TICK_PERIOD);
}
