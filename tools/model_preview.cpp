// Writes every rendered object large, for looking at: sprite, contour as a
// heat map (red where the masks differ), shadow. Usage: model_preview DIR
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "models.h"

namespace {

constexpr int ZOOM = 4;

// A stand-in palette for looking at the renders: each ramp from a dark
// tint up to its brightest colour.
void preview_palette(PALETTE pal) {
  struct ramp {
    int first, length, r, g, b;
  };
  const ramp ramps[] = {{0, 16, 63, 63, 63},   {16, 16, 63, 50, 20},  {32, 8, 44, 63, 20},
                        {40, 8, 46, 46, 24},   {48, 8, 22, 22, 26},   {56, 8, 54, 34, 20},
                        {64, 8, 40, 63, 63},   {72, 8, 63, 36, 63},   {80, 8, 63, 30, 24},
                        {88, 8, 63, 50, 30},   {96, 8, 63, 63, 30},   {104, 8, 63, 44, 12},
                        {112, 8, 30, 44, 63},  {120, 8, 30, 63, 30},  {128, 8, 60, 62, 63},
                        {136, 8, 30, 60, 54},  {144, 16, 40, 44, 52}, {160, 16, 52, 56, 63},
                        {176, 16, 20, 40, 63}, {192, 16, 40, 44, 30}, {208, 16, 56, 58, 63},
                        {224, 16, 52, 44, 63}, {240, 16, 50, 63, 10}};
  for (const ramp &r : ramps)
    for (int i = 0; i < r.length; i++) {
      const double k = 0.15 + 0.85 * i / (r.length - 1);
      pal[r.first + i] = {static_cast<unsigned char>(r.r * k),
                          static_cast<unsigned char>(r.g * k),
                          static_cast<unsigned char>(r.b * k), 0};
    }
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2) return 2;
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_depth(32);
  set_color_conversion(COLORCONV_NONE);
  PALETTE pal;
  preview_palette(pal);
  for (const object_render &o : object_renders()) {
    render_canvas c = render_object(o);
    const int gap = 4;
    BITMAP *b = create_bitmap_ex(32, (3 * o.w + 2 * gap) * ZOOM, o.h * ZOOM);
    clear_to_color(b, makecol32(40, 40, 48));
    for (int y = 0; y < o.h; y++)
      for (int x = 0; x < o.w; x++) {
        const int i = c.at(x, y);
        const int s = c.sprite[i];
        int col[3];
        col[0] = s ? makecol32(pal[s].r * 4, pal[s].g * 4, pal[s].b * 4) : makecol32(0, 0, 0);
        const int v = c.contour[i];
        const bool visible_contour = o.contour != NONE || o.mask_equal;
        col[1] = !visible_contour ? makecol32(20, 20, 20)
                 : (v > 0) != (s > 0 && s != PAINTED_SHADOW_COLOUR) && o.mask_equal
                     ? makecol32(255, 0, 0)
                     : v ? makecol32(40 + v * 2, 40 + v * 2, 255 - v * 2)
                         : makecol32(0, 0, 0);
        col[2] = c.shadow[i] ? makecol32(90, 90, 110) : makecol32(0, 0, 0);
        for (int k = 0; k < 3; k++)
          rectfill(b, (k * (o.w + gap) + x) * ZOOM, y * ZOOM, (k * (o.w + gap) + x + 1) * ZOOM - 1,
                   (y + 1) * ZOOM - 1, col[k]);
      }
    // Report pictures that run into the canvas edge: they are cut.
    for (int y = 0; y < o.h; y++)
      for (int x = 0; x < o.w; x++)
        if (c.sprite[c.at(x, y)] && (x == 0 || y == 0 || x == o.w - 1 || y == o.h - 1)) {
          printf("%s touches the edge at (%d, %d)\n", o.name, x, y);
          x = o.w, y = o.h;
        }
    std::string name = std::string(argv[1]) + "/" + o.name + ".bmp";
    for (char &ch : name)
      if (ch == ' ') ch = '_';
    save_bitmap(name.c_str(), b, nullptr);
    destroy_bitmap(b);
  }
  return 0;
}
