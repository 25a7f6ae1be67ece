#include "game/ground_enemies.h"

#include <set>

#include "fight_world.h"
#include "game_data.h"

namespace {

using GroundEnemies = FightWorld;

// The enemy map of the wall blocks the rounds open, and a rocket of each kind.
struct Fortresses : FightWorld {
  Fortresses() {
    for (const wall_block_handle &w : wall_block_handles) add_map_enemy(w.kind, w.m, w.n, 0);
    add_map_enemy(KIND_YELLOW_ROCKET, 100, 30, 0);
    add_map_enemy(KIND_RED_ROCKET, 100, 30, 0);
  }
  static bool open(int name) { return enemy_map[rand_blocks[name]]->hit_points == 0; }
  // The blocks of fortress 2's entrance that are open, as a word.
  static std::string entrance() {
    std::string s;
    const char *names[] = {"6", "7", "8", "8b", "9", "9b"};
    for (int b = RAND_BLOCK6; b <= RAND_BLOCK9B; b++)
      if (open(b)) s += std::string(s.empty() ? "" : " ") + names[b - RAND_BLOCK6];
    return s;
  }
};

// A placed enemy in view at screen x 240 (with scroll 4000 in stretch 0).
int in_view(int kind, int map_x = 530) {
  add_map_enemy(kind, map_x, 10, 0);
  return total_enemies - 1;
}

// Ticks of the enemy logic, the clock running 0.3 s and more between them.
void ticks(int n) {
  for (int i = 0; i < n; i++) {
    this_time += ENEMY_FIRE_INTERVAL + 1;
    enemy_logic();
  }
}

}  // namespace

TEST_F(Fortresses, RoundOneKeepsOneOfTheFirstPairAndOpensOneOfThreeEntrances) {
  std::set<std::string> entrances;
  std::set<int> first_pair;
  for (unsigned seed = 1; seed <= 40; seed++) {
    seed_game_rand(seed);
    init_enemies();
    EXPECT_NE(open(RAND_BLOCK1), open(RAND_BLOCK2));
    first_pair.insert(open(RAND_BLOCK1));
    EXPECT_FALSE(open(RAND_BLOCK3));
    for (int b : {RAND_BLOCK4, RAND_BLOCK10, RAND_BLOCK11, RAND_BLOCK11B, RAND_BLOCK12,
                  RAND_BLOCK13, RAND_BLOCK14, RAND_BLOCK15, RAND_BLOCK15B, RAND_BLOCK16,
                  RAND_BLOCK16B})
      EXPECT_TRUE(open(b));
    entrances.insert(entrance());
  }
  EXPECT_EQ(first_pair.size(), 2u);
  EXPECT_EQ(entrances, (std::set<std::string>{"6 7", "7 8 8b", "8 8b 9 9b"}));
}

TEST_F(Fortresses, LaterRoundsOpenOnlyOneEntranceGap) {
  player1.round = 2;
  std::set<std::string> entrances;
  for (unsigned seed = 1; seed <= 40; seed++) {
    seed_game_rand(seed);
    init_enemies();
    for (int b = 0; b < WALL_BLOCK_HANDLES; b++)
      if (b < RAND_BLOCK6 || b > RAND_BLOCK9B) {
        EXPECT_FALSE(open(b)) << b;
      }
    entrances.insert(entrance());
  }
  EXPECT_EQ(entrances, (std::set<std::string>{"6", "7", "8 8b"}));
}

TEST_F(Fortresses, RoundStartResetsRocketsAndFreesDynamicEnemies) {
  enemy *yellow = enemy_map[WALL_BLOCK_HANDLES], *red = enemy_map[WALL_BLOCK_HANDLES + 1];
  yellow->alt = 90;
  yellow->hit_points = 0;
  red->frame = 7;
  const int plane = add_dynamic_enemy(KIND_PLANE, 10, 10, 10, nullptr);
  borlin_boss = plane;
  init_enemies();
  EXPECT_EQ(yellow->hit_points, 1);
  EXPECT_FLOAT_EQ(yellow->alt, -34);
  EXPECT_EQ(yellow->launch_position, 100 * 8 - 30 * 4 + 80);
  EXPECT_EQ(red->launch_position, 100 * 8 - 30 * 4 + 70);
  EXPECT_EQ(red->frame, 0);
  EXPECT_EQ(enemy_map[0]->launch_position, 0);
  EXPECT_FLOAT_EQ(enemy_map[0]->screen_x, -1);
  EXPECT_EQ(enemy_map[plane]->hit_points, 0);
  EXPECT_EQ(borlin_boss, 0);
}

