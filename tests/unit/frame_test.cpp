#include <allegro.h>
#include <gtest/gtest.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "frontend/menu.h"
#include "game/switches.h"
#include "world/state.h"
#include "platform/video.h"
#include "shell/shell.h"

namespace {

// Timing without presenting anything: an update method with no showing
// step, the fake clock, and the given display rate.
struct Timing : FakeCard {
  explicit Timing(int rate) {
    hz = rate;
    updatemethod = -1;
    usetimer = 0;
    pretend_75hz = 0;
    game_ticks = 0;
    reset_timing();
  }
  ~Timing() { usetimer = 0; }
  // One frame that took `units` of 0.1 ms.
  float frame(int units) {
    fake_now += units;
    EndDrawing();
    return time_unit;
  }
};

}  // namespace

TEST(TimeUnit, FramesOfOneRefreshAreExactlyOneRefreshLong) {
  Timing t(75);
  for (int i = 0; i < 75; i++) EXPECT_EQ(t.frame(i % 3 == 0 ? 134 : 133), 1.0f);
  EXPECT_EQ(game_time, 75.0f);
  EXPECT_EQ(frames_drawn, 75);

  Timing t60(60);
  for (int i = 0; i < 10; i++) EXPECT_EQ(t60.frame(i % 3 == 0 ? 166 : 167), 1.25f);
}

TEST(TimeUnit, SnapsOnlyStrictlyWithinEightPerCent) {
  Timing t(50);  // a refresh is 200 units
  EXPECT_EQ(t.frame(214), 1.5f);            // 1.07 refreshes
  EXPECT_NEAR(t.frame(216), 1.62f, 1e-5);   // 1.08
  EXPECT_NEAR(t.frame(184), 1.38f, 1e-5);   // 0.92
  EXPECT_EQ(t.frame(186), 1.5f);            // 0.93
}

TEST(TimeUnit, FramesOfExactlyTheBoundStayUnsnappedAtEveryRate) {
  // {rate, units of exactly 1.08 refreshes, units of exactly 0.92 or 0}
  const int cases[][3] = {{75, 144, 0},  {60, 180, 0},  {50, 216, 184}, {100, 108, 92},
                          {40, 270, 230}, {80, 135, 115}, {135, 80, 0},  {150, 72, 0}};
  for (const auto &c : cases) {
    Timing t(c[0]);
    const float refresh = 75.0f / c[0];
    EXPECT_NEAR(t.frame(c[1]), 1.08f * refresh, 1e-5) << c[0] << " Hz";
    EXPECT_EQ(t.frame(c[1] - 1), refresh) << c[0] << " Hz";
    if (c[2] == 0) continue;
    EXPECT_NEAR(t.frame(c[2]), 0.92f * refresh, 1e-5) << c[0] << " Hz";
    EXPECT_EQ(t.frame(c[2] + 1), refresh) << c[0] << " Hz";
  }
}

TEST(TimeUnit, LongFramesAreCappedAndStallsCountAsOneTick) {
  Timing t(75);
  EXPECT_EQ(t.frame(400), 2.5f);    // 3 refreshes: capped at 2.5
  EXPECT_EQ(t.frame(10000), 1.0f);  // a one-second stall
  EXPECT_EQ(t.frame(-50), 1.0f);    // the clock stepped back

  Timing t60(60);
  EXPECT_NEAR(t60.frame(500), 3.125f, 1e-6);
}

TEST(TimeUnit, TimerModeCountsTicksUpToTheCapAndPretendingCountsOne) {
  Timing t(75);
  usetimer = -1;
  game_ticks = 3;
  EXPECT_EQ(t.frame(0), 2.5f);
  EXPECT_EQ(game_ticks.load(), 0);
  EXPECT_EQ(game_time, 2.5f);  // the third tick is dropped
  game_ticks = 1;
  EXPECT_EQ(t.frame(5000), 1.0f);  // the clock does not matter
  usetimer = 0;
  pretend_75hz = -1;
  EXPECT_EQ(t.frame(400), 1.0f);
  pretend_75hz = 0;
}

TEST(ResetTiming, TheFirstFrameCountsFromTheRetraceItWaitedFor) {
  Timing t(75);
  fake_now = 1000050;  // 83.3 units before the next boundary at 1000133.3
  reset_timing();
  EXPECT_EQ(fake_now, 1000133);
  EXPECT_EQ(first_time, 1000133);
  EXPECT_EQ(last_time, 0);
  EXPECT_EQ(game_time, 0.0f);
  EXPECT_EQ(t.frame(133), 1.0f);
  EXPECT_EQ(this_time, 133);
  EXPECT_EQ(my_time(), 133);
}

