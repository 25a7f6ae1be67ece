#include "shell/shell.h"

#include <allegro.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "display/frame.h"
#include "display/gfx.h"
#include "frontend/display_options.h"
#include "frontend/hiscore.h"
#include "frontend/options.h"
#include "game/ground_enemies.h"
#include "gen/anims.h"
#include "platform/devices.h"
#include "platform/random.h"
#include "shell/config.h"
#include "shell/datafile_check.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

DATAFILE *commondata = nullptr;
DATAFILE *data = nullptr;

const std::array<DataKind, KESTAL_OBJECT_COUNT> kestal_object_kinds = [] {
  std::array<DataKind, KESTAL_OBJECT_COUNT> k{};
  k.fill(kestal_object_kind);
  return k;
}();
int joy_ok = 0;

std::atomic<int> fps_now{0};
std::atomic<int> fps_save{0};
std::atomic<int> game_ticks{0};

std::string executable_directory(const std::string &path) {
  std::string::size_type cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return std::string();
  return path.substr(0, cut);
}

std::string executable_folder(const char *self_link, const char *path) {
  // Through a symbolic link or a bare name found on the PATH, the program
  // path does not lead to the data; the link to the running executable does.
  char target[PATH_MAX];
  const ssize_t n = self_link ? readlink(self_link, target, sizeof target - 1) : -1;
  if (n > 0) {
    target[n] = '\0';
    std::string dir = executable_directory(target);
    if (!dir.empty()) return dir;
    if (target[0] == '/') return "/";
  }
  return path ? executable_directory(path) : std::string();
}

void chdir_to_executable(const char *path) {
  std::string dir = executable_folder(SELF_EXECUTABLE_LINK, path);
  if (!dir.empty() && chdir(dir.c_str()) != 0) {
    // The data files will then not be found, and loading says which one.
  }
}

BITMAP *datafile_bitmap(DATAFILE *file, int index) {
  return index < 0 ? nullptr : static_cast<BITMAP *>(file[index].dat);
}

SAMPLE *common_sample(int index) {
  if (!commondata || index < 0) return nullptr;
  for (int i = 0; i < index; i++)
    if (commondata[i].type == DAT_END) return nullptr;
  const DATAFILE &d = commondata[index];
  return d.type == DAT_SAMPLE ? static_cast<SAMPLE *>(d.dat) : nullptr;
}

void play_common_sample(int index, int volume, int pan, int frequency, int loop) {
  if (SAMPLE *s = common_sample(index)) play_sample(s, volume, pan, frequency, loop);
}

void stop_common_sample(int index) {
  if (SAMPLE *s = common_sample(index)) stop_sample(s);
}

DATAFILE *load_resource_file(const char *name, const DataKind *kinds, int count) {
  // A damaged file or the wrong one is reported exactly like a missing one.
  DATAFILE *d = datafile_file_ok(name) ? load_datafile(name) : nullptr;
  if (d && !datafile_kinds_ok(d, kinds, count)) {
    unload_datafile(d);
    d = nullptr;
  }
  if (!d) {
    printf("Error loading %s!\n", name);
    // Our own checks leave the library's text empty: no empty line then.
    if (allegro_error[0]) printf("Allegro error message: %s\n", allegro_error);
    main_exit(EXIT_FATAL);
  }
  return d;
}

void init_joystick() {
  joy_ok = 0;
  if (install_joystick(JOY_TYPE_AUTODETECT) != 0 || !joystick_present()) {
    fputs("No joystick: playing with the keyboard.\n", stderr);
    return;
  }
  joy_ok = -1;
}

void init_sound() {
  // Our line below says it once; the sound library's own would be many.
  silence_sound_library_errors();
  if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0 || !sound_present()) {
    fputs("No sound device: playing without sound.\n", stderr);
    // A silent driver plays nothing; dropping it makes every later
    // play_sample a plain no-op.
    remove_sound();
  }
}

void init_main() {
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
