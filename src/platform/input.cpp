#include "platform/input.h"

#include <allegro.h>

#include <ctime>

#include "platform/devices.h"

namespace {

constexpr int ALT_AXIS = 1;
constexpr int ACROSS_AXIS = 0;

const JOYSTICK_STICK_INFO *first_stick() {
  if (joy_ok != -1 || num_joysticks < 1 || joy[0].num_sticks < 1) return nullptr;
  return &joy[0].stick[0];
}

}  // namespace

void (*input_wait)(int ms) = sleep_ms;

// rest() returns at once until the library's timer is installed, so the
// waits sleep on their own.
void sleep_ms(int ms) {
  timespec t{ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&t, nullptr);
}

void poll_input() {
  if (keyboard_needs_poll()) poll_keyboard();
  poll_stick();
}

void poll_stick() {
  if (joy_ok == -1) poll_joystick();
}

bool stick_up() {
  const JOYSTICK_STICK_INFO *s = first_stick();
  return s && s->num_axis > ALT_AXIS && s->axis[ALT_AXIS].d1;
}

bool stick_down() {
  const JOYSTICK_STICK_INFO *s = first_stick();
  return s && s->num_axis > ALT_AXIS && s->axis[ALT_AXIS].d2;
}

bool stick_left() {
  const JOYSTICK_STICK_INFO *s = first_stick();
  return s && s->axis[ACROSS_AXIS].d1;
}

bool stick_right() {
  const JOYSTICK_STICK_INFO *s = first_stick();
  return s && s->axis[ACROSS_AXIS].d2;
}

bool stick_fire() {
  if (joy_ok != -1 || num_joysticks < 1) return false;
  return (joy[0].num_buttons > 0 && joy[0].button[0].b) ||
         (joy[0].num_buttons > 1 && joy[0].button[1].b);
}

bool take_press(int &released) {
  if (released != -1) return false;
  released = 0;
  return true;
}
