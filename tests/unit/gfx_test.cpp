#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include <cstdio>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "test_support.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "platform/devices.h"
#include "platform/video.h"
#include "render/background.h"
#include "shell/shell.h"
#include "world/enemy_kinds.h"
#include "world/enemy_map.h"

TEST(ScreenGeometry, FollowsTheScreenShape) {
  set_screen_geometry(640, 480);
  EXPECT_EQ(big_screen_w, 672);
  EXPECT_EQ(lcorner, 36);
  EXPECT_EQ(ystart, 176);
  EXPECT_EQ(screen_tile_w, 84);
  EXPECT_EQ(screen_tile_h, 62);

  set_screen_geometry(448, 512);
  EXPECT_EQ(big_screen_w, 480);
  EXPECT_EQ(lcorner, 16);
  EXPECT_EQ(ystart, 160);
  EXPECT_EQ(screen_tile_w, 60);
  EXPECT_EQ(screen_tile_h, 66);

  set_screen_geometry(500, 500);  // square counts as tall
  EXPECT_EQ(lcorner, 16);
}

TEST(Drivers, ReadAsTextAndKnownByTheirRole) {
  char buf[AL_UN_ID_SIZE];
  EXPECT_STREQ(al_un_id(buf, GFX_AUTODETECT), "AUTO");
  EXPECT_STREQ(al_un_id(buf, GFX_AUTODETECT_FULLSCREEN), "AUTO");
  EXPECT_STREQ(al_un_id(buf, GFX_AUTODETECT_WINDOWED), "AUTO");
  EXPECT_STREQ(al_un_id(buf, GFX_SAFE), "SAFE");
  EXPECT_STREQ(al_un_id(buf, WINDOW_DRIVER), "XWIN");
  // -1 is not an autodetect id when read unsigned.
  al_un_id(buf, GFX_TEXT);
  EXPECT_EQ(static_cast<unsigned char>(buf[0]), 0xff);
  EXPECT_EQ(buf[4], '\0');

  EXPECT_EQ(is_driver_windowed(WINDOW_DRIVER), -1);
  EXPECT_EQ(is_driver_windowed(FULLSCREEN_DRIVER), 0);
  EXPECT_EQ(is_driver_windowed(GFX_SAFE), 0);
}

TEST(SetGfx, SmallFullScreenRequestsOpen640x480AndWindowsKeepTheirSize) {
  FakeCard card;
  for (int w : {448, 480, 512}) {
    ASSERT_EQ(set_gfx(GFX_AUTODETECT_FULLSCREEN, w, 512, 8, 75), -1);
    EXPECT_EQ(card.attempts.back().w, 640);
    EXPECT_EQ(card.attempts.back().h, 480);
  }
  ASSERT_EQ(set_gfx(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75), -1);
  EXPECT_EQ(SCREEN_W, 448);
  EXPECT_EQ(SCREEN_H, 512);
  EXPECT_EQ(good_w, 448);
  EXPECT_EQ(good_h, 512);
}

TEST(SetGfx, DepthZeroMeansTheDesktopDepthOnlyInAWindow) {
  FakeCard card;
  desktop_bpp = 16;
  set_gfx(GFX_AUTODETECT_WINDOWED, 448, 512, 0, 75);
  EXPECT_EQ(card.attempts.back().depth, 16);
  set_color_depth(8);
  set_gfx(FULLSCREEN_DRIVER, 800, 600, 0, 75);
  EXPECT_EQ(card.attempts.front().depth, 16);
  EXPECT_EQ(card.attempts.back().depth, 0);
}

TEST(SetGfx, FallsBackToFewerPagesWithoutAMessage) {
  FakeCard card;
  card.accepts = [](const mode_attempt &a) { return a.v_h != 3 * a.h; };
  ASSERT_EQ(set_gfx(WINDOW_DRIVER, 640, 480, 8, 75), -1);
  ASSERT_EQ(card.attempts.size(), 2u);
  EXPECT_EQ(card.attempts[1].v_h, 960);
  EXPECT_TRUE(card.messages.empty());
}

