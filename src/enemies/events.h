// The launch schedule: airborne enemies are not on the enemy map, they are
// launched when the scroll reaches fixed points of the space stretches.
#pragma once

#include "enemies/wave.h"

// One launch: fires when the scroll passes `position` while stretch
// `stretch` is being played.
struct enemy_event {
  int position;  // scroll units
  int stretch;   // range_index
  event_action action;
};

constexpr int MAX_EVENTS = 29;
extern const enemy_event events[MAX_EVENTS];
extern const int total_events;

// At a new position the next launch starts a formation over.
void restart_formation();

// Fires, in table order, every event the scroll has reached since the last
// call.
void do_events();
