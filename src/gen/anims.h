// Generated sprites and animations: the animation types made at start-up
// and the running animations.
#pragma once

struct BITMAP;

// One kind of animation: a list of frames (an entry may be null: the frame
// shows nothing) and the largest frame size.
struct anim_type {
  int frames;
  BITMAP **frame_list;
  int width;
  int height;
};

constexpr int MAX_ANIM_TYPES = 32;
extern anim_type *anim_type_list[MAX_ANIM_TYPES];
extern int total_anim_types;