TEST(SetGfx, TitlesTheWindowAndReportsEachFailure) {
  FakeCard card;
  set_color_depth(8);
  ASSERT_EQ(set_gfx(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75), -1);
  EXPECT_STREQ(wintitle, "Borlin : AUTO  448x512 8 bpp @ 0 hz");
  ASSERT_EQ(set_gfx(WINDOW_DRIVER, 640, 480, 8, 75), -1);
  EXPECT_STREQ(wintitle, "Borlin : XWIN  640x480 8 bpp @ 0 hz");

  card.accepts = [](const mode_attempt &) { return false; };
  EXPECT_EQ(set_gfx(FULLSCREEN_DRIVER, 512, 448, 8, 75), 0);
  EXPECT_EQ(card.attempts.size(), 2u + 3u);
  ASSERT_EQ(card.messages.size(), 1u);
  EXPECT_EQ(card.messages[0], "Failed to set gfx: driver XWFS  640x480\n");
  EXPECT_EQ(gr_driver, WINDOW_DRIVER);  // the failure leaves the good mode recorded
}

TEST(InitGraphics, FinishesTheSetUpForTheModeOpened) {
  FakeCard card;
  regulate_method = REGULATE_TIMER_AND_VSYNC;
  ASSERT_EQ(init_graphics(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_TRIPLE_BUFFER), -1);
  EXPECT_EQ(bpp, 8);
  EXPECT_EQ(hz, ASSUMED_HZ);  // the driver reports no rate
  EXPECT_EQ(hz_is_reliable, 0);
  EXPECT_EQ(regulate_method, REGULATE_TIME_DIFFERENCE);
  EXPECT_EQ(usetimer, 0);
  EXPECT_EQ(updatemethod, METHOD_PAGE_FLIPPING);  // no triple buffering here
  EXPECT_EQ(screen_tile_w, 60);
  EXPECT_TRUE(card.messages.empty());
}

TEST(InitGraphics, AFailingRequestBringsBackTheLastGoodMode) {
  FakeCard card;
  bpp = 32;  // as preloaded from a settings file
  ASSERT_EQ(init_graphics(WINDOW_DRIVER, 640, 480, 32, 75, METHOD_DOUBLE_BUFFER), -1);
  EXPECT_EQ(good_bpp, 32);
  destroy_blit_bitmaps();

  card.accepts = [](const mode_attempt &a) { return a.w != 800; };
  ASSERT_EQ(init_graphics(FULLSCREEN_DRIVER, 800, 600, 16, 75, METHOD_DOUBLE_BUFFER), -1);
  EXPECT_EQ(SCREEN_W, 640);
  EXPECT_EQ(SCREEN_H, 480);
  EXPECT_EQ(gr_driver, WINDOW_DRIVER);
  EXPECT_EQ(card.attempts.back().depth, 32);
  EXPECT_EQ(card.messages.size(), 1u);
}

TEST(InitGraphics, WithoutAPreloadedDepthTheRequestIsTriedOnceThenTheSafeModes) {
  FakeCard card;
  card.accepts = [](const mode_attempt &a) { return a.w == 320 && a.h == 240; };
  ASSERT_EQ(init_graphics(GFX_AUTODETECT_WINDOWED, 448, 512, 0, 75, METHOD_DOUBLE_BUFFER), -1);
  ASSERT_EQ(card.messages.size(), 2u);
  EXPECT_EQ(card.messages[0], "Failed to set gfx: driver AUTO  448x512\n");
  EXPECT_EQ(card.messages[1], "Failed to set gfx: driver SAFE  320x480\n");
  EXPECT_EQ(card.attempts.back().card, GFX_SAFE);
  EXPECT_EQ(card.attempts.back().depth, 8);
}

static void fail_every_mode() {
  FakeCard card;
  card.accepts = [](const mode_attempt &) { return false; };
  message_call = [](const char *text) { fputs(text, stderr); };
  init_graphics(GFX_AUTODETECT_WINDOWED, 448, 512, 0, 75, 0);
}

