#include "platform/devices.h"

#include <allegro.h>

bool joystick_present() { return num_joysticks > 0; }

bool sound_present() { return digi_driver && digi_driver->id != DIGI_NONE; }
