#include "datagen/provisional.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The one list of provisional objects. A module that generates one of
// these for real takes its row out and puts its producer in the file's
// producer table (main.cpp). Sizes are the planned ones.
constexpr ProvisionalObject provisional_objects[] = {
    {FILE_BORLIN, BORLIN_2X3_BLOCK_CONTOUR, "2X3_BLOCK_CONTOUR", 40, 68, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_3X2_BLOCK_CONTOUR, "3X2_BLOCK_CONTOUR", 56, 60, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_FORCE_FIELD2_CONTOUR, "FORCE_FIELD2_CONTOUR", 64, 48, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_FORCE_FIELD_CONTOUR, "FORCE_FIELD_CONTOUR", 64, 48, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_WALL_3W_TOP_CONTOUR, "WALL_3W_TOP_CONTOUR", 56, 92, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_WALL_3X1_CONTOUR, "WALL_3X1_CONTOUR", 56, 44, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_WALL_3X2_CONTOUR, "WALL_3X2_CONTOUR", 56, 60, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_WALL_3X4_CONTOUR, "WALL_3X4_CONTOUR", 56, 92, ROLE_CONTOUR},
    {FILE_BORLIN, BORLIN_WALL_SIDE_CONTOUR, "WALL_SIDE_CONTOUR", 24, 60, ROLE_CONTOUR},

    {FILE_KESTAL, KESTAL_TILE_SHEET, "TILE_SHEET", 256, 448, ROLE_SPRITE},
    {FILE_KESTAL, KESTAL_3X2_BLOCK, "3X2_BLOCK", 56, 60, ROLE_SPRITE},
    {FILE_KESTAL, KESTAL_3X2_BLOCK_WITHOUT_SIDE, "3X2_BLOCK_WITHOUT_SIDE", 56, 60, ROLE_SPRITE},
    {FILE_KESTAL, KESTAL_SUPER_3X2_BLOCK, "SUPER_3X2_BLOCK", 56, 60, ROLE_SPRITE},
    {FILE_KESTAL, KESTAL_SUPER_3X2_BLOCK_WITHOUT_SIDE, "SUPER_3X2_BLOCK_WITHOUT_SIDE", 56, 60,
     ROLE_SPRITE},
};

// Box and lettering: loud magenta for pictures; for height masks a flat
// height with the digits standing higher; shadows are plain masks.
struct BoxInk {
  uint8_t fill, frame, text;
};
constexpr BoxInk box_ink(ProvisionalRole role) {
  switch (role) {
    case ROLE_SPRITE: return {77, 79, 73};
    case ROLE_CONTOUR: return {8, 8, 24};
    case ROLE_SHADOW: return {1, 1, 1};
  }
  return {77, 79, 73};
}

DataObject make_provisional(DataFileId file, int index) {
  const ProvisionalObject *p = find_provisional(file, index);
  if (!p) {
    fprintf(stderr, "datagen: index %d has no provisional entry\n", index);
    exit(1);
  }
  BoxInk ink = box_ink(p->role);
  // The library's 8x8 font writes the number; the rest is plain filling.
  BITMAP *b = create_bitmap_ex(8, p->w, p->h);
  clear_to_color(b, ink.fill);
  rect(b, 0, 0, p->w - 1, p->h - 1, ink.frame);
  char label[8];
  snprintf(label, sizeof label, "%d", index);
  textout_centre_ex(b, font, label, p->w / 2, (p->h - 8) / 2, ink.text, -1);
  Bitmap8 out(p->w, p->h);
  for (int y = 0; y < p->h; y++)
    for (int x = 0; x < p->w; x++) out.set(x, y, uint8_t(getpixel(b, x, y)));
  destroy_bitmap(b);
  return bitmap_object(std::string(p->name) + PROVISIONAL_SUFFIX, out);
}

}  // namespace

const ProvisionalObject *find_provisional(DataFileId file, int index) {
  for (const ProvisionalObject &p : provisional_objects)
    if (p.file == file && p.index == index) return &p;
  return nullptr;
}

int provisional_count() { return int(std::size(provisional_objects)); }

DataObject make_provisional_borlin(int index) { return make_provisional(FILE_BORLIN, index); }
DataObject make_provisional_kestal(int index) { return make_provisional(FILE_KESTAL, index); }
