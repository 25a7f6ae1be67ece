// The running animations: explosions, points, beams and stars started by
// the world step, queued as screen objects every frame until their last pass.
#pragma once

#include "gen/anims.h"

// One running animation. The slot is free while count <= 0.
struct animation {
  int type;
  float x, y;
  int centred;  // -1: (x, y) is the frame's centre, else its top-left
  float alt;
  float frame;  // fractional; advanced by the tick's time unit
  float dx, dy, dalt;
  int count;    // passes through the frames still to show
};

extern animation anim_list[MAX_ANIMATIONS];

// Starts an animation in the lowest free slot; dropped when none is free.
void add_animation(int type, float x, float y, int centred, int alt, float dx, float dy,
                   float dalt, int count);
void clear_animations();
// Queues every live animation as a screen object and advances its frame;
// a slot that has shown its last pass is freed.
void draw_anims();
