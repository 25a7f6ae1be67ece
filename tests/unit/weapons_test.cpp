#include "game/weapons.h"

#include "fight_world.h"
#include "render/animations.h"
#include "display/frame.h"

namespace {

using Weapons = FightWorld;

// A contour of one height over its whole area.
struct Contour {
  BITMAP *b;
  Contour(int w, int h, int height) : b(create_bitmap_ex(8, w, h)) { clear_to_color(b, height); }
  ~Contour() { destroy_bitmap(b); }
};

// Puts a placed enemy of `kind` into the sprite map as a block of
// `height` around (x, y) and returns its slot.
int stand(int kind, int x, int y, int height, int map_x = 100) {
  Contour c(40, 40, height);
  if (total_enemies == 0) add_map_enemy(KIND_HOLE2, 1, 1, 0);  // slot 0 reads as the ground
  add_map_enemy(kind, map_x, 20, 0);
  const int n = total_enemies - 1;
  enemy_map[n]->screen_x = x;
  enemy_map[n]->screen_y = y;
  enemy_map[n]->on_screen = -1;
  draw_sprite_to_spritemap(c.b, x - 20, y - 20, 0, n);
  return n;
}

// A ship shot whose nose probe lands on (x, y) at `alt`.
void shoot(int x, int y, int alt) {
  const int s = first_free_bullet(ship_bullets, SHIP_BULLETS);
  ship_bullets[s] = bullet{-1, static_cast<float>(x + 1), static_cast<float>(y + 8), alt, 0};
}

}  // namespace

TEST_F(Weapons, ScoresByTheShotsHeightAndGivesAShipPerTenThousandPassed) {
  EXPECT_EQ(shot_score(KIND_BLUE_TURRET, 16), 500);
  EXPECT_EQ(shot_score(KIND_BLUE_TURRET, 17), 200);
  EXPECT_EQ(shot_score(KIND_RADAR, 140), 1000);

  player1.score = 9800;
  add_score(150);
  EXPECT_EQ(player1.lives, 3);
  add_score(50);  // exactly 10000
  EXPECT_EQ(player1.lives, 4);
  add_score(9999);
  EXPECT_EQ(player1.lives, 4);
  add_score(20001);  // passes 20000, 30000 and 40000 at once
  EXPECT_EQ(player1.score, 40000);
  EXPECT_EQ(player1.lives, 7);
}

TEST_F(Weapons, FuelRefillsAreCappedAndCatchASinkingShip) {
  fuel = 100;
  refill_fuel();
  EXPECT_FLOAT_EQ(fuel, 132);
  fuel = 240;
  refill_fuel();
  EXPECT_FLOAT_EQ(fuel, 256);

  fuel = 0;
  altspeed = -4;
  shipalt = 40;
  refill_fuel();
  EXPECT_FLOAT_EQ(altspeed, 0);
  fuel = 0;
  altspeed = -4;
  shipalt = 11;
  refill_fuel();
  EXPECT_FLOAT_EQ(altspeed, 2);
  EXPECT_FLOAT_EQ(fuel, 32);
}

