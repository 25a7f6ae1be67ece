// The scroll's logic: how far along the level the view is, the stretch
// being played and the round it completes. Only advance_scroll (called by
// render's scroll_background2, which draws the floor around it) and the
// functions below (for the set-ups of a round and a view) write the
// scroll's state.
#pragma once

constexpr int SCROLL_STEP = 16;  // scroll units per step of the bitmap shift
constexpr int LAST_STRETCH = 13;

extern int scrolled_x;  // whole pixels the picture moved left in the last advance
extern int scrolled_y;  // and down

// The set-ups of a round, a restart and a warp place the view through
// these, so the scroll's state keeps this one writer.
// The view at `pos` in `stretch`, never before the stretch's first position.
void place_scroll(int stretch, float pos);
// The view at `pos` in the stretch being played, as it is (the boss fight
// kept against a new screen's edge).
void hold_scroll_at(float pos);
// scroll_x and scroll_offset from where the view was placed.
void align_scroll_steps();
// A new position: the view on an even unit, logicpos counted from 0.
void settle_scroll();

// Called when the scroll runs past the last stretch, after `range_index`
// went back to 0 and the round counter went up: the play loop points it at
// the round set-up, which places the scroll at the round's start and
// redraws the background.
extern void (*start_next_round)();

// Advances the scroll by x units: the stretch (a jump to the next one's
// first position), the round, scroll_x, scroll_offset, the pixel counts and
// logicpos. True when a round began: its set-up placed the view afresh.
bool advance_scroll(float x);
