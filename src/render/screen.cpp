#include "render/screen.h"

#include <allegro.h>

#include "display/frame.h"
#include "world/state.h"
#include "render/animations.h"
#include "render/background.h"
#include "render/hud.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"

namespace {

// The floor window sits 8 rows down in `background` and climbs half a row
// per scroll unit within a step.
constexpr int FLOOR_TOP = 8;

}  // namespace

void draw_screen() {
  blit(background, currentbuffer, scroll_offset, FLOOR_TOP - scroll_offset / 2, 0, 0, SCREEN_W,
       SCREEN_H);
  draw_anims();
  draw_screen_objects();
  if (demomode_flag != 0) {
    draw_last_scores();
  } else {
    draw_crosshair();
    draw_fuel();
    draw_lives();
    draw_altometer();
    draw_scores();
  }
  if (show_info_flag == -1) show_info();
  if (show3dmap > 0) draw_spritemap();
}