TEST_F(Weapons, ShotsAreFreedAtEveryEdgeOfThePlayField) {
  scroll_speed = 0;
  ship_bullets[0] = bullet{-1, 300, 3, 50, 0};       // leaves by the top
  ship_bullets[1] = bullet{-1, W - 7.0f, 200, 50, 0};  // by the right
  ship_bullets[2] = bullet{-1, 300, 200, 50, 0};     // stays
  enemy_bullets[0] = bullet{-1, 3, 200, 15, SHOT_DOWN_LEFT};
  enemy_bullets[1] = bullet{-1, 300, H - 1.0f, 15, SHOT_DOWN_LEFT};
  // Up-left leaves at the strip's top-left edge, x / 2 + y < ystart + 110
  // (after the move: x 296, y - 2).
  enemy_bullets[2] = bullet{-1, 300, ystart - 37.0f, 15, SHOT_UP_LEFT};
  enemy_bullets[3] = bullet{-1, 300, ystart - 36.0f, 15, SHOT_UP_LEFT};
  // Down-right leaves at the bottom-right edge, x / 2 + y >= ystart + 393.
  enemy_bullets[4] = bullet{-1, 300, ystart + 393 - 150 - 4.0f, 15, SHOT_DOWN_RIGHT};
  enemy_bullets[5] = bullet{-1, 300, ystart + 393 - 150 - 5.0f, 15, SHOT_DOWN_RIGHT};
  move_bullets();
  EXPECT_EQ(ship_bullets[0].active, 0);
  EXPECT_EQ(ship_bullets[1].active, 0);
  EXPECT_EQ(ship_bullets[2].active, -1);
  EXPECT_FLOAT_EQ(ship_bullets[2].x, 308);
  EXPECT_FLOAT_EQ(ship_bullets[2].y, 196);
  EXPECT_EQ(enemy_bullets[0].active, 0);
  EXPECT_EQ(enemy_bullets[1].active, 0);
  EXPECT_EQ(enemy_bullets[2].active, 0);
  EXPECT_EQ(enemy_bullets[3].active, -1);
  EXPECT_EQ(enemy_bullets[4].active, 0);
  EXPECT_EQ(enemy_bullets[5].active, -1);
}

TEST_F(Weapons, EnemyShotsDriftWithTheScenery) {
  scroll_speed = 2;
  time_unit = 2;
  enemy_bullets[0] = bullet{-1, 300, 200, 15, SHOT_DOWN_LEFT};
  move_bullets();
  EXPECT_FLOAT_EQ(enemy_bullets[0].x, 300 - 4 - 8);
  EXPECT_FLOAT_EQ(enemy_bullets[0].y, 200 + 2 + 4);
}

TEST_F(Weapons, RocketsLaunchOnceTheShipHasPassedAndBurstAt146) {
  add_map_enemy(KIND_YELLOW_ROCKET, 500, 20, -34);
  enemy *r = enemy_map[0];
  r->launch_position = 4150;
  r->on_screen = -1;
  scrollpos = 4000;
  shipalt = 100;  // 1.5 x 100 + 4000 = 4150: not yet past
  move_rockets();
  EXPECT_EQ(r->frame, 0);
  r->on_screen = 0;  // out of view it waits, however far the ship is
  scrollpos = 4001;
  move_rockets();
  EXPECT_EQ(r->frame, 0);
  r->on_screen = -1;
  r->spritemap_columns = -1;
  move_rockets();
  EXPECT_GT(r->frame, 0);
  EXPECT_FLOAT_EQ(r->alt, -33);  // climbs one unit a tick from the launch on
  EXPECT_EQ(r->spritemap_columns, 0);

  r->alt = 145;
  r->frame = 1;
  move_rockets();
  EXPECT_FLOAT_EQ(r->alt, 146);
  EXPECT_EQ(r->hit_points, 1);
  move_rockets();  // 146: it bursts, scoring nothing
  EXPECT_EQ(r->hit_points, 0);
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_MEDIUM), 1);
  EXPECT_EQ(player1.score, 0);
}

TEST_F(Weapons, AClimbingRocketPuffsSmokeEveryFewTicks) {
  add_map_enemy(KIND_RED_ROCKET, 500, 20, 20);
  enemy *r = enemy_map[0];
  r->on_screen = -1;
  r->frame = 1;
  r->launch_position = 1 << 30;
  for (int i = 0; i < 4; i++) move_rockets();
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_SMALL), 0);
  move_rockets();  // the frame field passes 5
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_SMALL), 1);
  EXPECT_EQ(r->frame, 1);
}

