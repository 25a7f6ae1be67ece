// Generated sprites and animations: the animation types made at start-up.
// Running them is render's (render/animations.h).
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
// Running animations at once (render's anim_list); the screen-object
// queues are sized by it.
constexpr int MAX_ANIMATIONS = 256;
extern anim_type *anim_type_list[MAX_ANIM_TYPES];
extern int total_anim_types;

// The animation types by number, in the order generate_anims makes them.
enum anim_type_number {
  ANIM_EXPLOSION_LARGE = 0,
  ANIM_POINTS_1000 = 1,
  ANIM_POINTS_500 = 2,
  ANIM_POINTS_200 = 3,
  ANIM_FORCE_FIELD = 4,
  ANIM_EXPLOSION_MEDIUM = 5,
  ANIM_EXPLOSION_SMALL = 6,
  ANIM_POINTS_FUEL = 7,
  ANIM_FORCE_FIELD2 = 8,
  ANIM_FORCE_FIELD1 = 9,
  ANIM_FORCE_FIELD3 = 10,
  ANIM_PLANE_SCALED = 11,
  ANIM_PLANE_CONTOUR_SCALED = 12,
  ANIM_SHIP_LEFT2_SCALED = 13,
  ANIM_SHIP_LEFT1_SCALED = 14,
  ANIM_SHIP_MIDDLE_SCALED = 15,
  ANIM_SHIP_RIGHT1_SCALED = 16,
  ANIM_SHIP_RIGHT2_SCALED = 17,
  ANIM_SHIP_BULLET_SCALED = 18,
  ANIM_ENEMY_BULLET_SCALED = 19,
  ANIM_PLANE_BANKED_SCALED = 20,
  ANIM_PLANE_BANKED_CONTOUR_SCALED = 21,
  ANIM_STAR_FIRST = 22,
  ANIM_STAR_LAST = 26,
  ANIM_TYPES_GENERATED = 27,
};

// The force-field animations' frames; the level's fences are built to
// stand exactly where these beams run.
struct forcefield_shape {
  int type;  // animation type number
  int frames, width, height, cut, beams;
};
constexpr forcefield_shape forcefield_shapes[] = {
    {ANIM_FORCE_FIELD, 10, 286, 190, 86, 1},
    {ANIM_FORCE_FIELD2, 12, 380, 246, 86, 2},
    {ANIM_FORCE_FIELD1, 12, 396, 212, 36, 1},
    {ANIM_FORCE_FIELD3, 12, 378, 252, 100, 3},
};
constexpr const forcefield_shape &forcefield_shape_of(int type) {
  for (const forcefield_shape &f : forcefield_shapes)
    if (f.type == type) return f;
  return forcefield_shapes[0];
}
// Several beams in one frame lie this far apart.
constexpr int FORCEFIELD_BEAM_SPACING = 32;

// Points texts wait this many frames before they show, then show as long.
constexpr int POINTS_DELAY_FRAMES = 64;
constexpr int POINTS_FRAMES = 128;
// One scaled frame per altitude band of 10, frame 0 at full size.
constexpr int SCALED_FRAMES = 13;
constexpr int EXPLOSION_PARTICLES = 64;

// Sprite handles into the loaded data files, set by generate_scaled_sprites.
extern BITMAP *ship_bullet;
extern BITMAP *enemy_bullet;
extern BITMAP *enemy_bullet_left;  // enemy_bullet mirrored left to right
extern BITMAP *plane;
extern BITMAP *plane_banked;
extern BITMAP *plane_noshad;
extern BITMAP *plane_contour;
extern BITMAP *plane_banked_contour;
extern BITMAP *shipl1;
extern BITMAP *shipl2;
extern BITMAP *shipmiddle;
extern BITMAP *shipr1;
extern BITMAP *shipr2;

// Builds the 27 animation types in order and their sizes, all in 8-bit,
// then returns to the game's colour depth (8 while no mode is set).
void generate_anims();

// A new type of `frames` null frames at the next index; returns the index.
// A full table (MAX_ANIM_TYPES) says so and leaves the program.
int add_anim_type(int frames);
void calc_sizes();

void generate_explosion(int frames, int size, int speed);
void generate_points(const char *text, int colour);
void generate_forcefield(int frames, int width, int height, int cut, int beams);
void generate_star(int frames, int width, int height, int colour);
void generate_scaled_sprites();
void generate_scaled_sprite(BITMAP *bitmap);

// The scale of scaled frame i (0 to 12), rounded to single precision as the
// frame sizes depend on it.
float scaled_frame_factor(int i);
