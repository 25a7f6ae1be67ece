// A headless sky for the airborne-enemy tests: an open 448 x 512 mode, the
// enemy kinds without pictures, empty enemy slots and a seeded random
// source. Every global the tests touch is put back afterwards.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "enemies/boss.h"
#include "enemies/events.h"
#include "enemies/homing.h"
#include "enemies/paths.h"
#include "fake_card.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "game/ground_enemies.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

class Sky : public ::testing::Test {
 protected:
  template <class T> void keep(T &g) {
    T saved = g;
    restore.push_back([&g, saved] { g = saved; });
  }
  template <class T, size_t N> void keep(T (&g)[N]) {
    std::vector<T> saved(g, g + N);
    restore.push_back([&g, saved] { std::copy(saved.begin(), saved.end(), g); });
  }

  void SetUp() override { open_mode(448, 512); }

  void open_mode(int w, int h) {
    ASSERT_EQ(set_gfx(GFX_AUTODETECT_WINDOWED, w, h, 8, 0), -1);
    set_screen_geometry(w, h);
  }

  Sky() {
    keep(big_screen_w), keep(lcorner), keep(ystart), keep(screen_tile_w), keep(screen_tile_h);
    keep(scrollpos), keep(range_index), keep(shipz), keep(shipalt), keep(shipscreenx);
    keep(shipscreeny), keep(enemy_planes), keep(borlin_boss), keep(borlin_missile);
    keep(current_pal), keep(current_player), keep(player1), keep(scroll_speed), keep(time_unit);
    keep(hz), keep(last_movement_function), keep(formation_count), keep(direction);
    keep(last_position), keep(last_event_stretch), keep(homing_planes), keep(anim_list);
    keep(last_f), keep(track_path), keep(planes_onscreen), keep(currentbuffer), keep(total_enemies);
    keep(total_loaded_enemies), keep(total_enemy_types), keep(enemy_type_list), keep(enemy_map);
    for (int i = 0; i < ENEMY_KIND_COUNT; i++) {
      kinds[i] = enemy_type{};
      kinds[i].hit_points = enemy_kind_table[i].hit_points;
      enemy_type_list[i] = &kinds[i];
    }
    total_enemy_types = ENEMY_KIND_COUNT;
    for (int i = 0; i < MAX_ENEMIES; i++) enemy_map[i] = &slots[i];
    slots[0] = enemy{};  // one placed enemy, so the dynamic ones start at slot 1
    total_enemies = total_loaded_enemies = 1;
    seed_game_rand(12);
    time_unit = 1;
    hz = 60;
    scroll_speed = 1;
    enemy_planes = 20;
    borlin_boss = borlin_missile = 0;
    last_movement_function = nullptr;
    formation_count = last_position = last_event_stretch = 0;
    for (homing_plane &h : homing_planes) h = {};
    clear_animations();
    current_player = &player1;
    player1.round = 1;
    shipz = 32, shipalt = 130, shipscreenx = 100, shipscreeny = 300;
  }
  ~Sky() override {
    for (auto it = restore.rbegin(); it != restore.rend(); ++it) (*it)();
  }

  // What the ground-enemy pass does to flying enemies every tick: those in
  // view are on screen, those that left by the left or top are gone.
  void mark_on_screen() {
    planes_onscreen = 0;
    for (int i = total_loaded_enemies; i < total_enemies; i++) {
      enemy *e = enemy_map[i];
      const bool in_view = e->hit_points > 0 && e->screen_x > 0 && e->screen_x < big_screen_w;
      e->on_screen = in_view ? -1 : 0;
      if (in_view && e->type == KIND_PLANE) planes_onscreen++;
      if (!in_view && e->screen_x < big_screen_w) e->hit_points = 0;
    }
  }
  // One tick of the movers, as the rockets pass runs them.
  void move_all() {
    for (int i = 0; i < total_enemies; i++)
      if (enemy_map[i]->move && enemy_map[i]->hit_points > 0) enemy_map[i]->move(enemy_map[i]);
  }
  int launch(int kind, float x, float y, float alt, enemy_move move) {
    return add_dynamic_enemy(kind, x, y, alt, move);
  }
  // A seed whose first game_rand() % mod is `want`.
  static unsigned seed_for(int mod, int want) {
    for (unsigned s = 1;; s++) {
      seed_game_rand(s);
      if (game_rand() % mod == want) return s;
    }
  }

  FakeCard card;
  std::vector<std::function<void()>> restore;
  enemy_type kinds[ENEMY_KIND_COUNT];
  inline static enemy slots[MAX_ENEMIES];
};
