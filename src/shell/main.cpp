#include <allegro.h>

#include <cerrno>
#include <cstdio>

#include "game/play.h"
#include "game/state.h"
#include "shell/shell.h"

int main(int argc, char **argv) {
  if (argc > 0) chdir_to_executable(argv[0]);

  if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
    puts("Failed to initialize allegro");
    return 1;
  }
  install_timer();

  init_main();
  // Until the menus exist, the program plays one game after another for
  // the player; End leaves from inside the game.
  for (;;) {
    demomode_flag = 0;
    current_player = &player1;
    play_game();
  }
}
END_OF_MAIN()
