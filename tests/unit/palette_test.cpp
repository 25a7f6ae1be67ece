#include "render/palette.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "world/state.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "render/background.h"

namespace {

// Palettes 43 to 46 in which colour 1 is a different grey each, a tile
// sheet of colour 1, and one kind whose sprite has a video copy.
struct Palettes : ::testing::Test {
  std::vector<DATAFILE> borlin{BORLIN_OBJECT_COUNT + 1}, kestal{KESTAL_OBJECT_COUNT + 1};
  PALETTE pal[4];
  BITMAP *buffer = create_bitmap_ex(8, 16, 16);
  BITMAP *sheet = create_bitmap_ex(8, 16, 16);
  BITMAP *base = create_bitmap_ex(8, 4, 4);
  BITMAP *video = create_bitmap_ex(8, 4, 4);
  enemy_type kind{};
  enemy_type *saved_kind0 = enemy_type_list[0];
  int saved_types = total_enemy_types, saved_pal = current_pal, saved_bpp = bpp;
  BITMAP *saved_buffer = currentbuffer, *saved_tileset = tileset, *saved_background = background;

  Palettes() {
    for (int i = 0; i < 4; i++) {
      for (RGB &c : pal[i]) c = RGB{0, 0, 0, 0};
      pal[i][1] = RGB{static_cast<unsigned char>(10 * (i + 1)), 0, 0, 0};
      borlin[BORLIN_NORMAL_PALETTE + i].dat = pal[i];
    }
    kestal[KESTAL_TILE_SHEET].dat = sheet;
    commondata = borlin.data(), data = kestal.data();
    clear_to_color(sheet, 1);
    clear_to_color(base, 7);
    clear_bitmap(video);
    clear_to_color(buffer, 3);
    kind.base_sprite = base, kind.video_sprite = kind.sprite = video;
    enemy_type_list[0] = &kind, total_enemy_types = 1;
    currentbuffer = buffer, background = nullptr;
    current_pal = BORLIN_NORMAL_PALETTE;
    bpp = 8;
  }
  ~Palettes() override {
    commondata = data = nullptr;
    enemy_type_list[0] = saved_kind0, total_enemy_types = saved_types;
    current_pal = saved_pal, bpp = saved_bpp;
    currentbuffer = saved_buffer, tileset = saved_tileset, background = saved_background;
    for (BITMAP *b : {buffer, sheet, base, video}) destroy_bitmap(b);
    set_palette(default_palette);
  }
};

}  // namespace

TEST_F(Palettes, TheSwitchShowsThePaletteAndRedrawsTheVideoSprites) {
  my_set_pallete(BORLIN_NORMAL_PALETTE, CLEAR_PICTURE);  // already in force: nothing at all
  EXPECT_EQ(getpixel(buffer, 0, 0), 3);
  EXPECT_EQ(getpixel(video, 0, 0), 0);

  my_set_pallete(BORLIN_WAVES_PALETTE, KEEP_PICTURE);
  EXPECT_EQ(current_pal, BORLIN_WAVES_PALETTE);
  EXPECT_EQ(_current_palette[1].r, 20);
  EXPECT_EQ(getpixel(buffer, 0, 0), 3);  // the picture stays
  EXPECT_EQ(getpixel(video, 0, 0), 7);

  my_set_pallete(BORLIN_BOSS_FLASH_PALETTE, CLEAR_PICTURE);
  EXPECT_EQ(getpixel(buffer, 0, 0), 0);
}

TEST_F(Palettes, InTruecolourTheTilesAreConvertedAgain) {
  bpp = 32;
  tileset = create_bitmap_ex(32, 16, 16);
  my_set_pallete(BORLIN_DEMO_PALETTE, KEEP_PICTURE);
  EXPECT_EQ(getr32(getpixel(tileset, 5, 5)), _rgb_scale_6[40]);
  my_set_pallete(BORLIN_WAVES_PALETTE, KEEP_PICTURE);
  EXPECT_EQ(getr32(getpixel(tileset, 5, 5)), _rgb_scale_6[20]);
  destroy_bitmap(tileset);
}
