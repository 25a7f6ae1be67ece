// Graphics modes: opening them with fallbacks and the state of the mode in
// use.
#pragma once

// Colour depth of the screen after the last successful mode set; 0 while
// no mode has been set.
extern int bpp;
