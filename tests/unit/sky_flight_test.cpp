#include <cstdio>
#include <cstdlib>

#include "enemies/launchers.h"
#include "sky_world.h"
#include "render/animations.h"

namespace {

using Paths = Sky;
using Launchers = Sky;
using Homing = Sky;
using BossFlight = Sky;

// Ticks until the enemy's path step counter leaves `frame`.
int ticks_in_step(enemy *e, float frame) {
  int n = 0;
  while (e->frame == frame && e->hit_points > 0) move_along_path(e, clockwise_loop_path.data()), n++;
  return n;
}

}  // namespace

TEST_F(Paths, LaterStepsLastAQuarterLongerAndOnlyTheFirstKeepsAbove15) {
  enemy *e = enemy_map[launch(KIND_PLANE, 448, 344, 128, move_clockwise_loop)];
  move_along_path(e, clockwise_loop_path.data());  // the first call starts the path
  EXPECT_EQ(1 + ticks_in_step(e, 0), 21);
  EXPECT_EQ(e->alt, 15);  // step 0 asks for 10
  EXPECT_EQ(e->screen_x, 448 - 84);
  EXPECT_EQ(ticks_in_step(e, 4), 8);    // 7 * 75 / 60
  EXPECT_EQ(ticks_in_step(e, 8), 12);   // 10 -> 12
  for (int f = 12; f < 23 * 4; f += 4) ticks_in_step(e, f);
  EXPECT_EQ(ticks_in_step(e, 92), 71);  // 57 -> 71, to altitude 10
  EXPECT_EQ(e->hit_points, 0);  // the path is over: the slot is free
  EXPECT_EQ(e->screen_x, SCREEN_W);

  // A long tick lands exactly on the target; the next step starts a tick later.
  enemy *f = enemy_map[launch(KIND_PLANE, 300, 100, 128, move_sharkfin)];
  time_unit = 2.5f;
  f->frame = 12, f->origin_x = 300, f->origin_y = 100;  // in step 3, 5 units before its end
  adjust_enemy_move_target(f, 5, -120, -20, 128);
  move_along_path(f, sharkfin_path.data());
  EXPECT_EQ(f->move_time, 2.5f);
  move_along_path(f, sharkfin_path.data());
  EXPECT_EQ(f->screen_x, 180);
  EXPECT_EQ(f->alt, 128);
  EXPECT_EQ(f->frame, 16);
  EXPECT_EQ(f->move_time, 7 * 75 / 60);
}

TEST_F(Paths, ThePathViewPlotsTheTrackedEnemysPath) {
  keep(palette_color);
  int identity[PAL_SIZE];
  for (int i = 0; i < PAL_SIZE; i++) identity[i] = i;
  palette_color = identity;
  BITMAP *buffer = create_bitmap(448, 512);
  clear_bitmap(buffer);
  currentbuffer = buffer;
  enemy *e = enemy_map[launch(KIND_PLANE, 448, 344, 128, move_clockwise_loop)];
  e->origin_x = 448, e->origin_y = 344;
  draw_path_view();  // track_path 0: nothing
  EXPECT_EQ(getpixel(buffer, 448 - 84, 344 - 19), 0);
  track_path = e->index;
  draw_path_view();
  EXPECT_EQ(getpixel(buffer, 448 - 84, 344 - 19), 15);
  EXPECT_EQ(getpixel(buffer, 448 - 441, 344 + 267), -1);  // off the bitmap: clipped
  destroy_bitmap(buffer);
}

TEST_F(Launchers, PlanesNeedRoomAndWavesSpreadOut) {
  direction = DIRECTION_FAR;
  add_loop_plane();
  formation_count = 1;
  add_loop_plane();
  const enemy *first = enemy_map[1], *second = enemy_map[2];
  EXPECT_EQ(first->screen_x, 448 - 272);
  EXPECT_EQ(second->screen_x - first->screen_x, -24);
  EXPECT_EQ(second->screen_y - first->screen_y, 12);
  EXPECT_EQ(second->move, move_anticlockwise_loop);

  // With as many planes on screen as are left to shoot, no plane or
  // satellite comes; doodlebugs and stars still do.
  enemy_planes = 2;
  mark_on_screen();
  ASSERT_EQ(planes_on_screen(), 2);
  for (auto add : {add_loop_plane, add_sharkfin_plane, add_homer_plane, add_satelite,
                   add_streight_plane})
    add();
  EXPECT_EQ(total_enemies, 3);
  EXPECT_EQ(add_doodlebug(), 3);
  EXPECT_EQ(enemy_map[3]->alt, 130);
  add_star();
  EXPECT_EQ(anim_list[0].count, STAR_COUNT);
  EXPECT_GE(anim_list[0].type, ANIM_STAR_FIRST);
  EXPECT_LT(anim_list[0].type, ANIM_STAR_LAST);
  anim_list[STAR_GUARD_SLOT].count = 1;  // nearly full: no more stars
  add_star();
  EXPECT_EQ(anim_list[1].count, 0);
}

TEST_F(Launchers, HomersEnterOverTheTopOrDownTheRightEdge) {
  seed_for(368, 0);
  seed_game_rand(seed_for(368, 0));
  add_homer_plane();
  EXPECT_EQ(enemy_map[1]->screen_x, 448 - 168);
  EXPECT_EQ(enemy_map[1]->screen_y, 0);
  EXPECT_EQ(enemy_map[1]->alt, 145);
  seed_game_rand(seed_for(368, 100));
  add_homer_plane();
  EXPECT_EQ(enemy_map[2]->screen_x, 448);
  EXPECT_EQ(enemy_map[2]->screen_y, 76);
  EXPECT_EQ(enemy_map[2]->alt, 114);

  open_mode(640, 480);  // lcorner 36: the top edge takes r up to 143
  seed_game_rand(seed_for(368, 143));
  add_homer_plane();
  EXPECT_EQ(enemy_map[3]->screen_x, 640 + 286 - 288 - 40);
  EXPECT_EQ(enemy_map[3]->screen_y, 0);
  seed_game_rand(seed_for(368, 144));
  add_homer_plane();
  EXPECT_EQ(enemy_map[4]->screen_y, 40);
}

