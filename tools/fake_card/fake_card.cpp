#include "fake_card.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "game/switches.h"
#include "platform/clock.h"
#include "platform/video.h"
#include "render/background.h"

int64_t fake_now = 1000000;

namespace {

FakeCard *card = nullptr;
GFX_DRIVER driver;
int video_pages_left = 0;

BITMAP *fake_video_bitmap(int w, int h) {
  int &left = w == SCREEN_W && h == SCREEN_H ? video_pages_left : card->other_video_bitmaps;
  if (left <= 0) return nullptr;
  left--;
  BITMAP *b = create_bitmap(w, h);
  b->id |= BMP_ID_VIDEO;
  return b;
}

void fake_destroy_video_bitmap(BITMAP *b) {
  (b->w == SCREEN_W && b->h == SCREEN_H ? video_pages_left : card->other_video_bitmaps)++;
  b->id &= ~BMP_ID_VIDEO;
  destroy_bitmap(b);
}

int fake_show(BITMAP *) { return 0; }
// The library's layout globals, in one list to save and restore.
int *const SHIFTS[FakeCard::LAYOUT_GLOBALS] = {
    &_rgb_r_shift_15, &_rgb_g_shift_15, &_rgb_b_shift_15, &_rgb_r_shift_16, &_rgb_g_shift_16,
    &_rgb_b_shift_16, &_rgb_r_shift_24, &_rgb_g_shift_24, &_rgb_b_shift_24, &_rgb_r_shift_32,
    &_rgb_g_shift_32, &_rgb_b_shift_32, &_rgb_a_shift_32};

int rgb_of(int r, int g, int b) { return r << 16 | g << 8 | b; }

// As the X11 driver on a truecolour screen: an 8-bit mode's entry is packed
// by the 32-bit layout in force and shown as if packed in the default one.
void fake_palette(const RGB *p, int from, int to, int) {
  if (!card->rgb_screen || !screen || bitmap_color_depth(screen) != 8) return;
  for (int i = from; i <= to; i++) {
    const int v = makecol32(_rgb_scale_6[p[i].r], _rgb_scale_6[p[i].g], _rgb_scale_6[p[i].b]);
    card->shown_palette[i] =
        rgb_of(v >> DEFAULT_RGB_R_SHIFT_32 & 255, v >> DEFAULT_RGB_G_SHIFT_32 & 255,
               v >> DEFAULT_RGB_B_SHIFT_32 & 255);
  }
}

// A truecolour mode on the RGB screen packs its pixels in the screen's
// order: red highest, blue lowest.
struct rgb_layout {
  int depth;
  int *r, *g, *b;
  int r_shift, g_shift;
};
const rgb_layout RGB_LAYOUTS[] = {
    {15, &_rgb_r_shift_15, &_rgb_g_shift_15, &_rgb_b_shift_15, 10, 5},
    {16, &_rgb_r_shift_16, &_rgb_g_shift_16, &_rgb_b_shift_16, 11, 5},
    {24, &_rgb_r_shift_24, &_rgb_g_shift_24, &_rgb_b_shift_24, 16, 8},
    {32, &_rgb_r_shift_32, &_rgb_g_shift_32, &_rgb_b_shift_32, 16, 8},
};

void rgb_screen_layouts(int depth) {
  for (const rgb_layout &l : RGB_LAYOUTS) {
    if (l.depth != depth) continue;
    *l.r = l.r_shift;
    *l.g = l.g_shift;
    *l.b = 0;
  }
}

void fake_enable_triple() {
  if (card->triple_buffer) gfx_capabilities |= GFX_CAN_TRIPLE_BUFFER;
}

void close_mode() {
  gfx_driver = nullptr;
  gfx_capabilities = 0;
  if (screen) destroy_bitmap(screen);
  screen = nullptr;
}

int fake_set_gfx_mode(int c, int w, int h, int, int v_h) {
  int depth = get_color_depth();
  card->attempts.push_back({c, w, h, v_h, depth});
  if (c == GFX_TEXT) {
    close_mode();
    return 0;
  }
  if (!card->accepts(card->attempts.back())) return -1;
  close_mode();
  if (depth == 0) set_color_depth(8);
  if (card->rgb_screen) rgb_screen_layouts(get_color_depth());
  screen = create_bitmap(w, h);
  driver.w = w;
  driver.h = h;
  // As under X11, where the safe driver opens a window too.
  driver.windowed = c == GFX_AUTODETECT_WINDOWED || c == WINDOW_DRIVER || c == GFX_SAFE;
  gfx_driver = &driver;
  video_pages_left = v_h >= h ? v_h / h : 1;
  return 0;
}

void fake_message(const char *text) { card->messages.push_back(text); }

int64_t fake_clock() { return fake_now; }

void fake_retrace(int hz) {
  card->retrace_waits++;
  int64_t refreshes = fake_now * hz / 10000 + 1;
  fake_now = refreshes * 10000 / hz;
}

int fake_install_timer(void (*)(), long) { return 0; }
void fake_remove_timer(void (*)()) {}

}  // namespace

int FakeCard::seen(BITMAP *b, int x, int y) const {
  const int c = getpixel(b, x, y);
  if (c < 0) return -1;  // outside the bitmap
  if (bitmap_color_depth(b) == 8) return shown_palette[c];
  return c & 0xffffff;  // the screen's own order
}

FakeCard::FakeCard() {
  card = this;
  driver = GFX_DRIVER{};
  driver.id = GFX_AUTODETECT_WINDOWED;
  driver.name = driver.desc = driver.ascii_name = "fake";
  driver.set_palette = fake_palette;
  driver.create_video_bitmap = fake_video_bitmap;
  driver.destroy_video_bitmap = fake_destroy_video_bitmap;
  driver.show_video_bitmap = fake_show;
  driver.enable_triple_buffer = fake_enable_triple;
  for (int i = 0; i < LAYOUT_GLOBALS; i++) saved_shifts[i] = *SHIFTS[i];
  saved_mode_call = gfx_mode_call;
  saved_message_call = message_call;
  saved_clock = clock_source;
  saved_retrace = retrace_wait;
  saved_install = install_tick_timer;
  saved_remove = remove_tick_timer;
  gfx_mode_call = fake_set_gfx_mode;
  message_call = fake_message;
  clock_source = fake_clock;
  retrace_wait = fake_retrace;
  install_tick_timer = fake_install_timer;
  remove_tick_timer = fake_remove_timer;
  bpp = 0;
  desktop_bpp = 32;
  good_driver = good_w = good_h = 0;
  good_bpp = 8;
  usetimer = 0;
}

FakeCard::~FakeCard() {
  destroy_game_video_bitmaps();
  destroy_blit_bitmaps();
  close_mode();
  set_color_depth(8);
  for (int i = 0; i < LAYOUT_GLOBALS; i++) *SHIFTS[i] = saved_shifts[i];
  gfx_mode_call = saved_mode_call;
  message_call = saved_message_call;
  clock_source = saved_clock;
  retrace_wait = saved_retrace;
  install_tick_timer = saved_install;
  remove_tick_timer = saved_remove;
  card = nullptr;
}
