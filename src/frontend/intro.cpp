#include "frontend/intro.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

int state = INTRO_FADE;
float substate = 0;

namespace {

// The copy of the logo in the screen's depth that the zoom stretches.
BITMAP *logo = nullptr;

// The fade's end colour on the library's 0..63 scale is (9, 32, 55).
constexpr double FADE_RED = 0.04054054054054054;
constexpr double FADE_GREEN = 0.14527027027027026;
constexpr double FADE_BLUE = 0.25;

// The zoom: t ticks of substate before rest, the logo is this much larger.
constexpr float ZOOM_GROW_W = 30.0f;
constexpr float ZOOM_GROW_W2 = 0.05f;
constexpr float ZOOM_GROW_H = 8.0f;
constexpr float ZOOM_GROW_H2 = 0.025f;
constexpr float ZOOM_DRIFT = 2.0f;  // pixels left of centre per tick of t

void make_logo_copy() {
  BITMAP *src = datafile_bitmap(commondata, BORLIN_LOGO);
  if (logo && bitmap_color_depth(logo) != bpp) destroy_menu_logo();
  if (logo || !src) return;
  set_color_depth(bpp);
  logo = create_bitmap(src->w, src->h);
  if (logo) blit(src, logo, 0, 0, 0, 0, src->w, src->h);
}

}  // namespace

logo_rect logo_zoom_rect(float t, int logo_w, int logo_h, int screen_w) {
  logo_rect r;
  r.w = static_cast<int>(logo_w + ZOOM_GROW_W * t + ZOOM_GROW_W2 * t * t);
  r.h = static_cast<int>(logo_h + ZOOM_GROW_H * t + ZOOM_GROW_H2 * t * t);
  r.x = static_cast<int>((screen_w - r.w) / 2 - ZOOM_DRIFT * t);
  r.y = logo_h / 2 + TITLE_Y - r.h / 2;
  return r;
}

void menu_intro_step() {
  if (state == INTRO_FADE) {
    RGB c;
    c.r = static_cast<unsigned char>(substate * FADE_RED);
    c.g = static_cast<unsigned char>(substate * FADE_GREEN);
    c.b = static_cast<unsigned char>(substate * FADE_BLUE);
    c.filler = 0;
    set_color(FADE_COLOUR, &c);
    if (getpixel(currentbuffer, 0, 0) != palette_color[FADE_COLOUR])
      clear_to_color(currentbuffer, palette_color[FADE_COLOUR]);
    substate += FADE_STEP * time_unit;
    if (substate >= INTRO_PHASE_END) {
      state = INTRO_ZOOM;
      substate = 0;
    }
  } else if (state == INTRO_ZOOM) {
    make_logo_copy();
    if (logo) {
      logo_rect r = logo_zoom_rect(INTRO_PHASE_END - substate, logo->w, logo->h, SCREEN_W);
      masked_stretch_blit(logo, currentbuffer, 0, 0, logo->w, logo->h, r.x, r.y, r.w, r.h);
    }
    substate += ZOOM_STEP * time_unit;
    if (substate >= INTRO_PHASE_END) {
      state = INTRO_STEADY;
      substate = 0;
    }
  }
}

void destroy_menu_logo() {
  if (logo) destroy_bitmap(logo);
  logo = nullptr;
}
