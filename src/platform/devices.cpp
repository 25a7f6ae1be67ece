#include "platform/devices.h"

#include <allegro.h>
#include <dlfcn.h>

#include <cstdio>

int joy_ok = 0;

bool joystick_present() { return num_joysticks > 0; }

namespace {

// ALSA's error hook, declared here: its headers are not needed to build.
using alsa_error_handler = void (*)(const char *file, int line, const char *function, int err,
                                    const char *fmt, ...);
void quiet_alsa(const char *, int, const char *, int, const char *, ...) {}

}  // namespace

void silence_sound_library_errors() {
  // The graphics library loads its ALSA driver later; it then shares this
  // copy of the sound library, which stays loaded.
  static void *alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);
  if (!alsa) return;
  using set_handler = int (*)(alsa_error_handler);
  if (auto set = reinterpret_cast<set_handler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(quiet_alsa);
}

bool sound_present() { return digi_driver && digi_driver->id != DIGI_NONE; }

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

char *al_un_id(char *buffer, int id) {
  unsigned int u = static_cast<unsigned int>(id);
  if (u <= 2) {
    buffer[0] = 'A';
    buffer[1] = 'U';
    buffer[2] = 'T';
    buffer[3] = 'O';
  } else {
    for (int i = 0; i < 4; i++) buffer[i] = static_cast<char>((u >> (24 - 8 * i)) & 0xff);
  }
  buffer[4] = '\0';
  return buffer;
}

_DRIVER_INFO *gfx_driver_list() {
  return system_driver && system_driver->gfx_drivers ? system_driver->gfx_drivers()
                                                     : _gfx_driver_list;
}
