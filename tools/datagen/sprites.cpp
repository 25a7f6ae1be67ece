// The world's sprites, contours and shadows, each rendered from its model.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "datagen/models.h"
#include "datagen/producers.h"

namespace {

// Renders are shared by the sprite, its contour and its shadow, so each is
// made once.
const render_canvas &rendered(const object_render &o) {
  static std::map<std::string, render_canvas> cache;
  auto it = cache.find(o.name);
  if (it == cache.end()) it = cache.emplace(o.name, render_object(o)).first;
  return it->second;
}

std::string object_name(const object_render &o, const char *suffix) {
  std::string n;
  for (const char *c = o.name; *c; c++) n += *c == ' ' || *c == '-' ? '_' : char(std::toupper(*c));
  return n + suffix;
}

Bitmap8 bitmap_of(const render_canvas &c, const std::vector<uint8_t> &layer) {
  Bitmap8 b(c.w, c.h);
  b.px = layer;
  return b;
}

[[noreturn]] void no_model(const char *file, int index) {
  fprintf(stderr, "datagen: %s object %d has no model\n", file, index);
  exit(1);
}

}  // namespace

DataObject make_world_sprite(int index) {
  for (const object_render &o : object_renders())
    if (o.sprite == index) return bitmap_object(object_name(o, ""), bitmap_of(rendered(o), rendered(o).sprite));
  no_model("kestal.dat", index);
}

DataObject make_world_mask(int index) {
  for (const object_render &o : object_renders()) {
    const render_canvas &c = rendered(o);
    if (o.contour == index) return bitmap_object(object_name(o, "_CONTOUR"), bitmap_of(c, c.contour));
    if (o.second_contour == index) return bitmap_object(o.second_contour_name, bitmap_of(c, c.contour));
    if (o.shadow == index) return bitmap_object(object_name(o, "_SHADOW"), bitmap_of(c, c.shadow));
  }
  no_model("borlin.dat", index);
}
