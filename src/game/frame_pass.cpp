#include "game/frame_pass.h"

#include "display/frame.h"
#include "enemies/paths.h"
#include "game/ship.h"
#include "game/world.h"
#include "platform/signals.h"
#include "render/screen.h"

long frame_pass_count = 0;
frame_hook after_frame = nullptr;

void frame_pass(frame_hook input, bool world_step, frame_hook overlay) {
  leave_if_asked();
  if (input) input();
  if (world_step) game_logic();
  BeginDrawing();
  draw_screen();
  draw_path_view();  // a check of the flight paths by eye, over the picture
  if (overlay) overlay();
  EndDrawing();
  frame_pass_count++;
  if (after_frame) after_frame();
}

void run_frame(frame_hook overlay) { frame_pass(user_input, true, overlay); }
