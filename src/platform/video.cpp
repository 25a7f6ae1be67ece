#include "platform/video.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include "platform/signals.h"

static_assert(WINDOW_DRIVER == GFX_XWINDOWS);
static_assert(FULLSCREEN_DRIVER == GFX_XWINDOWS_FULLSCREEN);

int (*gfx_mode_call)(int, int, int, int, int) = set_gfx_mode;
void (*message_call)(const char *) = show_message_box;

void set_whole_palette(const RGB *pal) { set_palette_range(pal, 0, PAL_SIZE - 1, FALSE); }

void default_pixel_layouts() {
  _rgb_r_shift_15 = DEFAULT_RGB_R_SHIFT_15;
  _rgb_g_shift_15 = DEFAULT_RGB_G_SHIFT_15;
  _rgb_b_shift_15 = DEFAULT_RGB_B_SHIFT_15;
  _rgb_r_shift_16 = DEFAULT_RGB_R_SHIFT_16;
  _rgb_g_shift_16 = DEFAULT_RGB_G_SHIFT_16;
  _rgb_b_shift_16 = DEFAULT_RGB_B_SHIFT_16;
  _rgb_r_shift_24 = DEFAULT_RGB_R_SHIFT_24;
  _rgb_g_shift_24 = DEFAULT_RGB_G_SHIFT_24;
  _rgb_b_shift_24 = DEFAULT_RGB_B_SHIFT_24;
  _rgb_r_shift_32 = DEFAULT_RGB_R_SHIFT_32;
  _rgb_g_shift_32 = DEFAULT_RGB_G_SHIFT_32;
  _rgb_b_shift_32 = DEFAULT_RGB_B_SHIFT_32;
  _rgb_a_shift_32 = DEFAULT_RGB_A_SHIFT_32;
}
