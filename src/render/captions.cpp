#include "render/captions.h"

#include <allegro.h>

#include "display/frame.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

namespace {

FONT *caption_font() {
  FONT *f = datafile_font(commondata, BORLIN_CAPTION_FONT);
  return f ? f : font;
}

}  // namespace

int caption_width(const char *text) { return text_length(caption_font(), text); }

void nise_text(const char *text, int y, int colour) {
  outlined_text(currentbuffer, text, (SCREEN_W - caption_width(text)) / 2, y, colour);
}

void outlined_text(BITMAP *dest, const char *text, int x, int y, int colour) {
  FONT *f = caption_font();
  const int outline = palette_color[colour - OUTLINE_DARKER];
  constexpr int AROUND[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const auto &d : AROUND) textout_ex(dest, f, text, x + d[0], y + d[1], outline, -1);
  textout_ex(dest, f, text, x, y, palette_color[colour], -1);
}
