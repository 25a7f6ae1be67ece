#include "game/world.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/launchers.h"
#include "fake_card.h"
#include "frontend/menu.h"
#include "game_world.h"
#include "game/switches.h"
#include "game/frame_pass.h"
#include "game/play.h"
#include "game/ship.h"
#include "world/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/video.h"
#include "render/screen_objects.h"
#include "render/background.h"
#include "render/spritemap.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"
#include "game/setup.h"

namespace {

// The whole game headless: the generated data files and level, a fake
// 448 x 512 screen, a clock that counts one tick a frame and a seeded
// random source. Built once for the suite; each test starts a new game.
struct World : ::testing::Test {
  inline static FakeCard *card = nullptr;

  static void SetUpTestSuite() { card = load_game_world(); }
  static void TearDownTestSuite() {
    unload_game_world(card);
    card = nullptr;
  }

  player saved_player = player1, saved_demo = demo_player;
  player *saved_current = current_player;
  int saved_hz = hz, saved_top = top_score, saved_last = last_score, saved_demo_flag = demomode_flag;
  int saved_pretend = pretend_75hz;

  World() {
    memset(const_cast<char *>(key), 0, KEY_MAX);
    seed_game_rand(1234);
    hz = 75;
    pretend_75hz = -1;  // every frame one tick
    demomode_flag = 0;
    current_player = &player1;
    input_released = -1;
    paused = 0;
    ghostship_flag = 0;
    auto_fire = 0;
    after_frame = nullptr;
  }
  ~World() override {
    memset(const_cast<char *>(key), 0, KEY_MAX);
    after_frame = nullptr;
    player1 = saved_player;
    demo_player = saved_demo;
    current_player = saved_current;
    hz = saved_hz;
    top_score = saved_top;
    last_score = saved_last;
    demomode_flag = saved_demo_flag;
    pretend_75hz = saved_pretend;
    ghostship_flag = 0;
  }

  static void new_game() {
    init_game();
    current_player->lives = START_LIVES;
    init_life();
  }
  static void frames(int n) {
    for (int i = 0; i < n; i++) run_frame(nullptr);
  }
  static int live_of_kind(int kind) {
    int n = 0;
    for (int i = total_loaded_enemies; i < total_enemies; i++)
      n += enemy_map[i]->type == kind && enemy_map[i]->hit_points > 0;
    return n;
  }
};

}  // namespace

TEST_F(World, AGameStartsInRoundOneAndScrollsTwoUnitsATick) {
  new_game();
  EXPECT_EQ(player1.round, 1);
  EXPECT_EQ(range_index, 0);
  EXPECT_EQ(scrollpos, std::max(FIRST_ROUND_START_SCROLL, stretch_start(0)));
  EXPECT_EQ(over_ground, 0);
  float start = scrollpos;
  frames(50);
  EXPECT_FLOAT_EQ(scrollpos, start + 100);
  EXPECT_EQ(ship_state, 0);
  EXPECT_EQ(shipscreenx, 32);  // placed by the ship's own step
  EXPECT_LT(fuel, 256);
}

TEST_F(World, StagesFollowThePositionAlongTheStrip) {
  int saved_range = range_index, saved_planes = enemy_planes;
  range_index = 0;
  EXPECT_EQ(stage_at(584, 7), STAGE_START);
  EXPECT_EQ(stage_at(585, 0), STAGE_FORTRESS1);
  range_index = 3;
  enemy_planes = 1;
  EXPECT_EQ(stage_at(480, 0), STAGE_SPACE);
  enemy_planes = 0;
  EXPECT_EQ(stage_at(564, 0), STAGE_SPACE_CLEARED);
  EXPECT_EQ(stage_at(600, 0), STAGE_FORTRESS2);
  EXPECT_EQ(stage_at(1300, 4), 4);  // no rule: the stage stays
  range_index = 5;
  enemy_planes = 3;
  EXPECT_EQ(stage_at(509, 0), STAGE_SPACE_CLEARED);
  EXPECT_EQ(stage_at(1170 - screen_tile_w - 1, 0), STAGE_FORTRESS2);
  EXPECT_EQ(stage_at(1170 - screen_tile_w, 0), STAGE_BOSS);
  range_index = 6;
  EXPECT_EQ(stage_at(10, 0), STAGE_SECOND_HALF);
  range_index = 7;
  EXPECT_EQ(stage_at(10, 0), STAGE_LAST_FORTRESSES);
  range_index = saved_range;
  enemy_planes = saved_planes;

  EXPECT_EQ(stage_scroll_speed(STAGE_SPACE), 1.0f);
  EXPECT_EQ(stage_scroll_speed(STAGE_SPACE_CLEARED), 4.0f);
  EXPECT_EQ(stage_scroll_speed(STAGE_FORTRESS2), 2.0f);
  EXPECT_EQ(stage_scroll_speed(STAGE_SECOND_HALF), 3.0f);
}

