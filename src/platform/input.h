// The keyboard and the joystick as play reads them. Keys are the library's
// `key[]` array, which tests write directly; the stick and the waits of
// the pause go through here so that a test can drive them too.
#pragma once

// Polls the devices once a frame where the platform needs it.
void poll_input();
// The joystick alone, for the menus and the score table's name entry.
void poll_stick();

// The first stick of the first joystick, by its two axes' digital flags,
// and its first two buttons; all false without a usable joystick. The
// menus, the name entry and play all read the stick through these.
bool stick_up();
bool stick_down();
bool stick_left();
bool stick_right();
bool stick_fire();

// The latch of a held key that acts once per press: true, and the latch
// shut, only when `released` is -1, i.e. nothing was held at the last look
// (the caller opens it again, to -1, when nothing is held).
bool take_press(int &released);

// One wait of a polling loop, in milliseconds. Tests point it at a function
// of their own that changes the keys instead of sleeping.
extern void (*input_wait)(int ms);
void sleep_ms(int ms);
