#include "frontend/titles.h"

#include <allegro.h>

#include "display/frame.h"
#include "frontend/intro.h"
#include "render/captions.h"
#include "world/state.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

const credit credits[CREDIT_COUNT] = {
    {"Powered by Allegro game library", 23, 600},
    {"Allegro 4 lives at liballeg.org", 12, 1000},
    {"Thanks to the Debian packagers at packages.debian.org", 39, 1500},
    {"Thanks to our play testers for their feedback and testing", 29, 2000},
    {"Thanks to everyone who cheered the team on", 95, 2500},
};

const char *const title_subtitle = "RAID THE FORTRESS STRIP";
const char *const title_by = "by";
const char *const title_author = "The Borlin team";
const char *const title_address = "Made with Allegro 4, CMake and GoogleTest";

float credit_offset = CREDITS_RESTART;

namespace {

constexpr int CREDIT_SHADOW_DARKER = 4;

void draw_credits(BITMAP *bitmap) {
  credit_offset += CREDITS_SPEED * time_unit;
  if (credit_offset > CREDITS_END) credit_offset = CREDITS_RESTART;
  for (const credit &c : credits) {
    int x = static_cast<int>(c.start - credit_offset);
    if (x + text_length(font, c.text) < 0 || x >= SCREEN_W) continue;
    textout_ex(bitmap, font, c.text, x + 1, CREDITS_Y + 1,
               palette_color[c.colour - CREDIT_SHADOW_DARKER], -1);
    textout_ex(bitmap, font, c.text, x, CREDITS_Y, palette_color[c.colour], -1);
  }
}

void author_line(BITMAP *bitmap, const char *text, int from_bottom) {
  textout_centre_ex(bitmap, font, text, SCREEN_W / 2, SCREEN_H - from_bottom,
                    palette_color[AUTHOR_COLOUR], -1);
}

}  // namespace

void titles(BITMAP *bitmap, int y) {
  const bool overlay_off = show_info_flag != -1;
  BITMAP *logo = datafile_bitmap(commondata, BORLIN_LOGO);
  if (overlay_off) {
    // During the zoom the menu draws the logo itself.
    if (state > INTRO_ZOOM) draw_sprite(bitmap, logo, (SCREEN_W - logo->w) / 2, y);
    nise_text(title_subtitle, y + logo->h - SUBTITLE_RAISE, SUBTITLE_COLOUR);
  }
  draw_credits(bitmap);
  if (overlay_off) {
    author_line(bitmap, title_by, BY_FROM_BOTTOM);
    author_line(bitmap, title_author, AUTHOR_FROM_BOTTOM);
    author_line(bitmap, title_address, ADDRESS_FROM_BOTTOM);
  }
}
