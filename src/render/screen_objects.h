// The queue of everything drawn over the floor in one frame: a static list
// drawn in the order of queuing and a dynamic list kept in depth order,
// nearer things last.
#pragma once

#include "gen/anims.h"
#include "world/enemy_map.h"

struct BITMAP;

// One queued drawing.
struct screen_object {
  BITMAP *sprite;   // null: frame `frame` of animation `anim`
  int anim;         // animation type, or -1
  float frame;
  BITMAP *contour;  // heights above the object's base; null if none
  BITMAP *shadow;   // null: no shadow
  float x, y;       // top-left corner, or the centre when centred is -1
  int centred;      // -1: each bitmap is placed by its own half size
  float alt;
  int list;         // -1 the dynamic list, else the static one
  int mode;         // dynamic only: 0 drawn with hiding, else drawn whole
  int enemy;        // enemy_map index shown; 0 or less: none
  screen_object *prev, *next;
};

// The lists hold every object one frame can queue: each animation twice
// (the world step and the frame both queue them), each enemy, each shot
// and the ship. Anything past that is left out of the frame and counted.
constexpr int SHIP_BULLETS = 20;
constexpr int ENEMY_BULLETS = 10;
constexpr int MAX_SCREEN_OBJECTS =
    2 * MAX_ANIMATIONS + MAX_ENEMIES + SHIP_BULLETS + ENEMY_BULLETS + 1;

extern screen_object static_ordered_list[MAX_SCREEN_OBJECTS];
extern int total_static_objects;
extern screen_object dynamic_sorted_list[MAX_SCREEN_OBJECTS];
extern int total_dynamic_objects;
extern screen_object *first_object;  // the farthest back of the dynamic list
extern screen_object *last_object;   // the frontmost
// Objects left out of a frame because their list was full, since start.
extern int dropped_screen_objects;

void add_screen_object(BITMAP *sprite, int anim, float frame, BITMAP *contour, BITMAP *shadow,
                       float x, float y, int centred, float alt, int list, int mode, int enemy);

// 1 when a lies farther back than b, else -1 (equal keys: not nearer).
int is_nearer(const screen_object *a, const screen_object *b);

// Draws the static list in order and the dynamic list back to front, and
// empties both.
void draw_screen_objects();
void draw_screen_object(screen_object *so);