TEST_F(World, AnEmptyTankSinksTheShipWhichCrashesOnceAtAltitudeTwo) {
  new_game();
  frames(200);  // past the grace time
  ghostship_flag = -1;  // no scenery in the way
  fuel = 0;             // exactly empty counts as empty
  shipalt = 11;
  int ticks = 0;
  while (ship_state < 100 && ticks < 100) {
    frames(1);
    ticks++;
  }
  EXPECT_EQ(ship_state, 100);
  EXPECT_EQ(end_life, -1);
  EXPECT_EQ(ticks, 10);  // 11 down to 2 at one unit a tick; the check comes before the move
  // The wreck sinks on, but explodes only once.
  frames(20);
  int explosions = 0;
  for (const animation &a : anim_list) explosions += a.count > 0 && a.type == ANIM_EXPLOSION_LARGE;
  EXPECT_LE(explosions, 1);
}

TEST_F(World, TheBossCreepsInOnceThenTheRoundEndsThreeAndAHalfSecondsAfterItDies) {
  new_game();
  warp_to((1170 - screen_tile_w) * 8, 5, BORLIN_NORMAL_PALETTE);
  frames(1);
  EXPECT_EQ(player1.stage, STAGE_BOSS);
  int guard = 0;
  while (scroll_offset <= BOSS_CREEP_OFFSET && guard++ < 20) {
    EXPECT_EQ(borlin_boss, 0);
    frames(1);
  }
  frames(1);
  ASSERT_TRUE(enemy_is(borlin_boss, KIND_BOSS));
  float stopped = scrollpos;
  frames(30);
  EXPECT_EQ(scrollpos, stopped);
  EXPECT_EQ(live_of_kind(KIND_BOSS), 1);

  // A warp frees the boss's slot: it must not count as destroyed then.
  int boss = borlin_boss;
  warp_to((1170 - screen_tile_w) * 8, 5, BORLIN_NORMAL_PALETTE);
  EXPECT_EQ(borlin_boss, 0);
  EXPECT_EQ(borlin_missile, 0);
  EXPECT_EQ(enemy_map[boss]->hit_points, 0);
  while (!enemy_is(borlin_boss, KIND_BOSS) && guard++ < 40) frames(1);
  ASSERT_TRUE(enemy_is(borlin_boss, KIND_BOSS));

  enemy_map[borlin_boss]->hit_points = 0;
  int ticks = 0;
  while (player1.round == 1 && ticks < 1000) {
    frames(1);
    ticks++;
  }
  EXPECT_EQ(ticks, static_cast<int>(3.5 * 75) + 1);
  EXPECT_EQ(player1.round, 2);
  EXPECT_EQ(range_index, 0);
  EXPECT_EQ(borlin_boss, 0);
  EXPECT_EQ(borlin_missile, 0);
}

TEST_F(World, TheDemoStartsOverPastItsLastPosition) {
  demomode_flag = -1;
  current_player = &demo_player;
  init_game();
  init_life();
  EXPECT_EQ(range_index, DEMO_START_STRETCH);
  EXPECT_EQ(scrollpos, DEMO_START_SCROLL);
  range_index = 13;
  scrollpos = 8 * 1521;
  game_logic();
  EXPECT_EQ(range_index, 0);
  EXPECT_LT(scrollpos, 8 * 1000);
  EXPECT_EQ(current_pal, BORLIN_NORMAL_PALETTE);
}

TEST_F(World, QuittingEndsTheGameAtOnceWithNoShipsLeft) {
  key[KEY_ESC] = 1;
  long before = frame_pass_count;
  top_score = 1000000;
  play_game();
  EXPECT_EQ(frame_pass_count - before, 1);
  EXPECT_EQ(player1.lives, 0);
  EXPECT_EQ(top_score, 1000000);
}

