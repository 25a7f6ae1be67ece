#include "enemies/events.h"

#include "enemies/launchers.h"
#include "world/state.h"
#include "world/map_data.h"

// Every position lies in map positions 490 to 554: the open space at the
// end of stretch 1 and the repeated space stretches 2 to 4.
const enemy_event events[MAX_EVENTS] = {
    {3924, 1, add_loop_plane},      {3954, 1, add_loop_plane},
    {3984, 1, add_loop_plane},      {4014, 1, add_loop_plane},
    {4044, 1, add_satelite},        {4058, 1, add_sharkfin_plane},
    {4098, 1, add_sharkfin_plane},  {4158, 1, add_sharkfin_plane},
    {4390, 1, add_homer_plane},     {3942, 2, add_homer_plane},
    {3998, 2, add_homer_plane},     {4062, 2, add_homer_plane},
    {4358, 2, add_loop_plane},      {4388, 2, add_loop_plane},
    {4418, 2, add_loop_plane},      {3936, 3, add_loop_plane},
    {4044, 3, add_satelite},        {4076, 3, add_streight_plane},
    {4106, 3, add_streight_plane},  {4136, 3, add_streight_plane},
    {4248, 3, add_homer_plane},     {4270, 3, add_homer_plane},
    {4340, 3, add_homer_plane},     {4400, 3, add_homer_plane},
    {4420, 3, add_homer_plane},     {3974, 4, add_loop_plane},
    {4004, 4, add_loop_plane},      {4034, 4, add_loop_plane},
    {4064, 4, add_loop_plane},
};
const int total_events = MAX_EVENTS;


namespace {

void fire(const enemy_event &e) {
  if (e.action == last_movement_function) {
    formation_count++;
  } else {
    last_movement_function = e.action;
    formation_count = 0;
    direction = shipz >= FAR_SIDE_SHIPZ ? DIRECTION_FAR : DIRECTION_NEAR;
  }
  e.action();
}

}  // namespace

void do_events() {
  const int now = static_cast<int>(scrollpos);
  // Running into the next stretch moves the scroll back by the gap between
  // the two; carry the last position over into the new numbering, so the
  // landing point counts as passed in this tick. Otherwise an event at or
  // just past the landing point could never fire.
  if (range_index == last_event_stretch + 1 && now < last_position)
    last_position += 8 * (logic_map[2 * range_index] - logic_map[2 * range_index - 1]);
  last_event_stretch = range_index;

  if (now > last_position)
    for (int i = 0; i < total_events; i++)
      if (events[i].stretch == range_index && last_position < events[i].position &&
          events[i].position <= now)
        fire(events[i]);
  last_position = now;
}

void restart_formation() { formation_count = 0; }
