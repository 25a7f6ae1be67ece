// Prints the high score table of a hi.dat as the game reads it, one line
// per entry: "rank score name round stage".
#include <allegro.h>

#include <cerrno>
#include <cstdio>

#include "frontend/hiscore.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: hi_dump HI_DAT\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
  default_high_score_table();
  if (!read_high_score_file(argv[1])) {
    fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  for (int i = 0; i < HI_SCORE_LINES; i++) {
    const hi_score &h = hi_score_table[i];
    printf("%d %d %s %d %d\n", i + 1, h.score, h.name[0] ? h.name : "-", h.round, h.stage);
  }
  return 0;
}