TEST(InitBitmaps, FallsBackFromTripleBufferingToPagesToADoubleBuffer) {
  FakeCard card;
  ASSERT_EQ(set_gfx(WINDOW_DRIVER, 320, 240, 8, 75), -1);  // room for three pages
  EXPECT_EQ(init_bitmaps(METHOD_TRIPLE_BUFFER), METHOD_PAGE_FLIPPING);
  EXPECT_EQ(currentbuffer, pages[0]);
  EXPECT_EQ(currentscreen, pages[1]);
  destroy_blit_bitmaps();
  EXPECT_EQ(pages[0], nullptr);

  card.accepts = [](const mode_attempt &a) { return a.v_h == 0; };  // one page only
  ASSERT_EQ(set_gfx(WINDOW_DRIVER, 320, 240, 8, 75), -1);
  EXPECT_EQ(init_bitmaps(METHOD_TRIPLE_BUFFER), METHOD_DOUBLE_BUFFER);
  EXPECT_FALSE(is_video_bitmap(currentbuffer));
  EXPECT_TRUE(is_video_bitmap(currentscreen));

  // Nothing left in video memory while these are kept: no method works.
  BITMAP *buffer = currentbuffer, *shown = currentscreen;
  EXPECT_EQ(init_bitmaps(METHOD_TRIPLE_BUFFER), -1);
  EXPECT_EQ(init_bitmaps(9), -1);
  currentbuffer = buffer;
  currentscreen = shown;
  updatemethod = METHOD_DOUBLE_BUFFER;
  destroy_blit_bitmaps();
}

TEST(InitBitmaps, TripleBufferingRotatesThroughThreePages) {
  FakeCard card;
  card.triple_buffer = true;
  ASSERT_EQ(set_gfx(WINDOW_DRIVER, 320, 240, 8, 75), -1);
  ASSERT_EQ(init_bitmaps(METHOD_TRIPLE_BUFFER), METHOD_TRIPLE_BUFFER);
  hz = 75;
  BITMAP *first = currentbuffer;
  EndDrawing();
  EXPECT_EQ(currentscreen, first);
  EXPECT_EQ(currentbuffer, pages[1]);
  EndDrawing();
  EndDrawing();
  EXPECT_EQ(currentbuffer, pages[0]);
  destroy_blit_bitmaps();
  for (BITMAP *p : pages) EXPECT_EQ(p, nullptr);
}

TEST(EndDrawing, WaitsForTheRetraceWhereTheDisplayWould) {
  FakeCard card;
  ASSERT_EQ(set_gfx(WINDOW_DRIVER, 320, 240, 8, 75), -1);
  hz = 75;
  ASSERT_EQ(init_bitmaps(METHOD_PAGE_FLIPPING), METHOD_PAGE_FLIPPING);
  BITMAP *drawn = currentbuffer;
  EndDrawing();
  EXPECT_EQ(card.retrace_waits, 1);
  EXPECT_EQ(currentscreen, drawn);
  EXPECT_EQ(currentbuffer, pages[1]);
  destroy_blit_bitmaps();

  ASSERT_EQ(init_bitmaps(METHOD_DOUBLE_BUFFER), METHOD_DOUBLE_BUFFER);
  putpixel(currentbuffer, 5, 5, 7);
  waitforvsync = 0;
  EndDrawing();
  EXPECT_EQ(card.retrace_waits, 1);  // unpaced
  EXPECT_EQ(getpixel(currentscreen, 5, 5), 7);
  waitforvsync = 1;
  EndDrawing();
  EXPECT_EQ(card.retrace_waits, 2);
}

TEST(OptionSwitches, FollowTheRegulationMethodAndTheOptionToggles) {
  FakeCard card;
  static int installed;
  installed = 0;
  install_tick_timer = [](void (*)(), long period) {
    EXPECT_EQ(period, GAME_TICK_PERIOD);
    installed++;
    return 0;
  };
  remove_tick_timer = [](void (*)()) { installed--; };

  struct row { int method, usetimer, waitforvsync, pretend_75hz; };
  for (row r : {row{0, 0, 0, 0}, row{1, -1, 0, 0}, row{2, -1, 1, 0}, row{3, 0, 1, 0},
                row{4, 0, 1, -1}, row{7, 0, 0, 0}}) {
    regulate_method = r.method;
    apply_regulation();
    EXPECT_EQ(usetimer, r.usetimer) << r.method;
    EXPECT_EQ(waitforvsync, r.waitforvsync) << r.method;
    EXPECT_EQ(pretend_75hz, r.pretend_75hz) << r.method;
    EXPECT_EQ(installed, r.usetimer == -1 ? 1 : 0) << r.method;
  }

  // The Options toggles pass their values on as the switches.
  myopts[OPTS_SHADOWS].value = 255;  // as a settings file stores it
  myopts[OPTS_REVERSE_ALT].value = 255;
  myopts[OPTS_SHADOWS].handler();
  myopts[OPTS_REVERSE_ALT].handler();
  EXPECT_EQ(bulletshadows, -1);
  EXPECT_EQ(reverse_logic, -1);
  myopts[OPTS_SHADOWS].value = 0;
  myopts[OPTS_REVERSE_ALT].value = 0;
  myopts[OPTS_SHADOWS].handler();
  myopts[OPTS_REVERSE_ALT].handler();
  EXPECT_EQ(bulletshadows, 0);
  EXPECT_EQ(reverse_logic, 1);
  myopts[OPTS_SHADOWS].value = -1;
  regulate_method = 0;
}
