// A small world for the fighting tests: a 640 x 480 fake screen, the 33
// kinds without pictures (every kind 32 x 24), an empty enemy map, and every
// global the fighting code touches put back afterwards.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "game/ground_enemies.h"
#include "world/state.h"
#include "game/weapons.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "platform/random.h"
#include "platform/video.h"
#include "render/background.h"
#include "render/screen_objects.h"
#include "render/spritemap.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

// Puts one global back when it goes.
template <class T>
struct Keep {
  T &ref;
  T value;
  explicit Keep(T &r) : ref(r), value(r) {}
  ~Keep() { ref = value; }
};
template <class T, size_t N>
struct Keep<T[N]> {
  T (&ref)[N];
  std::vector<T> value;
  explicit Keep(T (&r)[N]) : ref(r), value(r, r + N) {}
  ~Keep() { std::copy(value.begin(), value.end(), ref); }
};

struct FightWorld : ::testing::Test {
  static constexpr int W = 640, H = 480;
  static constexpr int KIND_W = 32, KIND_H = 24;

  FakeCard card;
  Keep<player> k_player1{player1};
  Keep<player *> k_current{current_player};
  Keep<float> k_scrollpos{scrollpos}, k_shipalt{shipalt}, k_shipz{shipz}, k_zspeed{zspeed},
      k_altspeed{altspeed}, k_shipx{shipscreenx}, k_shipy{shipscreeny}, k_fuel{fuel},
      k_scroll_speed{scroll_speed}, k_time_unit{time_unit}, k_game_time{game_time};
  Keep<int> k_end_life{end_life}, k_ship_state{ship_state}, k_boss{borlin_boss},
      k_missile{borlin_missile}, k_bonus{boss_bonus_paid}, k_planes{enemy_planes},
      k_last_score{last_score}, k_demo{demomode_flag}, k_pal{current_pal}, k_inside{inside_fortress},
      k_over{over_ground}, k_ghost{ghostship_flag}, k_this_time{this_time}, k_hz{hz},
      k_bpp{bpp}, k_range{range_index}, k_logicpos{logicpos}, k_scroll_x{scroll_x},
      k_scroll_offset{scroll_offset}, k_scrolled_x{scrolled_x}, k_scrolled_y{scrolled_y},
      k_big_w{big_screen_w}, k_ystart{ystart}, k_lcorner{lcorner}, k_tile_w{screen_tile_w},
      k_tile_h{screen_tile_h}, k_total{total_enemies}, k_loaded{total_loaded_enemies},
      k_types{total_enemy_types}, k_ff{force_field_onscreen}, k_ffx{force_field_x},
      k_db{doodlebug_onscreen}, k_dbx{doodlebug_x}, k_pon{planes_onscreen},
      k_ffp{s_force_field_playing}, k_dbp{s_doodlebug_playing},
      k_static{total_static_objects}, k_dynamic{total_dynamic_objects},
      k_too_high{fortress1_too_high};
  Keep<unsigned int> k_enemy_fired{enemy_bullet_last_fired};
  Keep<screen_object *> k_first{first_object}, k_last{last_object};
  Keep<animation[MAX_ANIMATIONS]> k_anims{anim_list};
  Keep<bullet[SHIP_BULLETS]> k_ship_bullets{ship_bullets};
  Keep<bullet[ENEMY_BULLETS]> k_enemy_bullets{enemy_bullets};
  Keep<DATAFILE *> k_common{commondata}, k_data{data};
  Keep<BITMAP *> k_ship_bullet{ship_bullet}, k_enemy_bullet{enemy_bullet},
      k_enemy_bullet_left{enemy_bullet_left};
  std::vector<std::unique_ptr<enemy_type>> saved_types;
  std::vector<std::unique_ptr<enemy>> saved_enemies;
  unsigned int saved_rand = game_rand_state();

  FightWorld() {
    for (enemy_type *t : enemy_type_list)
      saved_types.emplace_back(t ? new enemy_type(*t) : nullptr);
    for (enemy *e : enemy_map) saved_enemies.emplace_back(e ? new enemy(*e) : nullptr);
    gfx_mode_call(GFX_AUTODETECT_WINDOWED, W, H, 0, 0);
    set_screen_geometry(W, H);
    bpp = 8;
    hz = 75;
    commondata = data = nullptr;  // no sounds, no palettes
    total_enemy_types = 0;
    for (const enemy_kind_row &k : enemy_kind_table)
      add_to_enemy_type_list(k.name, nullptr, nullptr, nullptr, nullptr, k.score_low, k.score_high,
                             k.hit_points, k.screen_dx, k.screen_dy, k.depth, k.start_alt, NO_ANIM);
    for (int i = 0; i < total_enemy_types; i++) {
      enemy_type_list[i]->width = KIND_W;
      enemy_type_list[i]->height = KIND_H;
    }
    total_enemies = total_loaded_enemies = 0;
    player1 = player{};
    player1.round = 1;
    player1.lives = 3;
    current_player = &player1;
    demomode_flag = 0;
    end_life = ship_state = 0;
    ghostship_flag = 0;
    borlin_boss = borlin_missile = 0;
    inside_fortress = 0;
    over_ground = 0;
    scroll_speed = 2.0f;
    time_unit = 1.0f;
    game_time = 1000.0f;
    this_time = 100000;
    enemy_bullet_last_fired = 0;
    scrollpos = 4000;
    range_index = 0;
    logicpos = 0;
    scrolled_x = scrolled_y = 0;
    fuel = 200;
    shipalt = 100;
    enemy_planes = 20;
    ship_bullet = enemy_bullet = enemy_bullet_left = nullptr;
    free_all_bullets();
    clear_animations();
    clear_contours();
    total_static_objects = total_dynamic_objects = 0;
    first_object = last_object = nullptr;
    seed_game_rand(1);
  }
  ~FightWorld() override {
    clear_contours();
    for (int i = 0; i < MAX_ENEMY_TYPES; i++)
      if (saved_types[i]) *enemy_type_list[i] = *saved_types[i];
    for (int i = 0; i < MAX_ENEMIES; i++)
      if (saved_enemies[i]) *enemy_map[i] = *saved_enemies[i];
    seed_game_rand(saved_rand);
  }

  // Running animations of one type.
  static int animations_of(int type) {
    int n = 0;
    for (const animation &a : anim_list)
      if (a.count > 0 && a.type == type) n++;
    return n;
  }
  static int running_animations() {
    int n = 0;
    for (const animation &a : anim_list)
      if (a.count > 0) n++;
    return n;
  }
  static int active(const bullet *b, int count) {
    int n = 0;
    for (int i = 0; i < count; i++)
      if (b[i].active) n++;
    return n;
  }
};
