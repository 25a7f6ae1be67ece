#include "render/palette.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
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
  show_palette(palette);
  // Above 8 bits the working tiles hold colours converted in the old palette.
  if (bpp > 8) refresh_tileset();
  if (mode != KEEP_PICTURE) {
    clear_if_made(currentbuffer);
    clear_if_made(currentscreen);
    clear_if_made(background);
  } else if (bpp > 8 && background) {
    draw_all_background();
  }
  // Video copies of the kinds' sprites were converted in the old palette too.
  for (int i = 0; i < total_enemy_types; i++) {
    const enemy_type *k = enemy_type_list[i];
    if (k->sprite == k->video_sprite) copy_video_sprite(k);
  }
}
