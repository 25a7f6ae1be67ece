#include "render/animations.h"

#include "display/frame.h"
#include "render/screen_objects.h"

animation anim_list[MAX_ANIMATIONS];

void add_animation(int type, float x, float y, int centred, int alt, float dx, float dy,
                   float dalt, int count) {
  for (animation &a : anim_list) {
    if (a.count > 0) continue;
    a = animation{type, x, y, centred, static_cast<float>(alt), 0.0f, dx, dy, dalt, count};
    return;
  }
  // Every slot busy: the animation is dropped.
}

void clear_animations() {
  for (animation &a : anim_list) a.count = 0;
}

void draw_anims() {
  for (animation &a : anim_list) {
    if (a.count <= 0) continue;
    if (a.type < 0 || a.type >= total_anim_types || !anim_type_list[a.type]) continue;
    const int frames = anim_type_list[a.type]->frames;
    if (a.frame >= frames) a.count--;
    if (a.count <= 0) continue;
    add_screen_object(nullptr, a.type, a.frame, nullptr, nullptr, a.x, a.y, a.centred, a.alt, -1,
                      1, 0);
    a.frame += time_unit;
    if (a.frame >= frames) {
      a.frame = 0;
      a.count--;
    }
  }
}
