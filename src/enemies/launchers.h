// The launchers that the schedule and the world step call, and the
// background stars.
#pragma once

// Each launches one dynamic enemy at the right edge, placed by `direction`
// and `formation_count` of the wave, while fewer planes are on screen than
// are still to be shot.
void add_loop_plane();
void add_sharkfin_plane();
void add_homer_plane();
void add_satelite();
void add_streight_plane();

// A doodlebug from the right edge on the ship's diagonal; returns its slot.
int add_doodlebug();

// A drifting star, unless the animation list is nearly full.
void add_star();

// The planes counted on screen this tick (planes_onscreen, counted by the
// ground-enemy pass).
int planes_on_screen();

constexpr int STAR_GUARD_SLOT = 200;  // busy: the animation list is nearly full
constexpr int STAR_COUNT = 1000;