TEST_F(Weapons, MoveRocketsRunsEveryLiveMover) {
  static int calls;
  calls = 0;
  const enemy_move count = [](enemy *) { calls++; };
  add_dynamic_enemy(KIND_PLANE, 100, 100, 50, count);
  const int dead = add_dynamic_enemy(KIND_PLANE, 100, 100, 50, count);
  enemy_map[dead]->hit_points = 0;
  move_rockets();
  EXPECT_EQ(calls, 1);
}

TEST_F(Weapons, AnEnemysExplosionSitsOnItAndMovesWithTheScenery) {
  add_map_enemy(KIND_FUEL, 100, 20, 0);
  enemy *placed = enemy_map[0];
  placed->screen_x = 200;
  placed->screen_y = 150;
  const int d = add_dynamic_enemy(KIND_PLANE, 300, 100, 60, nullptr);
  anim_type big{1, nullptr, 64, 40};
  anim_type *saved = anim_type_list[ANIM_EXPLOSION_LARGE];
  anim_type_list[ANIM_EXPLOSION_LARGE] = &big;

  inside_fortress = 1;
  enemy_explosion(placed, ANIM_EXPLOSION_LARGE);
  enemy_explosion(enemy_map[d], ANIM_EXPLOSION_LARGE);
  anim_type_list[ANIM_EXPLOSION_LARGE] = saved;

  EXPECT_EQ(placed->hit_points, 0);
  EXPECT_EQ(enemy_map[d]->hit_points, 0);
  const animation &a = anim_list[0], &b = anim_list[1];
  EXPECT_FLOAT_EQ(a.y, 150 - 10);
  EXPECT_EQ(a.centred, -1);
  EXPECT_FLOAT_EQ(a.alt, 10);
  EXPECT_FLOAT_EQ(a.dx, -2);
  EXPECT_FLOAT_EQ(a.dy, 1);
  EXPECT_FLOAT_EQ(a.dalt, -0.5f);
  // A flying one is lifted by its own height less half the difference.
  EXPECT_FLOAT_EQ(b.y, 100 + (KIND_H - 40) / 2 - KIND_H - 10);
  EXPECT_EQ(b.centred, 0);
  EXPECT_FLOAT_EQ(b.alt, 70);
}

TEST_F(Weapons, AShotAtAWallRicochetsAndWearsItDownByOne) {
  const int wall = stand(KIND_WALL_3X2, 300, 250, 40);
  for (int i = 0; i < 3; i++) {
    shoot(300, 250, 38);
    ship_bullet_logic();
    EXPECT_EQ(active(ship_bullets, SHIP_BULLETS), 0);
  }
  EXPECT_EQ(enemy_map[wall]->hit_points, INDESTRUCTIBLE - 3);
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_MEDIUM), 3);
  EXPECT_EQ(total_dynamic_objects, 3);  // the shot is drawn on the tick it hits
  // The thousandth shot takes it down, for no points.
  enemy_map[wall]->hit_points = 1;
  shoot(300, 250, 38);
  ship_bullet_logic();
  EXPECT_EQ(enemy_map[wall]->hit_points, 0);
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_LARGE), 1);
  EXPECT_EQ(player1.score, 0);
}

TEST_F(Weapons, AShotMissesWhatIsNotAtItsHeight) {
  stand(KIND_BLUE_TURRET, 300, 250, 30);
  shoot(300, 250, 31);  // above the top
  shoot(300, 250, 20);  // below top - depth (10)
  ship_bullet_logic();
  EXPECT_EQ(active(ship_bullets, SHIP_BULLETS), 2);
}

TEST_F(Weapons, ATurretShotLowScoresHighAndShowsItsLabel) {
  const int low = stand(KIND_BLUE_TURRET, 200, 250, 16);
  const int high = stand(KIND_BLUE_TURRET, 400, 250, 30, 200);
  shoot(200, 250, 16);
  shoot(400, 250, 25);
  ship_bullet_logic();
  EXPECT_EQ(enemy_map[low]->hit_points, 0);
  EXPECT_EQ(enemy_map[high]->hit_points, 0);
  EXPECT_EQ(player1.score, 700);
  EXPECT_EQ(last_score, 500);
  EXPECT_EQ(animations_of(ANIM_POINTS_500), 1);
  EXPECT_EQ(animations_of(ANIM_POINTS_200), 1);
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_LARGE), 2);
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_MEDIUM), 0);  // soft targets do not ricochet
}

