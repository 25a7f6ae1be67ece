#include "platform/video.h"

#include <allegro.h>

#include "platform/signals.h"

static_assert(WINDOW_DRIVER == GFX_XWINDOWS);
static_assert(FULLSCREEN_DRIVER == GFX_XWINDOWS_FULLSCREEN);

int (*gfx_mode_call)(int, int, int, int, int) = set_gfx_mode;
void (*message_call)(const char *) = show_message_box;

void set_whole_palette(const RGB *pal) { set_palette_range(pal, 0, PAL_SIZE - 1, FALSE); }