namespace {

// Empties the tank of every new ship, and notes where each ship died and
// where the next one started.
struct Deaths {
  static inline std::vector<int> death_pos, death_stretch, start_pos;
  static inline int last_state = 100;
  static inline long wreck_frames = 0;
  static void watch() {
    if (ship_state >= 100) wreck_frames++;
    if (ship_state >= 100 && last_state < 100) {
      death_pos.push_back(static_cast<int>(scrollpos));
      death_stretch.push_back(range_index);
    }
    if (ship_state == 0 && last_state >= 100) start_pos.push_back(static_cast<int>(scrollpos));
    last_state = ship_state;
    if (ship_state == 0 && fuel > 0) {
      fuel = 0;
      ghostship_flag = -1;
    }
  }
};

}  // namespace

TEST_F(World, ThreeLostShipsEndTheGameAfterTheLongerLastPause) {
  Deaths::death_pos.clear();
  Deaths::death_stretch.clear();
  Deaths::start_pos.clear();
  Deaths::last_state = 100;
  Deaths::wreck_frames = 0;
  after_frame = Deaths::watch;
  top_score = 0;
  play_game();
  EXPECT_EQ(player1.lives, 0);
  ASSERT_EQ(Deaths::death_pos.size(), 3u);
  ASSERT_EQ(Deaths::start_pos.size(), 3u);
  // The crash frames and the after-death frames: one second and 64 frames
  // after each ship but the last, three seconds and 64 after the last.
  EXPECT_EQ(Deaths::wreck_frames, 3 + 2 * (75 + 64) + (3 * 75 + 64));
  EXPECT_EQ(top_score, player1.score);
  // The next ship starts half a screen back (made even), not before its
  // stretch; its first frame scrolls on by one step.
  for (int i = 0; i < 2; i++) {
    int back = std::max(Deaths::death_pos[i] - big_screen_w / 2,
                        stretch_start(Deaths::death_stretch[i]));
    EXPECT_EQ(Deaths::start_pos[i + 1], (back & ~1) + 2) << i;
  }
}

TEST_F(World, AnimationsMoveAndStopOnlyPastTheScreenEdge) {
  animation saved_list[MAX_ANIMATIONS];
  memcpy(saved_list, anim_list, sizeof anim_list);
  for (animation &a : anim_list) a.count = 0;
  anim_list[0] = animation{0, 100, 100, -1, 5, 0, 2, 1, -2, 1};
  anim_list[1] = animation{0, 447, 511, -1, 0, 0, 1, 1, 0, 1};
  anim_list[2] = animation{0, 448, 10, -1, 0, 0, 1, 0, 0, 1};
  time_unit = 1;
  move_anims();
  EXPECT_FLOAT_EQ(anim_list[0].x, 102);
  EXPECT_FLOAT_EQ(anim_list[0].alt, 3);
  EXPECT_FLOAT_EQ(anim_list[0].y, 103);  // sinking moves the picture down
  EXPECT_EQ(anim_list[1].count, 1);      // exactly at the edge runs on
  EXPECT_EQ(anim_list[2].count, 0);
  move_anims();
  move_anims();
  EXPECT_FLOAT_EQ(anim_list[0].alt, 0);
  EXPECT_EQ(anim_list[1].count, 0);
  memcpy(anim_list, saved_list, sizeof anim_list);
}

TEST_F(World, WarpCodesLandAtTheirPlacesAtBothScreenWidths) {
  new_game();
  auto type = [](const char *code) {
    for (const char *c = code; *c; c++) cheat_key(*c);
  };
  type("2W");  // the wrong order does nothing
  EXPECT_EQ(range_index, 0);
  EXPECT_EQ(player1.cheated, 0);
  for (int w : {448, 640}) {
    set_screen_geometry(w, w == 448 ? 512 : 480);
    type("W2");
    EXPECT_EQ(range_index, 5);
    EXPECT_EQ(scrollpos, std::max((614 - screen_tile_w) * 8, stretch_start(5)) & ~1) << w;
    type("W1");
    EXPECT_EQ(range_index, 1);
    EXPECT_EQ(scrollpos,
              std::max(static_cast<int>((460 - screen_tile_w * 0.75f) * 8), stretch_start(1)) & ~1)
        << w;
    type("W3");
    EXPECT_EQ(scrollpos, std::max((1170 - screen_tile_w) * 8, stretch_start(5)) & ~1) << w;
    type("W4");
    EXPECT_EQ(range_index, DEMO_START_STRETCH);
    EXPECT_EQ(current_pal, BORLIN_DEMO_PALETTE);
    type("W0");
    EXPECT_EQ(range_index, 0);
    EXPECT_EQ(current_pal, BORLIN_NORMAL_PALETTE);
  }
  set_screen_geometry(448, 512);
  EXPECT_EQ(player1.cheated, -1);
}