TEST(EnemyFire, BlueTurretsFireFromRoundOneGreenOnesAndParkedPlanesFromRoundTwo) {
  EXPECT_TRUE(enemy_may_fire(KIND_BLUE_TURRET, false, 1));
  EXPECT_TRUE(enemy_may_fire(KIND_SUPER_BLUE_TURRET, false, 1));
  EXPECT_FALSE(enemy_may_fire(KIND_GREEN_TURRET_LEFT, false, 1));
  EXPECT_FALSE(enemy_may_fire(KIND_GREEN_TURRET_RIGHT, false, 1));
  EXPECT_TRUE(enemy_may_fire(KIND_GREEN_TURRET_RIGHT, false, 2));
  EXPECT_FALSE(enemy_may_fire(KIND_PLANE, false, 1));
  EXPECT_TRUE(enemy_may_fire(KIND_PLANE, true, 1));
  EXPECT_TRUE(enemy_may_fire(KIND_PLANE, false, 2));
  EXPECT_FALSE(enemy_may_fire(KIND_RADAR, false, 5));
  EXPECT_EQ(enemy_fire_odds(1), 101);
  EXPECT_EQ(enemy_fire_odds(2), 67);
  EXPECT_EQ(enemy_fire_odds(3), 51);
}

TEST_F(GroundEnemies, OneEnemyShotPerIntervalAlsoJustAfterAClockReset) {
  enemy_bullet_last_fired = 0;
  this_time = 100;  // this_time - 3000 is negative here
  EXPECT_FALSE(enemy_fire_interval_over());
  this_time = 3000;
  EXPECT_FALSE(enemy_fire_interval_over());
  this_time = 3001;
  EXPECT_TRUE(enemy_fire_interval_over());
  enemy_bullet_last_fired = 50000;
  this_time = 53000;
  EXPECT_FALSE(enemy_fire_interval_over());
}

TEST_F(GroundEnemies, AfterARestartTurretsFireAtTheUsualRateFromTheFirstTick) {
  Keep<int> k_first{first_time}, k_last{last_time}, k_frames{frames_drawn};
  Keep<int64_t> k_now{fake_now};
  in_view(KIND_BLUE_TURRET);
  // A seed whose first roll fires: the first tick after the restart is
  // the one that may stamp a shot with the old clock.
  unsigned seed = 1;
  for (;; seed++) {
    seed_game_rand(seed);
    if (game_rand() % enemy_fire_odds(1) == 1) break;
  }
  seed_game_rand(seed);
  this_time = 600000;  // a minute into the previous life's clock
  reset_timing();

  int shots = 0;
  for (int frame = 0; frame < 20 * 75; frame++) {
    enemy_logic();
    if (active(enemy_bullets, ENEMY_BULLETS)) {
      shots++;
      EXPECT_LE(static_cast<int>(enemy_bullet_last_fired), this_time);
      free_all_bullets();
    }
    fake_now += 10000 / 75;  // one refresh at 75 Hz
    this_time = my_time();
  }
  // One turret rolls 1 in 101 a frame, at most one shot in 0.3 s.
  EXPECT_GE(shots, 8);
  EXPECT_LE(shots, 20);
}

TEST_F(GroundEnemies, ABlueTurretInViewFiresDownLeftWithAMuzzleFlash) {
  const int t = in_view(KIND_BLUE_TURRET);
  const int g = in_view(KIND_GREEN_TURRET_LEFT, 540);
  int n = 0;
  while (active(enemy_bullets, ENEMY_BULLETS) == 0 && n++ < 3000) ticks(1);
  ASSERT_EQ(active(enemy_bullets, ENEMY_BULLETS), 1);
  const enemy *e = enemy_map[t];
  const float X = e->screen_x - KIND_W / 2, B = e->screen_y + KIND_H / 2;
  EXPECT_FLOAT_EQ(enemy_bullets[0].x, X - 4);
  EXPECT_FLOAT_EQ(enemy_bullets[0].y, B - 8);
  EXPECT_EQ(enemy_bullets[0].alt, ENEMY_SHOT_ALT);
  EXPECT_EQ(enemy_bullets[0].direction, SHOT_DOWN_LEFT);
  EXPECT_EQ(enemy_bullet_last_fired, static_cast<unsigned>(this_time));
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_MEDIUM), 1);
  EXPECT_EQ(enemy_map[g]->on_screen, -1);

  // The green turret stays silent all round 1.
  enemy_map[t]->hit_points = 0;
  free_all_bullets();
  ticks(2000);
  EXPECT_EQ(active(enemy_bullets, ENEMY_BULLETS), 0);
}