TEST(InitGraphicsDeathTest, NoModeAtAllEndsWithTheThreeMessages) {
  EXPECT_EXIT(fail_every_mode(), testing::ExitedWithCode(EXIT_FATAL),
              "Couldn't set any Video Mode\nLast driver tried : SAFE\nAllegro error message: ");
}

// The library's message may fill its whole buffer; none of it is cut.
static void fail_every_mode_with_a_long_library_message() {
  std::string text(ALLEGRO_ERROR_SIZE - 4, 'e');
  text += "END";
  snprintf(allegro_error, ALLEGRO_ERROR_SIZE, "%s", text.c_str());
  fail_every_mode();
}

TEST(InitGraphicsDeathTest, TheLibrarysWholeMessageIsShown) {
  EXPECT_EXIT(fail_every_mode_with_a_long_library_message(), testing::ExitedWithCode(EXIT_FATAL),
              "Allegro error message: e{252}END\n");
}

TEST(ChangeGraphicsMode, RebuildsTheModeDependentBitmaps) {
  FakeCard card;
  init_graphics(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_PAGE_FLIPPING);
  make_game_video_bitmaps();
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->w, 480);
  EXPECT_EQ(background->h, 528);

  ASSERT_EQ(change_graphics_mode(WINDOW_DRIVER, 640, 480, 8, 75, METHOD_DOUBLE_BUFFER), -1);
  EXPECT_EQ(updatemethod, METHOD_DOUBLE_BUFFER);
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->w, 672);
  EXPECT_EQ(background->h, 496);
  EXPECT_EQ(currentbuffer->w, 640);
}

TEST(GameVideoBitmaps, CopyTheTileSheetAndStillSpritesIntoVideoMemory) {
  FakeCard card;
  card.other_video_bitmaps = 4;
  EnemyKindsSaved kinds;
  total_enemy_types = 0;
  BITMAP *fuel = create_bitmap(8, 8), *plane = create_bitmap(8, 8), *radar = create_bitmap(8, 8);
  for (BITMAP *sprite : {fuel, radar, static_cast<BITMAP *>(nullptr), radar, radar, plane})
    add_to_enemy_type_list("kind", sprite, nullptr, nullptr, nullptr, 0, 0, 1, 0, 0, 0, 0, -1);

  init_graphics(GFX_AUTODETECT_WINDOWED, 320, 240, 8, 75, METHOD_PAGE_FLIPPING);
  make_game_video_bitmaps();
  EXPECT_TRUE(is_video_bitmap(background));
  EXPECT_EQ(tileset, nullptr);  // no tile sheet loaded here
  EXPECT_TRUE(is_video_bitmap(enemy_type_list[KIND_FUEL]->sprite));
  EXPECT_TRUE(is_video_bitmap(enemy_type_list[KIND_RADAR]->sprite));
  EXPECT_EQ(enemy_type_list[KIND_HOLE]->sprite, nullptr);
  EXPECT_TRUE(is_video_bitmap(enemy_type_list[KIND_BLUE_TURRET]->sprite));
  // Video memory ran out: drawn from the data file bitmap.
  EXPECT_EQ(enemy_type_list[KIND_GREEN_TURRET_RIGHT]->sprite, radar);
  EXPECT_EQ(enemy_type_list[KIND_PLANE]->sprite, plane);  // moving kinds never get a copy

  destroy_game_video_bitmaps();
  EXPECT_EQ(background, nullptr);
  EXPECT_EQ(enemy_type_list[KIND_FUEL]->sprite, fuel);
  EXPECT_EQ(enemy_type_list[KIND_FUEL]->video_sprite, nullptr);
  EXPECT_EQ(card.other_video_bitmaps, 4);

  // A double buffer keeps the floor in memory; sprites are still copied.
  destroy_blit_bitmaps();
  init_bitmaps(METHOD_DOUBLE_BUFFER);
  make_game_video_bitmaps();
  EXPECT_FALSE(is_video_bitmap(background));
  EXPECT_TRUE(is_video_bitmap(enemy_type_list[KIND_FUEL]->sprite));
  destroy_game_video_bitmaps();

  for (BITMAP *b : {fuel, plane, radar}) destroy_bitmap(b);
}