TEST_F(World, TheShipBlinksAfterARestartAndStaysPutWithinItsBounds) {
  new_game();
  player1.lives = 2;
  game_time = 4;  // (4 & 12) != 0: shown
  int before = total_dynamic_objects;
  ship_logic();
  EXPECT_EQ(total_dynamic_objects, before + 1);
  game_time = 16;  // (16 & 12) == 0: hidden while blinking
  ship_logic();
  EXPECT_EQ(total_dynamic_objects, before + 1);
  player1.lives = 3;  // the first ship does not blink
  ship_logic();
  EXPECT_EQ(total_dynamic_objects, before + 2);
  game_time = 1.5f * hz + 4;  // after the grace time only the ghost ship blinks
  player1.lives = 1;
  ghostship_flag = -1;
  game_time = 1.5f * hz + 16 - (static_cast<int>(1.5f * hz + 16) & 15);
  ship_logic();
  EXPECT_EQ(total_dynamic_objects, before + 2);
  EXPECT_FLOAT_EQ(shipscreeny, shipz * 0.5f + ystart + 116 - shipalt);
  draw_screen_objects();  // empties the queue
}

TEST_F(World, TheFullScreenSwitchAlternatesAndKeepsTheBossInPlace) {
  const int saved_full = infullscreen, saved_fbpp = last_bpp_in_fullscreen,
            saved_wbpp = last_bpp_in_windowed;
  new_game();
  change_fullscreen();  // from the 448 x 512 window: the wide size, 8 bits the first time
  EXPECT_EQ(infullscreen, -1);
  EXPECT_EQ(gr_driver, GFX_AUTODETECT_FULLSCREEN);
  EXPECT_EQ(SCREEN_W, 640);
  EXPECT_EQ(bpp, 8);

  // In the boss fight the view stays at the boss and the boss keeps its
  // place against the new right edge.
  pretend_75hz = -1;  // the mode change set the regulation afresh
  warp_to((1170 - screen_tile_w) * 8, 5, BORLIN_NORMAL_PALETTE);
  int guard = 0;
  while (!enemy_is(borlin_boss, KIND_BOSS) && guard++ < 40) frames(1);
  ASSERT_TRUE(enemy_is(borlin_boss, KIND_BOSS));
  const float from_right = SCREEN_W - enemy_map[borlin_boss]->screen_x;
  change_fullscreen();  // back to the window, at the desktop's depth
  EXPECT_EQ(infullscreen, 0);
  EXPECT_EQ(SCREEN_W, 448);
  EXPECT_EQ(SCREEN_H, 512);
  EXPECT_EQ(bpp, desktop_bpp);
  EXPECT_EQ(scrollpos, (1170 - screen_tile_w) * 8);
  EXPECT_FLOAT_EQ(SCREEN_W - enemy_map[borlin_boss]->screen_x, from_right);

  change_graphics_mode(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_DOUBLE_BUFFER);
  pretend_75hz = -1;
  infullscreen = saved_full;
  last_bpp_in_fullscreen = saved_fbpp;
  last_bpp_in_windowed = saved_wbpp;
}

TEST_F(World, TheFullScreenSwitchFollowsTheModeOpenAndLaysOutTheBossFightsSpriteMapAfresh) {
  const int saved_full = infullscreen, saved_fbpp = last_bpp_in_fullscreen,
            saved_wbpp = last_bpp_in_windowed, saved_item = mymain[MAIN_FULLSCREEN].value;
  new_game();
  // Full screen refused: the window comes back, and the switch says so.
  card->accepts = [](const mode_attempt &a) { return a.card != GFX_AUTODETECT_FULLSCREEN; };
  change_fullscreen();
  EXPECT_EQ(SCREEN_W, 448);
  EXPECT_EQ(infullscreen, 0);
  EXPECT_EQ(menu_item_value(mymain[MAIN_FULLSCREEN]), 0);  // the item still offers "Fullscreen"
  card->accepts = [](const mode_attempt &) { return true; };

  pretend_75hz = -1;
  warp_to((1170 - screen_tile_w) * 8, 5, BORLIN_NORMAL_PALETTE);
  int guard = 0;
  while (!enemy_is(borlin_boss, KIND_BOSS) && guard++ < 40) frames(1);
  ASSERT_TRUE(enemy_is(borlin_boss, KIND_BOSS));
  auto entered = [] {
    int n = 0;
    for (int i = 0; i < total_enemies; i++) n += enemy_map[i]->spritemap_columns != 0;
    return n;
  };
  frames(2);
  ASSERT_GT(entered(), 0);  // the ground in view has entered its contours
  // The ring of the 448 window is 480 columns; the wider screen's must not
  // find the old window's cells in it.
  for (auto &column : spritemap) std::fill(std::begin(column), std::end(column), 1);
  change_fullscreen();
  ASSERT_EQ(SCREEN_W, 640);
  EXPECT_EQ(infullscreen, -1);
  EXPECT_EQ(menu_item_value(mymain[MAIN_FULLSCREEN]), -1);
  int left = 0;
  for (int c = 0; c < big_screen_w; c++)
    for (unsigned short cell : spritemap[c]) left += cell != 0;
  EXPECT_EQ(left, 0);
  EXPECT_EQ(entered(), 0);
  frames(2);
  EXPECT_GT(entered(), 0);  // in again, against the new ring

  change_graphics_mode(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_DOUBLE_BUFFER);
  clear_contours();
  pretend_75hz = -1;
  infullscreen = saved_full;
  last_bpp_in_fullscreen = saved_fbpp;
  last_bpp_in_windowed = saved_wbpp;
  mymain[MAIN_FULLSCREEN].value = saved_item;
}

