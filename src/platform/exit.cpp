#include "platform/exit.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

namespace {

void (*exit_releases[MAX_EXIT_RELEASES])();
int exit_release_count = 0;

}  // namespace

void release_at_exit(void (*release)()) {
  for (int i = 0; i < exit_release_count; i++)
    if (exit_releases[i] == release) return;
  if (exit_release_count == MAX_EXIT_RELEASES) {
    puts("Too many releases at exit");
    main_exit(EXIT_FATAL);
  }
  exit_releases[exit_release_count++] = release;
}

void main_exit(int status) {
  // A release that leaves again runs no second time.
  while (exit_release_count > 0) exit_releases[--exit_release_count]();
  allegro_exit();
  fflush(stdout);
  exit(status);
}

void do_exit() {
  fflush(stdout);
  exit(EXIT_QUIT);
}
