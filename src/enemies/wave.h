// The wave being launched: what the schedule fired last and how often in a
// row, and the side the wave comes from. Written only by the schedule
// (enemies/events.h), read by the launchers.
#pragma once

using event_action = void (*)();

extern event_action last_movement_function;  // action of the last event fired
extern int formation_count;  // earlier firings of the same action in a row
extern int direction;        // 3: the ship was on the far side when the wave began, else 1
extern int last_position;    // truncated scroll seen by the last do_events
extern int last_event_stretch;  // range_index seen by the last do_events

// The ship's cross-screen coordinate from which a wave starts on side 3.
constexpr int FAR_SIDE_SHIPZ = 146;
constexpr int DIRECTION_NEAR = 1;
constexpr int DIRECTION_FAR = 3;

