#include <allegro.h>

#include <cerrno>
#include <cstdio>

#include "frontend/viewer.h"
#include "shell/shell.h"

int main(int argc, char **argv) {
  if (argc > 0) chdir_to_executable(argv[0]);

  if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
    puts("Failed to initialize allegro");
    return 1;
  }
  install_timer();

  init_main();
  // Until the menus exist, the program shows the level scrolling.
  run_level_viewer();
}
END_OF_MAIN()