TEST(GameVideoBitmaps, NoEnemyKeepsAReleasedCopyAsTheLastPictureItDrew) {
  FakeCard card;
  card.other_video_bitmaps = 1;
  EnemyKindsSaved kinds;
  const int saved_total = total_enemies, saved_loaded = total_loaded_enemies;
  enemy saved_records[2] = {};
  for (int i = 0; i < 2; i++)
    if (enemy_map[i]) saved_records[i] = *enemy_map[i];
  total_enemy_types = 0;
  total_enemies = total_loaded_enemies = 0;
  BITMAP *fuel = create_bitmap(8, 8), *other = create_bitmap(8, 8);
  add_to_enemy_type_list("fuel", fuel, nullptr, nullptr, nullptr, 0, 0, 1, 0, 0, 0, 0, -1);
  add_map_enemy(KIND_FUEL, 10, 10, 0);
  add_map_enemy(KIND_FUEL, 20, 10, 0);
  init_graphics(WINDOW_DRIVER, 320, 240, 8, 75, METHOD_DOUBLE_BUFFER);
  make_game_video_bitmaps();
  ASSERT_TRUE(is_video_bitmap(enemy_type_list[KIND_FUEL]->sprite));
  enemy_map[0]->last_sprite = enemy_type_list[KIND_FUEL]->sprite;
  enemy_map[1]->last_sprite = other;

  change_graphics_mode(WINDOW_DRIVER, 320, 240, 8, 75, METHOD_DOUBLE_BUFFER);
  EXPECT_EQ(enemy_map[0]->last_sprite, nullptr);
  EXPECT_EQ(enemy_map[1]->last_sprite, other);  // not a copy: kept

  for (int i = 0; i < 2; i++) *enemy_map[i] = saved_records[i];
  total_enemies = saved_total;
  total_loaded_enemies = saved_loaded;
  destroy_game_video_bitmaps();
  for (BITMAP *b : {fuel, other}) destroy_bitmap(b);
}

TEST(GameVideoBitmaps, AboveEightBitsTheTileSheetIsCopiedOpaque) {
  FakeCard card;
  set_color_depth(8);
  BITMAP *sheet = create_bitmap(16, 8);
  clear_to_color(sheet, 0);
  putpixel(sheet, 8, 0, 5);
  DATAFILE kestal[] = {{sheet, DAT_BITMAP, 0, nullptr}, {nullptr, DAT_END, 0, nullptr}};
  DATAFILE *saved = data;
  data = kestal;

  init_graphics(WINDOW_DRIVER, 320, 240, 32, 75, METHOD_DOUBLE_BUFFER);
  make_game_video_bitmaps();
  ASSERT_NE(tileset, sheet);
  EXPECT_EQ(bitmap_color_depth(tileset), 32);
  EXPECT_EQ(getpixel(tileset, 0, 0), makecol(0, 0, 0));  // black, not the mask colour
  EXPECT_EQ(getpixel(tileset, 8, 0), palette_color[5]);
  // The copy follows a palette change; the tiles draw from it.
  RGB red = {63, 0, 0, 0};
  set_color(5, &red);
  refresh_tileset();
  EXPECT_EQ(getpixel(tileset, 8, 0), makecol(255, 0, 0));
  EXPECT_EQ(tiles[1]->w, 8);
  destroy_game_video_bitmaps();
  EXPECT_EQ(tileset, nullptr);

  // In 8 bits the sheet itself is drawn from.
  destroy_blit_bitmaps();
  init_graphics(WINDOW_DRIVER, 320, 240, 8, 75, METHOD_DOUBLE_BUFFER);
  make_game_video_bitmaps();
  EXPECT_EQ(tileset, sheet);
  destroy_game_video_bitmaps();

  data = saved;
  set_palette(default_palette);
  destroy_bitmap(sheet);
}