TEST_F(Weapons, AFuelTankRefillsWithoutALabelAndAPlaneCountsDown) {
  stand(KIND_FUEL, 200, 250, 20);
  const int p = add_dynamic_enemy(KIND_PLANE, 0, 0, 0, nullptr);
  enemy_map[p]->on_screen = -1;
  Contour c(40, 40, 20);
  draw_sprite_to_spritemap(c.b, 380, 230, 0, p);
  fuel = 250;
  shoot(200, 250, 20);
  shoot(400, 250, 20);
  ship_bullet_logic();
  EXPECT_FLOAT_EQ(fuel, 256);
  EXPECT_EQ(enemy_planes, 19);
  EXPECT_EQ(player1.score, 350);
  EXPECT_EQ(animations_of(ANIM_POINTS_1000) + animations_of(ANIM_POINTS_500) +
                animations_of(ANIM_POINTS_200),
            0);
}

// The boss with its missile held, both in the sprite map.
struct Boss : FightWorld {
  Contour c{40, 40, 30};
  Boss() {
    add_map_enemy(KIND_FUEL, 10, 10, 0);  // slot 0 is never the boss
    borlin_boss = add_dynamic_enemy(KIND_BOSS, 300, 250, 20, nullptr);
    borlin_missile = add_dynamic_enemy(KIND_DOODLEBUG, 369, 208, 66, nullptr);
    draw_sprite_to_spritemap(c.b, 100, 230, 0, borlin_missile);
  }
  void hit() {
    shoot(120, 250, 30);
    ship_bullet_logic();
  }
};

TEST_F(Boss, DiesOnTheSixthCountedHitOnItsMissile) {
  enemy *boss = enemy_map[borlin_boss];
  for (int i = 1; i <= 5; i++) {
    hit();
    EXPECT_EQ(boss->hit_points, 599 - 100 * i);
    EXPECT_EQ(boss->frame, BOSS_SHAKEN);
    EXPECT_FLOAT_EQ(boss->move_time, 30);
    // 599 / 100 = 5 is odd: the first hit flashes; they alternate.
    EXPECT_EQ(current_pal, i % 2 ? BORLIN_BOSS_FLASH_PALETTE : BORLIN_NORMAL_PALETTE);
    hit();  // shaken: the shot is freed and counts nothing
    EXPECT_EQ(boss->hit_points, 599 - 100 * i);
    EXPECT_EQ(active(ship_bullets, SHIP_BULLETS), 0);
    boss->frame = 0;  // the boss's own movement ends the shaking
  }
  EXPECT_EQ(player1.score, 0);
  hit();
  EXPECT_EQ(boss->hit_points, 0);
  EXPECT_EQ(enemy_map[borlin_missile]->hit_points, 0);
  EXPECT_EQ(boss->frame, 0);
  EXPECT_EQ(player1.score, BOSS_BONUS);
}

