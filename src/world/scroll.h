// The scroll's logic: how far along the level the view is, the stretch
// being played and the round it completes. Only advance_scroll (called by
// render's scroll_background2, which draws the floor around it) and the
// set-ups of a round and a view write the scroll's state.
#pragma once

constexpr int SCROLL_STEP = 16;  // scroll units per step of the bitmap shift
constexpr int LAST_STRETCH = 13;

extern int scrolled_x;  // whole pixels the picture moved left in the last advance
extern int scrolled_y;  // and down

// Called when the scroll runs past the last stretch, after `range_index`
// went back to 0 and the round counter went up: the play loop points it at
// the round set-up, which places the scroll at the round's start and
// redraws the background.
extern void (*start_next_round)();

// Advances the scroll by x units: the stretch (a jump to the next one's
// first position), the round, scroll_x, scroll_offset, the pixel counts and
// logicpos. True when a round began: its set-up placed the view afresh.
bool advance_scroll(float x);