TEST_F(World, SingleStepsEndWithTheGameTheyWereTurnedOnIn) {
  paused = -1;  // Left Shift during a pause
  new_game();
  ASSERT_EQ(paused, 0);
  long before = frame_pass_count;
  frames(3);  // no wait for P: the frames run
  EXPECT_EQ(frame_pass_count - before, 3);
}

TEST_F(World, ARestartPutsALaunchedRocketBackOnItsPadStillLaunched) {
  new_game();
  std::vector<enemy *> rockets;
  for (int i = 0; i < total_loaded_enemies; i++)
    if (enemy_map[i]->type == KIND_YELLOW_ROCKET || enemy_map[i]->type == KIND_RED_ROCKET)
      rockets.push_back(enemy_map[i]);
  ASSERT_GE(rockets.size(), 2u);
  enemy *on_pad = rockets[0], *flown = rockets[1];
  on_pad->frame = 3;  // launched, still below the floor
  on_pad->alt = -20;
  flown->frame = 2;  // taken off
  flown->alt = 5;
  at_new_position();
  EXPECT_FLOAT_EQ(on_pad->alt, -34);
  EXPECT_FLOAT_EQ(on_pad->frame, 3);  // no second trigger, no second launch sound
  EXPECT_EQ(on_pad->hit_points, 1);
  EXPECT_EQ(flown->hit_points, 0);
}

namespace {

// Colour-`c` pixels of the drawing buffer in rows y0..y1, with every
// palette entry drawn as itself.
int pixels_of_colour(int c, int y0, int y1) {
  int n = 0;
  for (int y = y0; y <= y1; y++)
    for (int x = 0; x < currentbuffer->w; x++) n += getpixel(currentbuffer, x, y) == c;
  return n;
}

}  // namespace

TEST_F(World, ABossThatGetsAwayIsNotPraised) {
  new_game();
  ghostship_flag = -1;  // nothing can hit the ship while the boss flies
  warp_to((1170 - screen_tile_w) * 8, 5, BORLIN_NORMAL_PALETTE);
  int guard = 0;
  while (!enemy_is(borlin_boss, KIND_BOSS) && guard++ < 40) frames(1);
  ASSERT_TRUE(enemy_is(borlin_boss, KIND_BOSS));
  const enemy *boss = enemy_map[borlin_boss];
  const int score = player1.score;
  // It fires its missile, which nobody shoots, and leaves; one second
  // later the round's end texts are due.
  while ((boss->hit_points > 0 || boss->frame <= hz) && guard++ < 10000) {
    fuel = FULL_FUEL;
    frames(1);
  }
  ASSERT_EQ(boss->hit_points, 0);
  ASSERT_EQ(player1.round, 1);
  EXPECT_EQ(player1.score, score);

  std::array<int, PAL_SIZE> colours;
  std::copy(_palette_color8, _palette_color8 + PAL_SIZE, colours.begin());
  for (int i = 0; i < PAL_SIZE; i++) _palette_color8[i] = i;
  clear_bitmap(currentbuffer);
  draw_bonus_texts();
  EXPECT_EQ(pixels_of_colour(71, 170, 200), 0);  // no "CONGRATULATIONS !"
  EXPECT_EQ(pixels_of_colour(14, 266, 296), 0);  // no "GOOD !"
  EXPECT_GT(pixels_of_colour(29, 218, 248), 0);  // the plain line
  // Had the missile been shot, its points were the bonus.
  boss_bonus_paid = 200;
  clear_bitmap(currentbuffer);
  draw_bonus_texts();
  EXPECT_GT(pixels_of_colour(71, 170, 200), 0);
  EXPECT_GT(pixels_of_colour(14, 266, 296), 0);
  std::copy(colours.begin(), colours.end(), _palette_color8);
}

