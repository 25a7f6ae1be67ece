#include "frontend/hiscore_screen.h"

#include <allegro.h>

#include <cstdio>

#include "display/frame.h"
#include "frontend/hiscore.h"
#include "frontend/intro.h"
#include "frontend/menu_engine.h"
#include "frontend/notice.h"
#include "game/switches.h"
#include "frontend/titles.h"
#include "world/state.h"

namespace {

void draw_hi_score_screen() {
  titles(currentbuffer, TITLE_Y);
  draw_hi_score_lines(currentbuffer);
  draw_notice(currentbuffer);
}

}  // namespace

void hi_score_loop() {
  total_scores = count_total_scores();
  state = INTRO_STEADY;  // the menu's intro does not replay behind the table
  hi_function_key = function_key;
  while (do_hi_io() == 0) menu_frame_pass(nullptr, true, draw_hi_score_screen);
}

void hi_score_entry(player &p) {
  refresh_high_score_table();
  if (insert_high_score(p) < 0) return;
  hi_score_loop();
}

void show_hi_score_table() {
  enter_name = -1;
  hi_score_loop();
}
