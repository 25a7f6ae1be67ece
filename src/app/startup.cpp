#include "app/startup.h"

#include <allegro.h>

#include <ctime>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/config.h"
#include "frontend/display_options.h"
#include "frontend/hiscore.h"
#include "game/ground_enemies.h"
#include "gen/anims.h"
#include "platform/devices.h"
#include "platform/random.h"
#include "render/animations.h"
#include "render/background.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

void init_main() {
  release_at_exit(release_display);
  seed_game_rand(static_cast<unsigned int>(time(nullptr)));
  install_keyboard();
  get_gfx_drivers();

  // Bitmaps stay 8-bit as stored, whatever colour depth is set later.
  set_color_conversion(COLORCONV_NONE);
  commondata = load_resource_file("borlin.dat", borlin_object_kinds.data(), BORLIN_OBJECT_COUNT);
  raise_loop_sample_priorities();
  data = load_resource_file("kestal.dat", kestal_object_kinds.data(), KESTAL_OBJECT_COUNT);

  init_high_score_table();
  load_config();
  init_joystick();
  generate_anims();
  clear_animations();
  make_game_video_bitmaps();
  load_map_data();
  init_enemy_type_list();
  init_sound();

  install_int_ex(fps_saver, FPS_SAVER_PERIOD);
}
