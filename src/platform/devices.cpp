#include "platform/devices.h"

#include <allegro.h>

#include <cstdio>

int joy_ok = 0;

bool joystick_present() { return num_joysticks > 0; }

bool sound_present() { return digi_driver && digi_driver->id != DIGI_NONE; }

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