TEST_F(World, ThePlanesPaletteComesAndGoesWithoutConvertingTheTilesAgain) {
  new_game();
  change_graphics_mode(GFX_AUTODETECT_WINDOWED, 448, 512, 32, 75, METHOD_DOUBLE_BUFFER);
  pretend_75hz = -1;
  ASSERT_EQ(bitmap_color_depth(tileset), 32);  // the converted copy
  const RGB *waves = static_cast<const RGB *>(commondata[BORLIN_WAVES_PALETTE].dat);
  const int marker = makecol(1, 2, 3);
  putpixel(tileset, 0, 0, marker);
  player1.round = 2;
  add_loop_plane();
  EXPECT_EQ(current_pal, BORLIN_WAVES_PALETTE);
  EXPECT_EQ(palette_color[104], makecol(_rgb_scale_6[waves[104].r], _rgb_scale_6[waves[104].g],
                                        _rgb_scale_6[waves[104].b]));
  EXPECT_EQ(getpixel(tileset, 0, 0), marker);
  // Space cleared of its planes: the normal palette again, the same way.
  range_index = 5;
  scrollpos = 540 * 8;
  frames(1);
  EXPECT_EQ(player1.stage, STAGE_SPACE_CLEARED);
  EXPECT_EQ(current_pal, BORLIN_NORMAL_PALETTE);
  EXPECT_EQ(getpixel(tileset, 0, 0), marker);

  change_graphics_mode(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_DOUBLE_BUFFER);
  pretend_75hz = -1;
}

TEST_F(World, TheSwitchStartsFromAModeChosenInTheLists) {
  const int saved_full = infullscreen, saved_fbpp = last_bpp_in_fullscreen,
            saved_wbpp = last_bpp_in_windowed, saved_item = mymain[MAIN_FULLSCREEN].value;
  new_game();
  // As under X11, the full-screen driver refuses depth 0.
  card->accepts = [](const mode_attempt &a) {
    return a.card != FULLSCREEN_DRIVER || a.depth != 0;
  };
  // Started from a saved full-screen mode ...
  change_graphics_mode(FULLSCREEN_DRIVER, 640, 480, 8, 75, METHOD_DOUBLE_BUFFER);
  follow_open_mode();  // as start-up does
  ASSERT_EQ(infullscreen, -1);
  // ... then the driver list's window ...
  change_graphics_mode(WINDOW_DRIVER, 640, 480, 8, 75, METHOD_TRIPLE_BUFFER);
  EXPECT_EQ(infullscreen, 0);
  EXPECT_EQ(mymain[MAIN_FULLSCREEN].value, 0);  // the item offers "Fullscreen"
  // ... then F5: full screen at its depth, without a message box.
  card->attempts.clear();
  card->messages.clear();
  change_fullscreen();
  ASSERT_FALSE(card->attempts.empty());
  EXPECT_EQ(card->attempts.front().card, FULLSCREEN_DRIVER);
  EXPECT_EQ(card->attempts.front().depth, 8);
  EXPECT_TRUE(card->messages.empty());
  EXPECT_EQ(infullscreen, -1);

  card->accepts = [](const mode_attempt &) { return true; };
  change_graphics_mode(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_DOUBLE_BUFFER);
  pretend_75hz = -1;
  infullscreen = saved_full;
  last_bpp_in_fullscreen = saved_fbpp;
  last_bpp_in_windowed = saved_wbpp;
  mymain[MAIN_FULLSCREEN].value = saved_item;
}

TEST(GameOver, ShowsFromOneSecondToJustBeforeTheEnd) {
  int saved = hz;
  hz = 60;
  EXPECT_EQ(after_death_frames(1), 124);
  EXPECT_EQ(after_death_frames(0), 244);
  EXPECT_FALSE(game_over_frame(60));
  EXPECT_TRUE(game_over_frame(61));
  EXPECT_TRUE(game_over_frame(242));
  EXPECT_FALSE(game_over_frame(243));
  hz = saved;
}
