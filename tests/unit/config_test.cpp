#include "frontend/config.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "world/state.h"
#include "platform/video.h"
#include "test_support.h"

namespace {

// Every global the settings file reads or writes, put back afterwards.
struct ConfigTest : ::testing::Test {
  ScratchDir dir;
  NoticeSaved notice;
  int saved_driver = gr_driver, saved_bpp = bpp, saved_hz = hz, saved_method = updatemethod;
  int saved_regulate = regulate_method, saved_shadows = bulletshadows, saved_reverse = reverse_logic;
  int saved_shadow_item = myopts[OPTS_SHADOWS].value;
  int saved_reverse_item = myopts[OPTS_REVERSE_ALT].value;
  ~ConfigTest() override {
    gr_driver = saved_driver;
    bpp = saved_bpp;
    hz = saved_hz;
    updatemethod = saved_method;
    regulate_method = saved_regulate;
    bulletshadows = saved_shadows;
    reverse_logic = saved_reverse;
    myopts[OPTS_SHADOWS].value = saved_shadow_item;
    myopts[OPTS_REVERSE_ALT].value = saved_reverse_item;
  }
};

std::vector<int> packed_content(const char *name) {
  std::vector<int> out;
  PACKFILE *f = pack_fopen(name, F_READ_PACKED);
  if (!f) return out;
  for (int c; (c = pack_getc(f)) != EOF;) out.push_back(c);
  pack_fclose(f);
  return out;
}

void write_packed(const char *name, const std::vector<int> &bytes) {
  PACKFILE *f = pack_fopen(name, F_WRITE_PACKED);
  ASSERT_NE(f, nullptr);
  for (int b : bytes) pack_putc(b, f);
  pack_fclose(f);
}

// The X11 system's list, as the headless system has none of its own.
GFX_DRIVER listed_driver;
_DRIVER_INFO x11_drivers[] = {
    {FULLSCREEN_DRIVER, &listed_driver, 1}, {WINDOW_DRIVER, &listed_driver, 1}, {0, nullptr, 0}};
_DRIVER_INFO *x11_driver_list() { return x11_drivers; }

struct X11DriverList {
  X11DriverList() : saved(system_driver->gfx_drivers) { system_driver->gfx_drivers = x11_driver_list; }
  ~X11DriverList() { system_driver->gfx_drivers = saved; }
  _DRIVER_INFO *(*saved)();
};

const std::vector<int> EXAMPLE_640 = {0x02, 0x00, 0x80, 0x02, 0xE0, 0x01,
                                      0x10, 0x3C, 0x02, 0x00, 0x00, 0xFF};

void expect_default_request(const FakeCard &card) {
  ASSERT_FALSE(card.attempts.empty());
  const mode_attempt &a = card.attempts.front();
  EXPECT_EQ(a.card, GFX_AUTODETECT_WINDOWED);
  EXPECT_EQ(a.w, DEFAULT_W);
  EXPECT_EQ(a.h, DEFAULT_H);
  EXPECT_EQ(a.depth, 32);  // the fake desktop's
}

}  // namespace

TEST_F(ConfigTest, SavesTheExampleModeAsItsTwelveBytes) {
  FakeCard card;
  ASSERT_EQ(init_graphics(GFX_AUTODETECT_WINDOWED, 640, 480, 16, 60, METHOD_DOUBLE_BUFFER), -1);
  ASSERT_EQ(hz, 60);
  bulletshadows = 0;
  reverse_logic = -1;
  save_config();
  EXPECT_EQ(packed_content(CONFIG_FILE), EXAMPLE_640);
  EXPECT_FALSE(std::filesystem::exists("config.dat.new"));
}

TEST_F(ConfigTest, RoundTripRestoresModeMethodAndOptionsButNotTheRegulation) {
  {
    FakeCard card;
    init_graphics(WINDOW_DRIVER, 640, 480, 16, 60, METHOD_DOUBLE_BUFFER);
    regulate_method = REGULATE_SCREEN_HZ;
    bulletshadows = -1;
    reverse_logic = 1;
    save_config();
  }
  std::vector<int> bytes = packed_content(CONFIG_FILE);
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(bytes[9], REGULATE_SCREEN_HZ);
  EXPECT_EQ(bytes[10], 255);  // shadows on
  EXPECT_EQ(bytes[11], 1);    // reverse logic off

  set_shadows(0);
  set_reverse_alt(-1);
  FakeCard card;
  X11DriverList x11;
  load_config();
  // The cut driver word came back as the full id; the mode is tried first.
  ASSERT_FALSE(card.attempts.empty());
  EXPECT_EQ(card.attempts.front().card, WINDOW_DRIVER);
  EXPECT_EQ(card.attempts.front().w, 640);
  EXPECT_EQ(card.attempts.front().depth, 16);
  EXPECT_EQ(gr_driver, WINDOW_DRIVER);
  EXPECT_EQ(bpp, 16);
  EXPECT_EQ(updatemethod, METHOD_DOUBLE_BUFFER);
  EXPECT_EQ(regulate_method, REGULATE_TIME_DIFFERENCE);
  EXPECT_EQ(bulletshadows, -1);
  EXPECT_EQ(reverse_logic, 1);
  EXPECT_TRUE(card.messages.empty());
}

