// The launch schedule: airborne enemies are not on the enemy map, they are
// launched when the scroll reaches fixed points of the space stretches.
#pragma once

using event_action = void (*)();

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

// Wave state, read by the launchers.
extern event_action last_movement_function;  // action of the last event fired
extern int formation_count;  // earlier firings of the same action in a row
extern int direction;        // 3: the ship was on the far side when the wave began, else 1
extern int last_position;    // truncated scroll seen by the last do_events
extern int last_event_stretch;  // range_index seen by the last do_events

// The ship's cross-screen coordinate from which a wave starts on side 3.
constexpr int FAR_SIDE_SHIPZ = 146;
constexpr int DIRECTION_NEAR = 1;
constexpr int DIRECTION_FAR = 3;

// Fires, in table order, every event the scroll has reached since the last
// call.
void do_events();
