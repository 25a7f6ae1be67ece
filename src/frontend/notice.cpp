#include "frontend/notice.h"

#include <allegro.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "display/frame.h"

char notice_line[2][NOTICE_TEXT_SIZE] = {};
float notice_until = 0;

namespace {

constexpr int NOTICE_COLOUR = 29;
constexpr int NOTICE_SHADE = 0;
constexpr int NOTICE_BOTTOM_MARGIN = 12;
constexpr int NOTICE_LINE_HEIGHT = 10;
constexpr int NOTICE_BAND_MARGIN = 4;

// A path as the user can find it again, whatever the working folder.
std::string full_path(const char *path) {
  if (path[0] == '/') return path;
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd)) return path;
  return std::string(cwd) + "/" + path;
}

}  // namespace

void post_notice(const char *headline, const char *detail) {
  snprintf(notice_line[0], NOTICE_TEXT_SIZE, "%s", headline);
  snprintf(notice_line[1], NOTICE_TEXT_SIZE, "%s", detail);
  notice_until = game_time + NOTICE_TICKS;
}

void draw_notice(BITMAP *dest) {
  // A clock reset (a new game) must not leave the note up for minutes.
  if (notice_until <= game_time || notice_until > game_time + NOTICE_TICKS) return;
  // On a dark band, over whatever scrolls behind it.
  const int top = dest->h - NOTICE_BOTTOM_MARGIN - NOTICE_LINE_HEIGHT - text_height(font);
  rectfill(dest, 0, top - NOTICE_BAND_MARGIN, dest->w - 1, top + 2 * NOTICE_LINE_HEIGHT + NOTICE_BAND_MARGIN - 2,
           palette_color[NOTICE_SHADE]);
  for (int i = 0; i < 2; i++)
    textout_centre_ex(dest, font, notice_line[i], dest->w / 2, top + NOTICE_LINE_HEIGHT * i,
                      palette_color[NOTICE_COLOUR], -1);
}

void report_save(bool saved, const char *what, const char *path, int error, bool say_where) {
  const std::string where = full_path(path);
  char headline[NOTICE_TEXT_SIZE];
  if (saved) {
    if (!say_where) return;
    snprintf(headline, sizeof headline, "Saved the %s in", what);
    printf("%s %s\n", headline, where.c_str());
    post_notice(headline, where.c_str());
    return;
  }
  fprintf(stderr, "Could not save the %s to %s: %s\n", what, where.c_str(), strerror(error));
  snprintf(headline, sizeof headline, "Could not save the %s:", what);
  char detail[NOTICE_TEXT_SIZE];
  snprintf(detail, sizeof detail, "%s (%s)", strerror(error), where.c_str());
  post_notice(headline, detail);
}
