// Draws every object of the two data files onto one PNG, with its index and
// name: bitmaps through the normal palette, palettes as swatches, fonts with
// sample text, samples as waveforms.
//
//   contact_sheet_tool GAME_DIR OUT.png
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <loadpng.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

#include "datagen/sprite_pairs.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "gen/darken.h"

namespace {

constexpr int SHEET_W = 1500;
constexpr int SHEET_MAX_H = 9000;
constexpr int MARGIN = 16;
constexpr int CELL_PAD = 10;
constexpr int LABEL_H = 12;
constexpr int SWATCH = 11;
constexpr int WAVE_W = 280;
constexpr int WAVE_H = 64;
constexpr int SMALL_BITMAP = 64;  // smaller bitmaps are shown at 2x

const RGB *show_pal = nullptr;  // the palette bitmaps are shown in
FONT *game_font = nullptr;
FONT *caption_font = nullptr;

int rgb(const RGB &c) { return makecol32(c.r * 255 / 63, c.g * 255 / 63, c.b * 255 / 63); }
int grey(int v) { return makecol32(v, v, v); }

int hex(int v) { return makecol32(v >> 16, (v >> 8) & 255, v & 255); }
const int BACKDROP = 0x1c1e24;
const int CELL_BACK = 0x2a2d36;
const int LABEL_INK = 0xd8dce6;
const int PROVISIONAL_INK = 0xff6060;
const int WAVE_BACK = 0x101418;
const int WAVE_AXIS = 0x303840;
const int WAVE_INK = 0x60d0a0;

// Flow layout: cells go left to right and wrap.
struct Flow {
  int x = MARGIN, y = 0, row_h = 0;
  void place(int w, int h, int &cx, int &cy) {
    if (x + w > SHEET_W - MARGIN) {
      x = MARGIN;
      y += row_h + CELL_PAD;
      row_h = 0;
    }
    cx = x;
    cy = y;
    x += w + CELL_PAD;
    row_h = std::max(row_h, h);
  }
  int bottom() const { return y + row_h; }
};

void checker(BITMAP *sheet, int x, int y, int w, int h) {
  for (int j = 0; j < h; j += 4)
    for (int i = 0; i < w; i += 4)
      rectfill(sheet, x + i, y + j, std::min(x + i + 3, x + w - 1), std::min(y + j + 3, y + h - 1),
               ((i + j) / 4) % 2 ? grey(16) : grey(24));
}

void draw_bitmap(BITMAP *sheet, BITMAP *b, int x, int y, int zoom) {
  checker(sheet, x, y, b->w * zoom, b->h * zoom);
  for (int j = 0; j < b->h; j++)
    for (int i = 0; i < b->w; i++) {
      int c = getpixel(b, i, j);
      if (c)
        rectfill(sheet, x + i * zoom, y + j * zoom, x + i * zoom + zoom - 1,
                 y + j * zoom + zoom - 1, rgb(show_pal[c]));
    }
}

void draw_palette(BITMAP *sheet, const RGB *pal, int x, int y) {
  for (int c = 0; c < PAL_SIZE; c++) {
    int sx = x + 28 + (c % 16) * SWATCH, sy = y + (c / 16) * SWATCH;
    rectfill(sheet, sx, sy, sx + SWATCH - 2, sy + SWATCH - 2, rgb(pal[c]));
  }
  for (int row = 0; row < 16; row++)
    textprintf_ex(sheet, font, x, y + row * SWATCH + 2, grey(150), -1, "%3d", row * 16);
}

void draw_font(BITMAP *sheet, FONT *f, int x, int y) {
  static const char *const lines[] = {"CONGRATULATIONS !", "TOP 0012340  1UP 0000560",
                                      "Reverse Alt Logic : Off", "abcdefghijklmnopqrstuvwxyz",
                                      "0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"};
  static const int colours[] = {71, 29, 36, 13, 15};
  int h = text_height(f) + 4;
  for (int i = 0; i < 5; i++)
    textout_ex(sheet, f, lines[i], x, y + i * h, rgb(show_pal[colours[i]]), -1);
}

void draw_sample(BITMAP *sheet, SAMPLE *s, int x, int y) {
  rectfill(sheet, x, y, x + WAVE_W - 1, y + WAVE_H - 1, hex(WAVE_BACK));
  hline(sheet, x, y + WAVE_H / 2, x + WAVE_W - 1, hex(WAVE_AXIS));
  const unsigned short *d = static_cast<const unsigned short *>(s->data);
  for (int col = 0; col < WAVE_W; col++) {
    long a = long(s->len) * col / WAVE_W, b = std::max(a + 1, long(s->len) * (col + 1) / WAVE_W);
    int lo = 65535, hi = 0;
    for (long i = a; i < b; i++) {
      lo = std::min(lo, int(d[i]));
      hi = std::max(hi, int(d[i]));
    }
    vline(sheet, x + col, y + WAVE_H - 1 - hi * (WAVE_H - 1) / 65535,
          y + WAVE_H - 1 - lo * (WAVE_H - 1) / 65535, hex(WAVE_INK));
  }
  textprintf_ex(sheet, font, x, y + WAVE_H + 3, grey(170), -1, "%ld samples, %d ms, %d Hz",
                long(s->len), int(s->len * 1000L / s->freq), s->freq);
}

void content_size(const DATAFILE &d, int &w, int &h) {
  switch (d.type) {
    case DAT_BITMAP: {
      BITMAP *b = static_cast<BITMAP *>(d.dat);
      int zoom = std::max(b->w, b->h) <= SMALL_BITMAP ? 2 : 1;
      w = b->w * zoom;
      h = b->h * zoom;
      return;
    }
    case DAT_PALETTE:
      w = 28 + 16 * SWATCH;
      h = 16 * SWATCH;
      return;
    case DAT_SAMPLE:
      w = WAVE_W;
      h = WAVE_H + 12;
      return;
    case DAT_FONT: {
      FONT *f = static_cast<FONT *>(d.dat);
      w = text_length(f, "0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
      h = 5 * (text_height(f) + 4);
      return;
    }
  }
  w = h = 8;
}

// Outlined caption as the menus draw it: four copies in c - 4 around it.
void outlined(BITMAP *b, const char *text, int cx, int y, int c) {
  int x = cx - text_length(caption_font, text) / 2;
  const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
  for (int k = 0; k < 4; k++)
    textout_ex(b, caption_font, text, x + dx[k], y + dy[k], rgb(show_pal[c - 4]), -1);
  textout_ex(b, caption_font, text, x, y, rgb(show_pal[c]), -1);
}

// The logo and captions as the title page shows them, on the menu's fade
// colour, so their contrast can be judged in place.
int draw_title_preview(BITMAP *sheet, DATAFILE *borlin, int y) {
  constexpr int W = 448, H = 260, FADE = 184;
  BITMAP *logo = static_cast<BITMAP *>(borlin[BORLIN_LOGO].dat);
  textout_ex(sheet, font, "Title page preview (menu fade colour 184, captions outlined)", MARGIN, y,
             hex(LABEL_INK), -1);
  y += LABEL_H;
  rectfill(sheet, MARGIN, y, MARGIN + W - 1, y + H - 1, rgb(show_pal[FADE]));
  int lx = MARGIN + (W - logo->w) / 2, ly = y + 20;
  for (int j = 0; j < logo->h; j++)
    for (int i = 0; i < logo->w; i++)
      if (int c = getpixel(logo, i, j)) putpixel(sheet, lx + i, ly + j, rgb(show_pal[c]));
  int cx = MARGIN + W / 2;
  outlined(sheet, "SUBTITLE LINE", cx, ly + logo->h - 7, 36);
  const char *items[] = {"Play", "Options", "WindOwed", "Hi Scores", "Exit"};
  const int colours[] = {29, 27, 25, 23, 23};
  for (int i = 0; i < 5; i++) outlined(sheet, items[i], cx, ly + logo->h + 22 + 28 * i, colours[i]);
  return y + H + 2 * MARGIN;
}

int draw_file(BITMAP *sheet, const char *title, DATAFILE *dat, int y) {
  textout_ex(sheet, caption_font, title, MARGIN, y, rgb(show_pal[29]), -1);
  Flow flow;
  flow.y = y + text_height(caption_font) + 8;
  for (int i = 0; dat[i].type != DAT_END; i++) {
    int w, h;
    content_size(dat[i], w, h);
    std::string name = get_datafile_property(&dat[i], DAT_NAME);
    std::string label = std::to_string(i) + " " + name;
    int cw = std::max(w, text_length(font, label.c_str())) + 8;
    int ch = h + LABEL_H + 8;
    int cx, cy;
    flow.place(cw, ch, cx, cy);
    rectfill(sheet, cx, cy, cx + cw - 1, cy + ch - 1, hex(CELL_BACK));
    bool provisional = name.find("-PROVISIONAL") != std::string::npos;
    textout_ex(sheet, font, label.c_str(), cx + 4, cy + 3,
               hex(provisional ? PROVISIONAL_INK : LABEL_INK), -1);
    int ox = cx + 4, oy = cy + LABEL_H + 4;
    switch (dat[i].type) {
      case DAT_BITMAP: {
        BITMAP *b = static_cast<BITMAP *>(dat[i].dat);
        draw_bitmap(sheet, b, ox, oy, std::max(b->w, b->h) <= SMALL_BITMAP ? 2 : 1);
        break;
      }
      case DAT_PALETTE:
        draw_palette(sheet, static_cast<RGB *>(dat[i].dat), ox, oy);
        break;
      case DAT_SAMPLE:
        draw_sample(sheet, static_cast<SAMPLE *>(dat[i].dat), ox, oy);
        break;
      case DAT_FONT:
        draw_font(sheet, static_cast<FONT *>(dat[i].dat), ox, oy);
        break;
    }
  }
  return flow.bottom() + 2 * MARGIN;
}

// A contour as heat: dark blue low, yellow high. Red marks a pixel where
// the masks disagree in a way the game would show: contour without sprite
// always, sprite without contour where the masks must be equal.
int heat(int v) {
  const int k = std::min(v, 60) * 255 / 60;
  return makecol32(40 + k * 3 / 4, 40 + k * 3 / 4, 200 - k * 3 / 5);
}

void draw_contour(BITMAP *sheet, BITMAP *contour, BITMAP *sprite, bool same_mask, int x, int y,
                  int zoom) {
  checker(sheet, x, y, contour->w * zoom, contour->h * zoom);
  for (int j = 0; j < std::max(contour->h, sprite->h); j++)
    for (int i = 0; i < std::max(contour->w, sprite->w); i++) {
      const int v = i < contour->w && j < contour->h ? getpixel(contour, i, j) : 0;
      const int s = i < sprite->w && j < sprite->h ? getpixel(sprite, i, j) : 0;
      const bool wrong = (v && !s) || (same_mask && s && !v) || (v && (i >= sprite->w || j >= sprite->h));
      if (!v && !wrong) continue;
      rectfill(sheet, x + i * zoom, y + j * zoom, x + i * zoom + zoom - 1, y + j * zoom + zoom - 1,
               wrong ? makecol32(255, 0, 0) : heat(v));
    }
}

// A shadow as it falls on a floor: the floor darkened as the fancy
// shadows darken it.
void draw_shadow(BITMAP *sheet, BITMAP *b, int x, int y, int zoom) {
  constexpr int FLOOR = 154, SHADOW_STEPS = 6;
  rectfill(sheet, x, y, x + b->w * zoom - 1, y + b->h * zoom - 1, rgb(show_pal[FLOOR]));
  const int dark = rgb(show_pal[darken_index(FLOOR, SHADOW_STEPS)]);
  for (int j = 0; j < b->h; j++)
    for (int i = 0; i < b->w; i++)
      if (getpixel(b, i, j))
        rectfill(sheet, x + i * zoom, y + j * zoom, x + i * zoom + zoom - 1,
                 y + j * zoom + zoom - 1, dark);
}

void label_cell(BITMAP *sheet, Flow &flow, const std::string &label, int w, int h, int &ox,
                int &oy) {
  const int cw = std::max(w, text_length(font, label.c_str())) + 8, ch = h + LABEL_H + 8;
  int cx, cy;
  flow.place(cw, ch, cx, cy);
  rectfill(sheet, cx, cy, cx + cw - 1, cy + ch - 1, hex(CELL_BACK));
  textout_ex(sheet, font, label.c_str(), cx + 4, cy + 3, hex(LABEL_INK), -1);
  ox = cx + 4;
  oy = cy + LABEL_H + 4;
}

int draw_pairs(BITMAP *sheet, DATAFILE *borlin, DATAFILE *kestal, int y) {
  textout_ex(sheet, caption_font, "Sprites, contours and shadows (2x)", MARGIN, y,
             rgb(show_pal[29]), -1);
  Flow flow;
  flow.y = y + text_height(caption_font) + 8;
  constexpr int ZOOM = 2;
  for (const sprite_pair &p : sprite_pairs) {
    BITMAP *s = static_cast<BITMAP *>(kestal[p.sprite].dat);
    const int parts = 1 + (p.contour != NO_OBJECT) + (p.shadow != NO_OBJECT);
    std::string label = "k" + std::to_string(p.sprite);
    if (p.contour != NO_OBJECT) label += " / b" + std::to_string(p.contour) + (p.same_mask ? " =" : "");
    if (p.shadow != NO_OBJECT) label += " / b" + std::to_string(p.shadow);
    int ox, oy;
    label_cell(sheet, flow, label, parts * (s->w * ZOOM + 4), s->h * ZOOM, ox, oy);
    draw_bitmap(sheet, s, ox, oy, ZOOM);
    ox += s->w * ZOOM + 4;
    if (p.contour != NO_OBJECT) {
      draw_contour(sheet, static_cast<BITMAP *>(borlin[p.contour].dat), s, p.same_mask, ox, oy, ZOOM);
      ox += s->w * ZOOM + 4;
    }
    if (p.shadow != NO_OBJECT) draw_shadow(sheet, static_cast<BITMAP *>(borlin[p.shadow].dat), ox, oy, ZOOM);
  }
  // The boss carrying its missile where the game draws it.
  BITMAP *boss = static_cast<BITMAP *>(kestal[KESTAL_BOSS].dat);
  BITMAP *missile = static_cast<BITMAP *>(kestal[KESTAL_DOODLEBUG].dat);
  constexpr int MISSILE_X = 69, MISSILE_Y = -42;
  int ox, oy;
  label_cell(sheet, flow, "k24 carrying k5 at (+69, -42)", boss->w * ZOOM, boss->h * ZOOM, ox, oy);
  BITMAP *both = create_bitmap_ex(8, boss->w, boss->h);
  clear_to_color(both, 0);
  draw_sprite(both, boss, 0, 0);
  draw_sprite(both, missile, MISSILE_X, boss->h + MISSILE_Y - missile->h);
  draw_bitmap(sheet, both, ox, oy, ZOOM);
  destroy_bitmap(both);
  return flow.bottom() + 2 * MARGIN;
}

// Every generated animation type: all frames of the small ones, a sample
// of the long ones.
int draw_anims(BITMAP *sheet, int y) {
  textout_ex(sheet, caption_font, "Generated animations", MARGIN, y, rgb(show_pal[29]), -1);
  Flow flow;
  flow.y = y + text_height(caption_font) + 8;
  for (int t = 0; t < total_anim_types; t++) {
    const anim_type *a = anim_type_list[t];
    const bool wide = a->width > 200;
    const int step = wide ? a->frames / 3 : a->frames > 16 ? a->frames / 8 : 1;
    const int zoom = a->width <= 8 ? 4 : a->width <= SMALL_BITMAP ? 2 : 1;
    int shown = 0;
    for (int f = 0; f < a->frames; f += step) shown++;
    const int per_row = shown;
    const int rows = (shown + per_row - 1) / per_row;
    int ox, oy;
    label_cell(sheet, flow, "type " + std::to_string(t) + ", " + std::to_string(a->frames) + " frames",
               per_row * (a->width * zoom + 4), rows * (a->height * zoom + 4), ox, oy);
    int n = 0;
    for (int f = 0; f < a->frames; f += step, n++) {
      BITMAP *b = a->frame_list[f];
      const int fx = ox + (n % per_row) * (a->width * zoom + 4);
      const int fy = oy + (n / per_row) * (a->height * zoom + 4);
      if (b) draw_bitmap(sheet, b, fx, fy, zoom);
      else checker(sheet, fx, fy, 4, 4);
    }
  }
  return flow.bottom() + 2 * MARGIN;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: contact_sheet_tool GAME_DIR OUT.png\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_conversion(COLORCONV_NONE);
  std::string dir = argv[1];
  DATAFILE *borlin = load_datafile((dir + "/borlin.dat").c_str());
  DATAFILE *kestal = load_datafile((dir + "/kestal.dat").c_str());
  if (!borlin || !kestal) {
    fprintf(stderr, "contact_sheet_tool: cannot load the data files in %s\n", dir.c_str());
    return 1;
  }
  show_pal = static_cast<const RGB *>(borlin[BORLIN_NORMAL_PALETTE].dat);
  game_font = static_cast<FONT *>(borlin[BORLIN_GAME_FONT].dat);
  caption_font = static_cast<FONT *>(borlin[BORLIN_CAPTION_FONT].dat);

  BITMAP *sheet = create_bitmap_ex(32, SHEET_W, SHEET_MAX_H);
  clear_to_color(sheet, hex(BACKDROP));
  int y = draw_file(sheet, "borlin.dat", borlin, MARGIN);
  y = draw_title_preview(sheet, borlin, y);
  y = draw_file(sheet, "kestal.dat", kestal, y);
  y = draw_pairs(sheet, borlin, kestal, y);
  // The game's start-up generator, fed with these files.
  commondata = borlin;
  data = kestal;
  // An 8-bit mode maps every colour to itself; headless, the table is empty.
  for (int i = 0; i < PAL_SIZE; i++) _palette_color8[i] = i;
  generate_anims();
  y = draw_anims(sheet, y);
  textout_ex(sheet, font, "Bitmaps through the normal palette (43); small ones at 2x. "
             "Red labels: provisional objects.", MARGIN, y, grey(150), -1);
  textout_ex(sheet, font, "Contours: blue low, yellow high, red where the masks disagree; "
             "= marks pairs whose masks must be equal.", MARGIN, y + 12, grey(150), -1);
  // 24-bit, so the PNG has no alpha channel to hide it.
  int h = std::min(SHEET_MAX_H, y + 12 + MARGIN);
  BITMAP *out = create_bitmap_ex(24, SHEET_W, h);
  blit(sheet, out, 0, 0, 0, 0, SHEET_W, h);
  int rc = save_png(argv[2], out, nullptr);
  destroy_bitmap(out);
  destroy_bitmap(sheet);
  unload_datafile(kestal);
  unload_datafile(borlin);
  if (rc != 0) {
    fprintf(stderr, "contact_sheet_tool: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