TEST_F(Homing, TwoPlanesHomeAtOnceAndARecordDiesWithItsPlane) {
  int s[3];
  for (int &i : s) {
    i = launch(KIND_PLANE, 300, 200, 100, move_home_in_formation);
    enemy_map[i]->frame = 2;
  }
  mark_on_screen();
  move_all();
  EXPECT_EQ(enemy_map[s[0]]->move, move_home_in);
  EXPECT_EQ(enemy_map[s[1]]->move, move_home_in);
  EXPECT_EQ(enemy_map[s[2]]->move, move_diag_down_left);  // both records taken
  EXPECT_EQ(is_homing_data_available(0), 0);

  // On the ship's line the sideways drift is kept as it was.
  homing_planes[1].lateral = 0.5f;
  enemy *e = enemy_map[s[1]];
  e->screen_x = 124 + 2 * (310 + 124 - e->screen_y - e->alt);  // d = 0
  move_home_in(e);
  EXPECT_EQ(homing_planes[1].lateral, 0.5f);

  // A plane shot down frees its record; a plane launched into its slot
  // does not home with it.
  enemy_map[s[0]]->hit_points = 0;
  free_homing_record(s[0]);
  EXPECT_EQ(is_homing_data_available(0), -1);
  enemy_map[s[1]]->hit_points = 0;  // dies without being reported
  enemy *n = enemy_map[launch(KIND_PLANE, 300, 200, 100, move_home_in)];
  ASSERT_EQ(n->index, s[0]);
  const float nx = n->screen_x;
  move_home_in(n);
  EXPECT_EQ(n->screen_x, nx - 4);  // no record: straight on
  add_streight_plane();  // takes the other dead plane's slot
  EXPECT_EQ(homing_planes[1].slot, 0);
}

TEST_F(BossFlight, ApproachesDodgesFiresOnceAndLeaves) {
  add_boss();
  enemy *boss = enemy_map[borlin_boss], *missile = enemy_map[borlin_missile];
  EXPECT_EQ(missile->screen_x, 448);
  int state = BOSS_APPROACH;
  int dodge_at = -1, fired_at = -1, fired = 0, steering_x = -1, ticks = 0;
  while (boss->hit_points > 0 && ticks < 5000) {
    const bool held = !missile->move;
    const float mx = missile->screen_x;
    move_all();
    ticks++;
    if (boss->frame != state && getenv("SKY_REPORT"))
      printf("tick %4d: state %d -> %d at progress %d, (%.0f, %.0f)\n", ticks, state,
             static_cast<int>(boss->frame), boss_progress(boss), boss->screen_x, boss->screen_y);
    state = static_cast<int>(boss->frame);
    if (boss->frame == BOSS_DODGE && dodge_at < 0) dodge_at = boss_progress(boss);
    if (held && missile->move) fired++, fired_at = boss_progress(boss);
    if (!missile->move) {
      EXPECT_EQ(missile->screen_x, boss->screen_x + MISSILE_RIDE_DX);
    }
    // The missile holds its line until it is 10 beyond the boss.
    if (!held && steering_x < 0 && missile->screen_x - mx != -2) steering_x = mx - boss->screen_x;
  }
  if (getenv("SKY_REPORT"))
    printf("fired at progress %d, steering from %d beyond the boss, gone after %d ticks\n",
           fired_at, steering_x, ticks);
  EXPECT_EQ(dodge_at, 91);
  EXPECT_EQ(fired, 1);
  EXPECT_GT(fired_at, 200);
  EXPECT_LE(steering_x, 10);
  EXPECT_GT(steering_x, 8);
  EXPECT_EQ(missile->hit_points, 0);  // gone with the boss
  EXPECT_EQ(boss->move, nullptr);
}

TEST_F(BossFlight, AShakenBossStaysOverItsPointAndIndicesAreChecked) {
  add_boss();
  enemy *boss = enemy_map[borlin_boss];
  boss->frame = BOSS_SHAKEN, boss->move_time = 30;
  const float ground = boss->screen_y + boss->alt;
  for (int i = 0; i < 30; i++) {
    move_boss(boss);
    EXPECT_GE(boss->alt, BOSS_MIN_SHAKEN_ALT);
    EXPECT_LE(boss->alt, BOSS_MAX_SHAKEN_ALT);
    EXPECT_EQ(boss->screen_y + boss->alt, ground);
  }
  move_boss(boss);
  EXPECT_EQ(boss->frame, BOSS_APPROACH);
  EXPECT_EQ(boss->alt, BOSS_ALT);

  // A missile slot that now holds a plane is not moved, and a doodlebug
  // flies as a doodlebug once the boss is gone.
  const int bug = add_doodlebug();
  enemy_map[borlin_missile]->type = KIND_PLANE;
  const float x = enemy_map[borlin_missile]->screen_x;
  move_boss(boss);
  EXPECT_EQ(enemy_map[borlin_missile]->screen_x, x);
  borlin_missile = bug, borlin_boss = total_enemies + 5;
  const float bx = enemy_map[bug]->screen_x;
  move_doodlebug(enemy_map[bug]);
  EXPECT_EQ(enemy_map[bug]->screen_x - bx, -4 + 2 * 2);  // twice the missile's speed, steering
}
