// The game clock and the wait for the display's refresh.
#pragma once

#include <cstdint>

// Monotonic time in units of 0.1 ms. The game was written against a
// high-resolution performance counter; CLOCK_MONOTONIC stands in for it.
// Tests point `clock_source` at a clock of their own.
extern int64_t (*clock_source)();
int64_t monotonic_clock();

// X11 reports no refresh rate, its vsync() only simulates one (about 27 ms,
// and it crashes before a mode is set), and showing a video page does not
// wait for the display. Wherever the game waits for the retrace it calls
// `retrace_wait`, which sleeps to the next refresh boundary of `hz` on the
// monotonic clock. Tests point it elsewhere so that nothing sleeps.
extern void (*retrace_wait)(int hz);
void wait_for_refresh_boundary(int hz);
