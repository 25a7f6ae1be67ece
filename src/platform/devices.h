// On X11 the library reports success for devices that are not there: the
// joystick driver installs with no stick attached and the sound driver
// falls back to a silent one. These tell the real answer.
#pragma once

bool joystick_present();
bool sound_present();

// -1 when a joystick was installed; input polls and reads it only then.
// Written only by init_joystick.
extern int joy_ok;

// Optional devices: each reports its absence and the game goes on.
void init_joystick();
void init_sound();

// The graphics drivers the library offers on this system, ended by an
// entry without a driver.
struct _DRIVER_INFO;
_DRIVER_INFO *gfx_driver_list();

// A graphics driver id as text: the autodetect ids 0, 1 and 2 read "AUTO",
// any other its four characters from the most significant byte down.
// `buffer` takes at least AL_UN_ID_SIZE characters.
constexpr int AL_UN_ID_SIZE = 5;
char *al_un_id(char *buffer, int id);

// The sound library (ALSA) prints several lines for every device it does
// not find; this mutes its error output when it is installed.
void silence_sound_library_errors();
