#include "frontend/hiscore_screen.h"

#include <allegro.h>

#include <cstdio>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/hiscore.h"
#include "frontend/menu.h"
#include "frontend/titles.h"
#include "game/state.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

BITMAP *hi_icon = nullptr;

namespace {

constexpr int SCORE_TEXT_SIZE = 16;
constexpr int NAME_COLOUR_CYCLE = 15;  // mask of the game time's ticks

}  // namespace

void make_hi_icon() {
  if (hi_icon) return;
  BITMAP *marker = datafile_bitmap(data, KESTAL_ROUND_MARKER);
  if (!marker) return;
  set_color_depth(8);
  hi_icon = create_bitmap(marker->w / 2, marker->h / 2);
  if (hi_icon) stretch_blit(marker, hi_icon, 0, 0, marker->w, marker->h, 0, 0, hi_icon->w, hi_icon->h);
  set_color_depth(bpp);
}

void destroy_hi_score_icon() {
  if (hi_icon) destroy_bitmap(hi_icon);
  hi_icon = nullptr;
}

void draw_hi_score_lines() {
  if (hi_score_table[0].score == 0) {
    nise_text("No hi Scores", HI_EMPTY_Y, HI_EMPTY_COLOUR);
    return;
  }
  const int centre = SCREEN_W / 2;
  char text[SCORE_TEXT_SIZE];
  for (int i = 0; i < HI_SCORE_LINES && hi_score_table[i].score != 0; i++) {
    const hi_score &line = hi_score_table[i];
    const int y = HI_FIRST_LINE_Y + HI_LINE_HEIGHT * i;
    const int c = hi_line_colour(total_scores, i);

    snprintf(text, sizeof text, "%d", i + 1);
    outlined_text(text, centre + HI_RANK_FROM_CENTRE - caption_width(text) / 2, y, c);
    const char *mark = hi_cheat_mark(line);
    if (*mark) outlined_text(mark, centre + HI_CHEAT_FROM_CENTRE - caption_width(mark), y, c);
    snprintf(text, sizeof text, "%7d", line.score);
    outlined_text(text, centre + HI_SCORE_FROM_CENTRE - caption_width(text), y, c);
    int name_colour = i == enter_name ? HI_NAME_COLOURS + (static_cast<int>(game_time) & NAME_COLOUR_CYCLE) : c;
    outlined_text(line.name, centre + HI_NAME_FROM_CENTRE, y, name_colour);
    if (hi_icon)
      for (int j = 1; j <= line.round; j++)
        draw_sprite(currentbuffer, hi_icon, centre + HI_ICONS_FROM_CENTRE + HI_ICON_SPACING * j,
                    y + HI_ICON_DROP);
  }
}


namespace {

void draw_hi_score_screen() {
  titles(currentbuffer, TITLE_Y);
  draw_hi_score_lines();
}

}  // namespace

void hi_score_loop() {
  make_hi_icon();
  total_scores = count_total_scores();
  state = INTRO_STEADY;  // the menu's intro does not replay behind the table
  hi_function_key = menu_function_key;
  while (do_hi_io() == 0) menu_frame_pass(true, draw_hi_score_screen);
}

void hi_score_entry(player &p) {
  if (insert_high_score(p) < 0) return;
  hi_score_loop();
}

void show_hi_score_table() {
  enter_name = -1;
  hi_score_loop();
}