TEST_F(GroundEnemies, WithEverySlotInFlightNoTurretFiresOrFlashes) {
  player1.round = 3;
  in_view(KIND_BLUE_TURRET);
  in_view(KIND_GREEN_TURRET_RIGHT, 540);
  for (bullet &b : enemy_bullets) b = bullet{-1, 10, 10, 15, 0};
  ticks(1000);
  EXPECT_EQ(enemy_bullet_last_fired, 0u);
  EXPECT_EQ(running_animations(), 0);
}

TEST_F(GroundEnemies, GreenTurretsFireAcrossTheStripFromRoundTwo) {
  player1.round = 2;
  const int left = in_view(KIND_GREEN_TURRET_LEFT);
  while (active(enemy_bullets, ENEMY_BULLETS) == 0) ticks(1);
  const enemy *e = enemy_map[left];
  EXPECT_EQ(enemy_bullets[0].direction, SHOT_DOWN_RIGHT);
  EXPECT_FLOAT_EQ(enemy_bullets[0].x, e->screen_x - KIND_W / 2 + 70);
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_MEDIUM), 1);
}

TEST_F(GroundEnemies, TheNextStretchIsPlacedWithItsScrollRoundedDown) {
  scrollpos = 4500.5f;  // the view reaches past position 594, the end of stretch 0
  const int next = in_view(KIND_3X2_BLOCK, 5);       // stretch 1 starts at 0
  const int beyond = in_view(KIND_3X2_BLOCK, 600);  // neither stretch's
  enemy_logic();
  // S = (0 - 594) * 8 + 4500.5 = -251.5: rounded down to -252, and half
  // of it, -125.75, to -126.
  EXPECT_FLOAT_EQ(enemy_map[next]->screen_x, 8 * 5 + 252 + KIND_W / 2);
  EXPECT_FLOAT_EQ(enemy_map[next]->screen_y, ystart - 126 - 4 * 5 + 4 * 10 - 12 - KIND_H / 2);
  EXPECT_EQ(enemy_map[next]->on_screen, -1);
  EXPECT_EQ(enemy_map[beyond]->on_screen, 0);
}

TEST_F(GroundEnemies, WhatStaysOnScreenMovesWithTheFloor) {
  const int e = in_view(KIND_RADAR);
  enemy_logic();
  const float x = enemy_map[e]->screen_x, y = enemy_map[e]->screen_y;
  scrolled_x = 2;
  scrolled_y = 1;
  enemy_logic();
  EXPECT_FLOAT_EQ(enemy_map[e]->screen_x, x - 2);
  EXPECT_FLOAT_EQ(enemy_map[e]->screen_y, y + 1);
}

TEST_F(GroundEnemies, LaunchedEnemiesLeavingByTheLeftAreFreedThoseToComeKeepTheirPlace) {
  const int gone = add_dynamic_enemy(KIND_PLANE, -KIND_W - 1, 100, 50, nullptr);
  const int coming = add_dynamic_enemy(KIND_PLANE, big_screen_w + 40, 100, 50, nullptr);
  const int here = add_dynamic_enemy(KIND_PLANE, 200, 100, 50, nullptr);
  enemy_logic();
  EXPECT_EQ(enemy_map[gone]->hit_points, 0);
  EXPECT_EQ(enemy_map[coming]->hit_points, 1);
  EXPECT_FLOAT_EQ(enemy_map[coming]->screen_x, big_screen_w + 40);
  EXPECT_EQ(enemy_map[here]->on_screen, -1);
  EXPECT_EQ(planes_onscreen, 1);
}

TEST_F(GroundEnemies, TheHumStartsFollowsAndStopsInTheSameTick) {
  const int f = in_view(KIND_FORCE_FIELD);
  enemy_logic();
  EXPECT_EQ(force_field_onscreen, -1);
  EXPECT_EQ(s_force_field_playing, -1);
  EXPECT_EQ(force_field_x, 240);
  scrollpos += 16;
  enemy_logic();
  EXPECT_EQ(force_field_x, 224);
  EXPECT_EQ(s_force_field_playing, -1);
  scrollpos = 8 * 530 + KIND_W;  // its right edge reaches the left edge
  enemy_logic();
  EXPECT_EQ(enemy_map[f]->on_screen, 0);
  EXPECT_EQ(force_field_onscreen, 0);
  EXPECT_EQ(s_force_field_playing, 0);
}

TEST_F(GroundEnemies, TheDoodlebugsSoundFollowsIt) {
  const int d = add_dynamic_enemy(KIND_DOODLEBUG, 300, 100, 50, nullptr);
  enemy_logic();
  EXPECT_EQ(doodlebug_onscreen, -1);
  EXPECT_EQ(doodlebug_x, 300);
  EXPECT_EQ(s_doodlebug_playing, -1);
  enemy_map[d]->hit_points = 0;
  enemy_logic();
  EXPECT_EQ(s_doodlebug_playing, 0);
}

