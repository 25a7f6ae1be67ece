#include <allegro.h>

#include <cerrno>
#include <cstdio>

#include "app/startup.h"
#include "frontend/menu.h"
#include "platform/signals.h"
#include "shell/command_line.h"
#include "shell/shell.h"

int main(int argc, char **argv) {
  const int answered = answer_command_line(argc, argv);
  if (answered >= 0) return answered;
  if (argc > 0) chdir_to_executable(argv[0]);

  if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
    report_start_failure();
    return EXIT_FATAL;
  }
  // After the library's start-up, which sets handlers of its own.
  install_quit_handlers();
  install_display_loss_handler();
  install_timer();

  init_main();
  menu_loop();
  main_exit(EXIT_QUIT);
}
END_OF_MAIN()
