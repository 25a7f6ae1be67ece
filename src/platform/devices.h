// On X11 the library reports success for devices that are not there: the
// joystick driver installs with no stick attached and the sound driver
// falls back to a silent one. These tell the real answer.
#pragma once

bool joystick_present();
bool sound_present();

// The sound library (ALSA) prints several lines for every device it does
// not find; this mutes its error output when it is installed.
void silence_sound_library_errors();
