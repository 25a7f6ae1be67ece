#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "enemies/launchers.h"
#include "render/background.h"
#include "sky_world.h"

namespace {

class Events : public Sky {
 protected:
  Events() {
    keep(tileset), keep(background), keep(scroll_x), keep(scroll_offset), keep(logicpos);
    keep(last_scroll_x), keep(blits_done), keep(scrolled_x), keep(scrolled_y);
    keep(start_next_round);
    sheet = create_bitmap(TILESET_COLUMNS * TILE_SIZE, TILESET_TILES / TILESET_COLUMNS * TILE_SIZE);
    tileset = sheet;
    init_tileset();
    background = create_bitmap(480, 528);
    start_next_round = nullptr;
  }
  ~Events() override {
    release_tiles();
    destroy_bitmap(background);
    destroy_bitmap(sheet);
  }

  void place(float pos, int stretch) {
    range_index = stretch;
    scrollpos = pos;
    draw_all_background();
    do_events();
  }
  // One tick of do_events at `pos`; the slots it launched into.
  std::vector<int> tick_at(float pos) {
    scrollpos = pos;
    return fire();
  }
  std::vector<int> fire() {
    std::vector<int> was_free(total_enemies);
    for (int i = 0; i < total_enemies; i++) was_free[i] = enemy_map[i]->hit_points == 0;
    const int before = total_enemies;
    do_events();
    std::vector<int> launched;
    for (int i = total_loaded_enemies; i < total_enemies; i++)
      if (i >= before ? true : was_free[i] && enemy_map[i]->hit_points > 0) launched.push_back(i);
    return launched;
  }
  // One world tick: the movers, the scroll, the events, the on-screen pass.
  std::vector<int> world_tick(float speed) {
    move_all();
    scroll_background2(speed * time_unit);
    std::vector<int> launched = fire();
    mark_on_screen();
    return launched;
  }
  BITMAP *sheet;
};

}  // namespace

TEST_F(Events, FireWhenTheScrollReachesThemInTableOrderAndCountTheirWaves) {
  place(3900, 1);
  EXPECT_TRUE(tick_at(3923.9f).empty());
  EXPECT_EQ(tick_at(3924.5f).size(), 1u);  // event 0 at 3924
  EXPECT_EQ(formation_count, 0);
  EXPECT_TRUE(tick_at(3924.9f).empty());  // 3924 was the last tick's value
  EXPECT_EQ(tick_at(3954).size(), 1u);
  EXPECT_EQ(formation_count, 1);
  EXPECT_EQ(last_movement_function, add_loop_plane);

  // A satellite breaks the wave; loops 2 and 3, the satellite and two
  // sharkfins all fire in one long tick, in table order.
  shipz = FAR_SIDE_SHIPZ;
  EXPECT_EQ(tick_at(4100).size(), 5u);
  EXPECT_EQ(last_movement_function, add_sharkfin_plane);
  EXPECT_EQ(formation_count, 1);
  EXPECT_EQ(direction, DIRECTION_FAR);  // shipz 146 at the start of the wave
  shipz = FAR_SIDE_SHIPZ - 0.5f;
  EXPECT_EQ(tick_at(4390).size(), 2u);  // the last sharkfin and a homer
  EXPECT_EQ(direction, DIRECTION_NEAR);

  // Restarting further back within the stretch passes the same points again.
  scrollpos = 4020;
  do_events();
  EXPECT_EQ(tick_at(4050).size(), 1u);  // the satellite at 4044
  EXPECT_EQ(formation_count, 0);
}

TEST_F(Events, AnEventAtTheLandingPointOfAFoldFires) {
  // The end of stretch 2 folds back by 512 onto 3936 plus the overshoot:
  // event 15 (stretch 3) lies exactly there.
  place(4440, 2);
  float landed = 0;
  std::vector<int> at_fold;
  while (range_index == 2) {
    at_fold = world_tick(1);
    landed = scrollpos;
  }
  EXPECT_EQ(static_cast<int>(landed), 3936);
  ASSERT_EQ(at_fold.size(), 1u);
  EXPECT_EQ(last_movement_function, add_loop_plane);

  // A long tick overshoots past event 9 (3942, stretch 2): it fires in the
  // tick of the fold, and nothing before the fold fires again.
  place(4445, 1);
  at_fold = world_tick(10);
  EXPECT_EQ(range_index, 2);
  EXPECT_EQ(static_cast<int>(scrollpos), 3943);
  ASSERT_EQ(at_fold.size(), 1u);
  EXPECT_EQ(enemy_map[at_fold[0]]->move, move_home_in_formation);
}

// Flies the whole space loop, stretch 1's open space to the start of
// stretch 5, at the space scroll speed, moving every enemy as play does.
TEST_F(Events, TheSpaceStretchLaunchesEveryEventOnce) {
  seed_game_rand(2024);
  place(3900, 1);
  std::map<std::string, int> launched;
  int ticks = 0, most_on_screen = 0;
  while (range_index < 5) {
    for (int slot : world_tick(1)) {
      const enemy *e = enemy_map[slot];
      std::string what = e->type == KIND_SATELLITE ? "satellite" : "plane";
      if (e->move == move_clockwise_loop || e->move == move_anticlockwise_loop) what = "loop";
      if (e->move == move_sharkfin || e->move == move_sharkfin_left1) what = "sharkfin";
      if (e->move == move_diag_down_left) what = "straight";
      if (e->move == move_home_in_formation) what = "homer";
      launched[what]++;
      if (getenv("SKY_REPORT"))
        printf("stretch %d scroll %4d: %-9s at (%4.0f, %4.0f) alt %3.0f\n", range_index,
               static_cast<int>(scrollpos), what.c_str(), e->screen_x, e->screen_y, e->alt);
    }
    most_on_screen = std::max(most_on_screen, planes_on_screen());
    ticks++;
  }
  EXPECT_EQ(launched["loop"], 12);
  EXPECT_EQ(launched["satellite"], 2);
  EXPECT_EQ(launched["sharkfin"], 3);
  EXPECT_EQ(launched["straight"], 3);
  EXPECT_EQ(launched["homer"], 9);
  if (getenv("SKY_REPORT")) printf("%d ticks, at most %d planes on screen\n", ticks, most_on_screen);
}
