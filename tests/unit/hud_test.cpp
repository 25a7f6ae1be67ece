#include <allegro.h>
#include <gtest/gtest.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "render/hud.h"
#include "render/screen_objects.h"
#include "render_world.h"

namespace {

// The HUD's inputs, put back afterwards.
struct Hud : RenderWorld {
  float saved_alt = shipalt, saved_fuel = fuel, saved_x = shipscreenx, saved_y = shipscreeny;
  float saved_time = game_time;
  int saved_hz = hz, saved_end = end_life;
  Hud() {
    hz = 60;
    end_life = 0;
  }
  ~Hud() {
    shipalt = saved_alt;
    fuel = saved_fuel;
    shipscreenx = saved_x;
    shipscreeny = saved_y;
    game_time = saved_time;
    hz = saved_hz;
    end_life = saved_end;
  }
  // Whether the meter's tick of value v is drawn (its left end).
  bool tick(int v) { return getpixel(frame, 0, ystart + 144 - v) == 71; }
};

}  // namespace

TEST(Hud, AltitudeMeterFillsBelowTheShipAndMarksTheScaleAbove) {
  Hud h;
  shipalt = 20;
  draw_altometer();
  for (int v = 0; v < 20; v++) EXPECT_EQ(h.tick(v), v != 16) << v;
  for (int v = 20; v <= 145; v++)
    EXPECT_EQ(h.tick(v), v == 48 || v == 80 || v == 112 || v == 144) << v;
}

TEST(Hud, FuelGaugeHasALineForEveryUnitStartedAndBlinksWhenLow) {
  Hud h;
  const int X = RenderWorld::W / 2, B = RenderWorld::H - 20;
  fuel = 63.5f;
  game_time = 0;  // an even blink: the warning box is drawn
  draw_fuel();
  // 64 lines: u = 0..63, the last in colour 255 - 15.
  EXPECT_EQ(getpixel(h.frame, X - 112 + 63, B + 8), 255 - 15);
  EXPECT_EQ(getpixel(h.frame, X - 112 + 64, B + 8), 22);  // the box behind
  clear_bitmap(h.frame);
  game_time = 20;  // 3 * 20 / 60 = 1: odd, no box
  draw_fuel();
  EXPECT_EQ(getpixel(h.frame, X - 112 + 64, B + 8), 0);
  EXPECT_EQ(getpixel(h.frame, X - 112 + 16, B + 8), 255);
}

TEST(Hud, TwoPlanesLockedFromBehindAndNoneInsideAFortress) {
  Hud h;
  shipscreenx = 100;
  shipscreeny = 300;
  shipalt = 40;
  total_loaded_enemies = 2;
  for (int i : {2, 3}) {
    enemy &e = h.place(i, KIND_PLANE);
    e.screen_x = 150;
    e.screen_y = 300 + 25 - 34;  // on the aim: (50 / 2) - ((310 + 34) - (y + 34))
    e.alt = 34;
  }
  EXPECT_EQ(locked_planes(), 2);
  h.enemies[3].alt = 49;  // 15 above the aim
  EXPECT_EQ(locked_planes(), 1);
  h.enemies[2].screen_x = 100;  // not ahead of the ship
  EXPECT_EQ(locked_planes(), 0);
  h.enemies[3].alt = 34;
  inside_fortress = 2;
  EXPECT_EQ(locked_planes(), 0);
}

TEST(Hud, DemoTopScoreCyclesThroughItsColours) {
  EXPECT_EQ(demo_score_colour(0), 112);
  EXPECT_EQ(demo_score_colour(127.9f), 143);
  EXPECT_EQ(demo_score_colour(128), 80);
  EXPECT_EQ(demo_score_colour(255), 111);
  EXPECT_EQ(demo_score_colour(256), 112);
}

TEST(Anims, DrawAnimsQueuesLiveSlotsAndRunsThemOut) {
  RenderWorld w;
  anim_type *saved = anim_type_list[0];
  const int saved_total = total_anim_types;
  const float saved_unit = time_unit;
  BITMAP *frames[3] = {w.solid(2, 2, 9), w.solid(2, 2, 9), w.solid(2, 2, 9)};
  anim_type t{3, frames, 2, 2};
  anim_type_list[0] = &t;
  total_anim_types = std::max(total_anim_types, 1);
  clear_animations();
  time_unit = 1.5f;
  add_animation(0, 10, 20, -1, 5, 0, 0, 0, 1);
  draw_anims();
  ASSERT_EQ(total_dynamic_objects, 1);
  EXPECT_EQ(dynamic_sorted_list[0].anim, 0);
  EXPECT_EQ(dynamic_sorted_list[0].centred, -1);
  EXPECT_EQ(dynamic_sorted_list[0].mode, 1);
  EXPECT_EQ(dynamic_sorted_list[0].alt, 5);
  EXPECT_EQ(anim_list[0].frame, 1.5f);
  draw_anims();  // frame 3: the pass is over
  EXPECT_EQ(anim_list[0].count, 0);
  draw_anims();
  EXPECT_EQ(total_dynamic_objects, 2);
  draw_screen_objects();
  clear_animations();
  anim_type_list[0] = saved;
  total_anim_types = saved_total;
  time_unit = saved_unit;
}
