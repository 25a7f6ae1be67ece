#include "game_world.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "test_support.h"
#include "world/state.h"
#include "gen/anims.h"
#include "render/animations.h"
#include "render/background.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

namespace {
// What loading replaces, put back (and the generated frames freed) on unloading.
AnimTypesSaved *saved_anims = nullptr;
EnemyKindsSaved *saved_kinds = nullptr;
}

FakeCard *load_game_world() {
  FakeCard *card = new FakeCard;
  set_color_conversion(COLORCONV_NONE);
  commondata = load_datafile(GAME_DIR "/borlin.dat");
  data = load_datafile(GAME_DIR "/kestal.dat");
  EXPECT_TRUE(commondata && data);
  if (!commondata || !data) return card;
  init_graphics(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75, METHOD_DOUBLE_BUFFER);
  saved_anims = new AnimTypesSaved;
  saved_kinds = new EnemyKindsSaved;
  total_anim_types = 0;
  generate_anims();
  clear_animations();
  make_game_video_bitmaps();
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(GAME_DIR);
  load_map_data();
  init_enemy_type_list();
  std::filesystem::current_path(old);
  return card;
}

void unload_game_world(FakeCard *card) {
  delete saved_kinds;
  saved_kinds = nullptr;
  delete card;  // drops the mode and its bitmaps
  if (commondata) unload_datafile(commondata);
  if (data) unload_datafile(data);
  commondata = data = nullptr;
  total_enemies = total_loaded_enemies = 0;
  clear_animations();
  delete saved_anims;
  saved_anims = nullptr;
  start_next_round = nullptr;
  current_pal = BORLIN_NORMAL_PALETTE;
}