TEST_F(ConfigTest, ExampleFileLoadsWithShadowsOffAndReverseOn) {
  write_packed(CONFIG_FILE, EXAMPLE_640);
  FakeCard card;
  load_config();
  EXPECT_EQ(card.attempts.front().card, GFX_AUTODETECT_WINDOWED);
  EXPECT_EQ(SCREEN_W, 640);
  EXPECT_EQ(SCREEN_H, 480);
  EXPECT_EQ(bpp, 16);
  EXPECT_EQ(bulletshadows, 0);
  EXPECT_EQ(reverse_logic, -1);
  EXPECT_EQ(menu_item_value(myopts[OPTS_REVERSE_ALT]), -1);
}

TEST_F(ConfigTest, NoFileOrAPlainFileMeansTheDefaultRequest) {
  {
    FakeCard card;
    load_config();
    expect_default_request(card);
    // Method 0 asked for; without triple buffering the card flips pages.
    EXPECT_EQ(updatemethod, METHOD_PAGE_FLIPPING);
  }
  // The right bytes without the packfile signature are refused.
  FILE *f = fopen(CONFIG_FILE, "wb");
  for (int b : EXAMPLE_640) fputc(b, f);
  fclose(f);
  FakeCard card;
  load_config();
  expect_default_request(card);
}

TEST_F(ConfigTest, ValuesOutOfRangeMeanTheirDefaults) {
  // Update method 7, depth 12, then the end of the file.
  write_packed(CONFIG_FILE, {0x02, 0x00, 0x80, 0x02, 0xE0, 0x01, 12, 60, 7});
  {
    FakeCard card;
    load_config();
    EXPECT_EQ(card.attempts.front().w, 640);
    EXPECT_EQ(card.attempts.front().depth, 32);  // depth 0: the desktop's
    EXPECT_EQ(updatemethod, METHOD_PAGE_FLIPPING);
    EXPECT_TRUE(card.messages.empty());
  }
  config_fields f{0x1234, 1024, 768, 8, 60, 2, 1, 0, 255};
  int none = 0;
  config_request r = config_from_fields(f, &none, 0);
  EXPECT_EQ(r.driver, GFX_AUTODETECT_WINDOWED);  // a word that names no driver
  EXPECT_EQ(r.width, DEFAULT_W);
  EXPECT_EQ(r.height, DEFAULT_H);
  EXPECT_EQ(r.depth, 0);
  EXPECT_EQ(r.refresh, DEFAULT_HZ);
  EXPECT_EQ(r.update_method, 2);
  EXPECT_EQ(r.regulate_method, 1);
  EXPECT_EQ(r.shadows_value, 0);
  EXPECT_EQ(r.reverse_alt_value, -1);

  // A width the menus offer with a height far beyond any screen.
  r = config_from_fields(config_fields{2, 640, 40000, 8, 60, 0, 0, 0, 0}, &none, 0);
  EXPECT_EQ(r.width, DEFAULT_W);
  EXPECT_EQ(r.height, DEFAULT_H);

  f = config_fields{2, 640, 0, 8, -1, -1, 9, -1, -1};
  set_shadows(-1);
  set_reverse_alt(0);
  r = config_from_fields(f, &none, 0);
  EXPECT_EQ(r.width, DEFAULT_W);
  EXPECT_EQ(r.update_method, 0);
  EXPECT_EQ(r.regulate_method, 0);
  EXPECT_EQ(r.shadows_value, -1);
  EXPECT_EQ(r.reverse_alt_value, 0);
}

