// The world's objects as solids, and which data file objects each render
// fills. Every sprite, contour and shadow listed here comes out of one
// render, so the three always agree.
#pragma once

#include <functional>
#include <vector>

#include "datagen/render3d.h"

constexpr int NONE = -1;

// One render and where its pictures go. A canvas keeps the model's origin
// (the centre of its base) at (ox, oy).
struct object_render {
  const char *name;
  int w, h, ox, oy;
  std::function<std::vector<solid>()> build;
  int sprite;            // kestal.dat index, or NONE
  int contour;           // borlin.dat index, or NONE
  int second_contour;    // a further borlin.dat index with the same contour
  const char *second_contour_name;
  int shadow;            // borlin.dat index, or NONE
  bool paint_shadow;     // the ground shadow painted into the sprite
  bool mask_equal;       // drawn pixel by pixel through its contour
};

// Palette entry of the painted ground shadows.
constexpr int PAINTED_SHADOW_COLOUR = 50;

const std::vector<object_render> &object_renders();

// A rendered object: the canvas after finish_sprite, with the painted
// shadow applied.
render_canvas render_object(const object_render &o);

// Points of the models that the game's code aims at, in canvas pixels of
// the named render, and where the code expects them.
struct anchor {
  const char *render;
  const char *what;
  vec3 point;      // world point on the model
  double x, y;     // canvas pixel the code uses
  double tolerance;
};
const std::vector<anchor> &anchors();
const object_render *find_render(const char *name);

// Ship geometry shared by the sprites and the reserve-ship icon.
std::vector<solid> ship_model(double roll);
std::vector<solid> plane_model(double roll);
