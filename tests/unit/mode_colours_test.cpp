// Colours across mode changes, on a fake card that behaves as the X11
// driver does on an RGB screen.
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "world/state.h"
#include "game_data.h"
#include "platform/video.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

namespace {

constexpr int W = 448, H = 512;

struct ModeColours : GameData {
  DATAFILE *saved_commondata = commondata;
  int saved_pal = current_pal, saved_bpp = bpp, saved_full = infullscreen;
  int saved_item = mymain[MAIN_FULLSCREEN].value;
  std::array<int, PAL_SIZE> saved_colour8;

  void SetUp() override {
    GameData::SetUp();
    commondata = borlin;
    current_pal = BORLIN_NORMAL_PALETTE;
    // An 8-bit mode maps every entry to itself; headless the table is empty.
    std::copy(_palette_color8, _palette_color8 + PAL_SIZE, saved_colour8.begin());
    for (int i = 0; i < PAL_SIZE; i++) _palette_color8[i] = i;
  }
  void TearDown() override {
    std::copy(saved_colour8.begin(), saved_colour8.end(), _palette_color8);
    commondata = saved_commondata;
    current_pal = saved_pal;
    bpp = saved_bpp;
    infullscreen = saved_full;
    mymain[MAIN_FULLSCREEN].value = saved_item;
    set_palette(default_palette);
  }

  // A frame with the logo and a line of text, as the screen shows it.
  static std::vector<int> frame(const FakeCard &card) {
    clear_bitmap(currentbuffer);
    draw_sprite(currentbuffer, datafile_bitmap(commondata, BORLIN_LOGO), 0, 0);
    textout_ex(currentbuffer, font, "GAME OVER", 10, 300, palette_color[22], -1);
    std::vector<int> seen;
    for (int y = 0; y < H; y++)
      for (int x = 0; x < W; x++) seen.push_back(card.seen(currentbuffer, x, y));
    return seen;
  }
  // Entries whose shown colour differs from the normal palette's.
  static int wrong_entries(const FakeCard &card) {
    const RGB *asked = static_cast<const RGB *>(commondata[BORLIN_NORMAL_PALETTE].dat);
    int wrong = 0;
    for (int i = 0; i < PAL_SIZE; i++) {
      const int want =
          _rgb_scale_6[asked[i].r] << 16 | _rgb_scale_6[asked[i].g] << 8 | _rgb_scale_6[asked[i].b];
      wrong += card.shown_palette[i] != want;
    }
    return wrong;
  }
  static int reddish(const std::vector<int> &seen) {
    return static_cast<int>(std::count_if(seen.begin(), seen.end(),
                                          [](int c) { return (c >> 16 & 255) > (c & 255) + 64; }));
  }
};

}  // namespace

TEST_F(ModeColours, EightBitsAfterThirtyTwoShowThePaletteAndTheFrameOfAStartInEightBits) {
  std::vector<int> start8, start32;
  {
    FakeCard card;
    card.rgb_screen = true;
    init_graphics(WINDOW_DRIVER, W, H, 8, 75, METHOD_DOUBLE_BUFFER);
    EXPECT_EQ(wrong_entries(card), 0);
    start8 = frame(card);
  }
  FakeCard card;
  card.rgb_screen = true;
  init_graphics(WINDOW_DRIVER, W, H, 32, 75, METHOD_DOUBLE_BUFFER);
  start32 = frame(card);
  ASSERT_GT(reddish(start8), 1000);  // the orange logo
  EXPECT_EQ(reddish(start32), reddish(start8));

  change_graphics_mode(WINDOW_DRIVER, W, H, 8, 75, METHOD_DOUBLE_BUFFER);
  ASSERT_EQ(bpp, 8);
  EXPECT_EQ(wrong_entries(card), 0);
  EXPECT_TRUE(frame(card) == start8);

  change_graphics_mode(WINDOW_DRIVER, W, H, 32, 75, METHOD_DOUBLE_BUFFER);
  ASSERT_EQ(bpp, 32);
  EXPECT_TRUE(frame(card) == start32);
}
