#include "shell/shell.h"

#include <allegro.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/options.h"
#include "game/ground_enemies.h"
#include "gen/anims.h"
#include "platform/devices.h"
#include "platform/random.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

DATAFILE *commondata = nullptr;
DATAFILE *data = nullptr;
int joy_ok = 0;

std::atomic<int> fps_now{0};
std::atomic<int> fps_save{0};
std::atomic<int> game_ticks{0};

std::string executable_directory(const std::string &path) {
  std::string::size_type cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return std::string();
  return path.substr(0, cut);
}

void chdir_to_executable(const char *path) {
  if (!path) return;
  std::string dir = executable_directory(path);
  if (!dir.empty() && chdir(dir.c_str()) != 0) {
    // The data files will then not be found, and loading says which one.
  }
}

BITMAP *datafile_bitmap(DATAFILE *file, int index) {
  return index < 0 ? nullptr : static_cast<BITMAP *>(file[index].dat);
}

DATAFILE *load_resource_file(const char *name) {
  DATAFILE *d = load_datafile(name);
  if (!d) {
    printf("Error loading %s!\nAllegro error message: %s\n", name, allegro_error);
    main_exit(EXIT_FATAL);
  }
  return d;
}

void init_joystick() {
  joy_ok = 0;
  if (install_joystick(JOY_TYPE_AUTODETECT) != 0 || !joystick_present()) {
    puts("Could not initialize joystick");
    return;
  }
  joy_ok = -1;
}

void init_sound() {
  if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0 || !sound_present()) {
    printf("Error initialising sound system\nAllegro error message: %s\n", allegro_error);
    // A silent driver plays nothing; dropping it makes every later
    // play_sample a plain no-op.
    remove_sound();
  }
}

void init_main() {
  seed_game_rand(static_cast<unsigned int>(time(nullptr)));
  install_keyboard();

  // Bitmaps stay 8-bit as stored, whatever colour depth is set later.
  set_color_conversion(COLORCONV_NONE);
  commondata = load_resource_file("borlin.dat");
  raise_loop_sample_priorities();
  data = load_resource_file("kestal.dat");

  // Until there is a settings file, the first mode is the default request.
  set_default_gfx();
  init_joystick();
  generate_anims();
  make_game_video_bitmaps();
  load_map_data();
  init_enemy_type_list();
  init_sound();

  install_int_ex(fps_saver, 1193181);
}

void main_exit(int status) {
  if (usetimer == -1) remove_tick_timer(inc_game_ticks);
  remove_int(fps_saver);
  destroy_blit_bitmaps();
  destroy_game_video_bitmaps();
  allegro_exit();
  fflush(stdout);
  exit(status);
}

void do_exit() {
  fflush(stdout);
  exit(EXIT_QUIT);
}

void fps_saver() {
  fps_save = fps_now.load();
  fps_now = 0;
}

void inc_game_ticks() { game_ticks++; }
