#include "enemies/wave.h"

event_action last_movement_function = nullptr;
int formation_count = 0;
int direction = DIRECTION_NEAR;
int last_position = 0;
int last_event_stretch = 0;