TEST_F(Boss, InTruecolourTooTheFlashLastsUntilTheNextHit) {
  bpp = 32;
  enemy *boss = enemy_map[borlin_boss];
  hit();
  EXPECT_EQ(current_pal, BORLIN_BOSS_FLASH_PALETTE);
  EXPECT_EQ(boss->hit_points, 499);
  boss->frame = 0;
  hit();
  EXPECT_EQ(current_pal, BORLIN_NORMAL_PALETTE);
  // A video copy of the boss would take the flash colours, and the normal
  // palette would be back at once.
  BITMAP *base = create_bitmap_ex(8, 4, 4), *copy = create_bitmap_ex(8, 4, 4);
  clear_to_color(base, 7);
  clear_bitmap(copy);
  enemy_type_list[KIND_BOSS]->base_sprite = base;
  enemy_type_list[KIND_BOSS]->video_sprite = copy;
  boss->frame = 0;
  hit();
  EXPECT_EQ(current_pal, BORLIN_NORMAL_PALETTE);
  EXPECT_EQ(getpixel(copy, 1, 1), 7);
  enemy_type_list[KIND_BOSS]->base_sprite = enemy_type_list[KIND_BOSS]->video_sprite = nullptr;
  destroy_bitmap(base);
  destroy_bitmap(copy);
}

TEST_F(Boss, OnlyAPaidBonusIsRemembered) {
  boss_bonus_paid = 0;
  enemy_map[borlin_missile]->move = [](enemy *) {};
  enemy_map[borlin_missile]->hit_points = 1;
  hit();
  EXPECT_EQ(boss_bonus_paid, 200);  // the fired missile's points
  boss_bonus_paid = 0;
  enemy_map[borlin_missile]->move = nullptr;
  enemy_map[borlin_missile]->hit_points = 5;
  enemy_map[borlin_boss]->hit_points = 99;
  enemy_map[borlin_boss]->frame = 0;
  hit();
  EXPECT_EQ(enemy_map[borlin_boss]->hit_points, 0);
  EXPECT_EQ(boss_bonus_paid, BOSS_BONUS);
}

TEST_F(Boss, AFiredMissileIsAnOrdinaryEnemyAndSendsTheBossAway) {
  enemy_map[borlin_missile]->move = [](enemy *) {};
  enemy_map[borlin_missile]->hit_points = 1;
  hit();
  EXPECT_EQ(enemy_map[borlin_boss]->hit_points, 599);
  EXPECT_EQ(enemy_map[borlin_boss]->frame, BOSS_LEAVING);
  EXPECT_EQ(player1.score, 200);
}

TEST_F(Boss, AStaleMissileIndexIsNoWeakPoint) {
  // The boss is gone and its missile's slot is now an ordinary doodlebug.
  enemy_map[borlin_boss]->hit_points = 0;
  enemy_map[borlin_missile]->hit_points = 1;
  hit();
  EXPECT_EQ(enemy_map[borlin_missile]->hit_points, 0);
  EXPECT_EQ(enemy_map[borlin_boss]->frame, 0);
  EXPECT_EQ(current_pal, k_pal.value);
  // An index beyond the table names nothing at all.
  borlin_missile = total_enemies + 5;
  borlin_boss = -3;
  const int d = add_dynamic_enemy(KIND_DOODLEBUG, 0, 0, 0, nullptr);
  draw_sprite_to_spritemap(c.b, 100, 230, 0, d);
  hit();
  EXPECT_EQ(enemy_map[d]->hit_points, 4);
  EXPECT_EQ(enemy_map[0]->hit_points, 1);
}

TEST_F(Weapons, TheShipCrashesIntoScenery) {
  const int wall = stand(KIND_WALL_3X2, 280, 280, 60);
  shipscreenx = 300;
  shipscreeny = 265;  // the probe (x - 20, y + 15) lands on the wall
  shipalt = 55;
  ghostship_flag = -1;
  ship_collision_detection();
  EXPECT_EQ(end_life, 0);
  ghostship_flag = 0;
  game_time = 1.5f * hz;  // still in the grace period
  ship_collision_detection();
  EXPECT_EQ(end_life, 0);
  game_time = 1.5f * hz + 1;
  ship_collision_detection();
  EXPECT_EQ(end_life, -1);
  EXPECT_EQ(ship_state, 100);
  EXPECT_EQ(animations_of(ANIM_EXPLOSION_LARGE), 1);
  EXPECT_EQ(enemy_map[wall]->hit_points, INDESTRUCTIBLE - 1);
}
