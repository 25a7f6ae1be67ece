#include <allegro.h>

#include <cerrno>
#include <cstdio>

#include "app/startup.h"
#include "frontend/menu.h"
#include "shell/shell.h"

int main(int argc, char **argv) {
  if (argc > 0) chdir_to_executable(argv[0]);

  if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
    puts("Failed to initialize allegro");
    return 1;
  }
  install_timer();

  init_main();
  menu_loop();
  main_exit(EXIT_QUIT);
}
END_OF_MAIN()