TEST_F(ConfigTest, ShortAndDamagedFilesStillOpenAWindow) {
  write_packed(CONFIG_FILE, {0x02, 0x00, 0x80});
  {
    FakeCard card;
    load_config();
    expect_default_request(card);
  }
  // A signature followed by bytes that are no packed stream.
  FILE *f = fopen(CONFIG_FILE, "wb");
  fputs("slh!", f);
  for (int i = 0; i < 40; i++) fputc(0xff - i, f);
  fclose(f);
  FakeCard card;
  load_config();
  EXPECT_NE(screen, nullptr);
  EXPECT_GE(updatemethod, 0);
  EXPECT_LE(updatemethod, MAX_CONFIG_UPDATE_METHOD);
}

TEST(ConfigDrivers, TheSavedWordRestoresTheOneDriverWithThatLowWord) {
  const int ids[] = {FULLSCREEN_DRIVER, WINDOW_DRIVER, WINDOW_DRIVER, GFX_SAFE};
  for (int word : {0, 1, 2}) EXPECT_EQ(restore_driver_id(word, ids, 4), word);
  EXPECT_EQ(restore_driver_id(WINDOW_DRIVER & 0xffff, ids, 4), WINDOW_DRIVER);
  EXPECT_EQ(restore_driver_id(FULLSCREEN_DRIVER & 0xffff, ids, 4), FULLSCREEN_DRIVER);
  EXPECT_EQ(restore_driver_id(GFX_SAFE & 0xffff, ids, 4), GFX_SAFE);
  EXPECT_EQ(restore_driver_id(0x4142, ids, 4), GFX_AUTODETECT_WINDOWED);

  // Two different drivers with one low word: neither is guessed.
  const int clash[] = {driver_id('A', 'B', 'I', 'N'), WINDOW_DRIVER};
  EXPECT_EQ(restore_driver_id(WINDOW_DRIVER & 0xffff, clash, 2), GFX_AUTODETECT_WINDOWED);

  X11DriverList x11;
  int listed[MAX_LISTED_DRIVERS];
  ASSERT_EQ(listed_driver_ids(listed, MAX_LISTED_DRIVERS), 3);
  EXPECT_EQ(listed[0], FULLSCREEN_DRIVER);
  EXPECT_EQ(listed[1], WINDOW_DRIVER);
  EXPECT_EQ(listed[2], GFX_SAFE);
  EXPECT_EQ(listed_driver_ids(listed, 2), 2);  // the safe driver always fits
}

TEST_F(ConfigTest, SavingSaysWhereAndAFullDiskKeepsTheOldFileAndSaysWhy) {
  FakeCard card;
  ASSERT_EQ(init_graphics(GFX_AUTODETECT_WINDOWED, 640, 480, 16, 60, METHOD_DOUBLE_BUFFER), -1);
  const std::string where = std::filesystem::current_path().string() + "/config.dat";
  EXPECT_EQ(capture_stdout([] { save_config(); }), "Saved the settings in " + where + "\n");
  EXPECT_STREQ(notice_line[0], "Saved the settings in");
  EXPECT_STREQ(notice_line[1], where.c_str());
  EXPECT_GT(notice_until, game_time);

  const std::string old = read_file(CONFIG_FILE);
  reverse_logic = -reverse_logic;
  std::string said;
  {
    FileSizeLimit limit(old.size() - 1);
    said = capture_stderr([] { save_config(); });
  }
  EXPECT_EQ(said, "Could not save the settings to " + where + ": File too large\n");
  EXPECT_EQ(read_file(CONFIG_FILE), old);
  EXPECT_EQ(folder_listing(), std::vector<std::string>{CONFIG_FILE});
  EXPECT_STREQ(notice_line[0], "Could not save the settings:");
  EXPECT_EQ(notice_line[1], "File too large (" + where + ")");
}

TEST_F(ConfigTest, ASavedFullScreenModeStartsWithTheToggleOnFullScreen) {
  const int saved_full = infullscreen, saved_item = mymain[MAIN_FULLSCREEN].value;
  {
    FakeCard card;
    init_graphics(FULLSCREEN_DRIVER, 640, 480, 8, 60, METHOD_PAGE_FLIPPING);
    save_config();
  }
  infullscreen = 0;
  mymain[MAIN_FULLSCREEN].value = 0;
  {
    FakeCard card;
    X11DriverList x11;
    load_config();
    EXPECT_EQ(infullscreen, -1);
    EXPECT_EQ(menu_item_value(mymain[MAIN_FULLSCREEN]), -1);
  }
  infullscreen = saved_full;
  mymain[MAIN_FULLSCREEN].value = saved_item;
}
