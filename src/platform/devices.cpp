#include "platform/devices.h"

#include <allegro.h>
#include <dlfcn.h>

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
