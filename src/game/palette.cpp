#include "game/palette.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "game/state.h"
#include "platform/video.h"
#include "render/background.h"
#include "shell/shell.h"
#include "world/enemy_map.h"

namespace {

void clear_if_made(BITMAP *b) {
  if (b) clear_bitmap(b);
}

}  // namespace

void my_set_pallete(int palette, int mode) {
  if (palette == current_pal) return;
  // Not set_palette: in 8-bit X11 modes it waits for a simulated retrace.
  if (commondata) set_whole_palette(static_cast<const RGB *>(commondata[palette].dat));
  // Above 8 bits the working tiles hold colours converted in the old palette.
  if (bpp > 8) refresh_tileset();
  if (mode != KEEP_PICTURE) {
    clear_if_made(currentbuffer);
    clear_if_made(currentscreen);
    clear_if_made(background);
  } else if (bpp > 8 && background) {
    draw_all_background();
  }
  current_pal = palette;
  // Video copies of the kinds' sprites were converted in the old palette too.
  for (int i = 0; i < total_enemy_types; i++) {
    const enemy_type *k = enemy_type_list[i];
    if (k->base_sprite && k->video_sprite && k->sprite == k->video_sprite)
      blit(k->base_sprite, k->video_sprite, 0, 0, 0, 0, k->base_sprite->w, k->base_sprite->h);
  }
}

void set_palette_directly(int palette) {
  current_pal = palette;
  set_current_palette();
}