TEST_F(GroundEnemies, EnemyShotsHitTheShipButNotInTheDemoNorAGhost) {
  shipscreenx = 300;
  shipscreeny = 200;
  shipalt = 60;
  const bullet shot{-1, 290, 200, 60, SHOT_DOWN_LEFT};
  for (int demo : {-1, 0}) {
    for (int ghost : {-1, 0}) {
      demomode_flag = demo;
      ghostship_flag = ghost;
      end_life = 0;
      enemy_bullets[0] = shot;
      enemy_bullet_logic();
      EXPECT_EQ(end_life, demo == 0 && ghost == 0 ? -1 : 0) << demo << ghost;
      EXPECT_EQ(enemy_bullets[0].active, -1);  // the shot goes on
    }
  }
  // A shot 6 above the ship passes over it.
  end_life = 0;
  enemy_bullets[0] = shot;
  enemy_bullets[0].alt = 66;
  enemy_bullet_logic();
  EXPECT_EQ(end_life, 0);
}

TEST_F(GroundEnemies, EnemyShotsStopAtScenery) {
  add_map_enemy(KIND_WALL_3X2, 100, 10, 0);
  BITMAP *c = create_bitmap_ex(8, 20, 20);
  clear_to_color(c, 30);
  draw_sprite_to_spritemap(c, 140, 100, 0, 0 + total_enemies - 1);
  destroy_bitmap(c);
  enemy_bullets[0] = bullet{-1, 150, 96, 15, SHOT_DOWN_LEFT};  // probes (150, 110)
  enemy_bullets[1] = bullet{-1, 150, 96, 31, SHOT_DOWN_LEFT};  // above it
  enemy_bullet_logic();
  EXPECT_EQ(enemy_bullets[0].active, 0);
  EXPECT_EQ(enemy_bullets[1].active, -1);
  EXPECT_EQ(total_dynamic_objects, 2);
}

TEST_F(GroundEnemies, FlyingHighInFortressOneSendsADoodlebug) {
  range_index = 1;
  inside_fortress = 1;
  scrollpos = 1000;
  shipalt = 79;
  doodlebug_logic();
  EXPECT_EQ(fortress1_too_high, 1000);
  shipalt = 80;
  const int before = total_enemies;
  scrollpos = 1400;
  doodlebug_logic();
  EXPECT_EQ(total_enemies, before);
  scrollpos = 1401;
  doodlebug_onscreen = -1;  // one is already after the ship
  doodlebug_logic();
  EXPECT_EQ(total_enemies, before);
  doodlebug_onscreen = 0;
  doodlebug_logic();
  ASSERT_EQ(total_enemies, before + 1);
  EXPECT_EQ(enemy_map[before]->type, KIND_DOODLEBUG);
  EXPECT_EQ(fortress1_too_high, 1801);
}

using LoopSamples = GameData;

TEST_F(LoopSamples, OutrankTheOneShots) {
  Keep<DATAFILE *> keep(commondata);
  commondata = borlin;
  raise_loop_sample_priorities();
  for (int i : {BORLIN_ENGINE_GROUND_SAMPLE, BORLIN_ENGINE_SPACE_SAMPLE, BORLIN_DOODLEBUG_SAMPLE,
                BORLIN_FORCE_FIELD_HUM_SAMPLE})
    EXPECT_EQ(sample_at(i)->priority, LOOP_SAMPLE_PRIORITY);
  for (int i : {BORLIN_ENEMY_SHOT_SAMPLE, BORLIN_SHIP_SHOT_SAMPLE, BORLIN_ENEMY_EXPLOSION_SAMPLE})
    EXPECT_LT(sample_at(i)->priority, LOOP_SAMPLE_PRIORITY);
}

// Every sound goes through this one accessor: only real samples come out,
// and playing or stopping a missing one does nothing.
TEST_F(LoopSamples, OnlySamplesComeOut) {
  Keep<DATAFILE *> keep(commondata);
  commondata = nullptr;
  EXPECT_EQ(common_sample(BORLIN_SHIP_SHOT_SAMPLE), nullptr);
  play_common_sample(BORLIN_SHIP_SHOT_SAMPLE, 100, 128, 1000, 0);
  stop_common_sample(BORLIN_SHIP_SHOT_SAMPLE);
  commondata = borlin;
  EXPECT_EQ(common_sample(BORLIN_SHIP_SHOT_SAMPLE), sample_at(BORLIN_SHIP_SHOT_SAMPLE));
  EXPECT_EQ(common_sample(BORLIN_GAME_FONT), nullptr);
  EXPECT_EQ(common_sample(-1), nullptr);
  EXPECT_EQ(common_sample(BORLIN_OBJECT_COUNT + 10), nullptr);  // past the end marker
}
