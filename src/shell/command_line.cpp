#include "shell/command_line.h"

#include <X11/Xlib.h>
#include <allegro.h>

#include <cstdlib>
#include <cstring>

const char *const borlin_version = BORLIN_VERSION;

namespace {

constexpr int EXIT_USAGE = 2;

constexpr const char *KEYS_TEXT =
    "Keys in play:\n"
    "  Left, Right (keypad 4, 6)   steer across the strip\n"
    "  Up, Down (keypad 8, 2)      dive and climb (F4 reverses them)\n"
    "  Space, Left Ctrl            fire\n"
    "  P                           pause; Left Shift in a pause: single steps\n"
    "  S                           save the picture as snap.bmp\n"
    "  F1                          show or hide the information display\n"
    "  F2                          fast or fancy shadows\n"
    "  F3                          cycle the sprite-map views\n"
    "  Enter, F5                   window or full screen\n"
    "  Escape                      end the game, or leave a menu\n"
    "  End                         quit at once\n"
    "In the menus: Up, Down to move, Enter, Space or Ctrl to choose.\n";

}  // namespace

void print_usage(FILE *out) {
  fputs("Usage: borlin [--help | --version]\n"
        "An isometric arcade shoot-'em-up for an X display.\n\n",
        out);
  fputs(KEYS_TEXT, out);
}

int answer_command_line(int argc, char **argv) {
  if (argc < 2) return -1;
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    print_usage(stdout);
    return EXIT_SUCCESS;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    printf("borlin %s\n", borlin_version);
    return EXIT_SUCCESS;
  }
  fprintf(stderr, "borlin: unknown option %s\n", argv[1]);
  print_usage(stderr);
  return EXIT_USAGE;
}

void report_start_failure() {
  const char *display = getenv("DISPLAY");
  if (!display || !*display) {
    fputs("Borlin needs an X display, and DISPLAY is not set.\n", stderr);
    return;
  }
  Display *d = XOpenDisplay(nullptr);
  if (!d) {
    fprintf(stderr, "Borlin needs an X display and could not open display \"%s\".\n", display);
    return;
  }
  XCloseDisplay(d);
  // The display is there: the library failed for a reason of its own.
  fprintf(stderr, "Failed to initialize allegro%s%s\n", allegro_error[0] ? ": " : "", allegro_error);
}
