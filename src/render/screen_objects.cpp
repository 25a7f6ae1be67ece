#include "render/screen_objects.h"

#include <allegro.h>

#include <cstdio>

#include "display/frame.h"
#include "display/gfx.h"
#include "world/position.h"
#include "world/state.h"
#include "render/background.h"
#include "render/spritemap.h"
#include "shell/shell.h"

screen_object static_ordered_list[MAX_SCREEN_OBJECTS];
int total_static_objects = 0;
screen_object dynamic_sorted_list[MAX_SCREEN_OBJECTS];
int total_dynamic_objects = 0;
screen_object *first_object = nullptr;
screen_object *last_object = nullptr;
int dropped_screen_objects = 0;

namespace {

// Altitude-scaled frames: one per band of 10 below this altitude.
constexpr float SCALED_TOP_ALT = 120.0f;
constexpr float SCALED_BAND = 0.1f;
constexpr int FIRST_REPLACED_FRAME = 1;
constexpr int LAST_REPLACED_FRAME = SCALED_FRAMES - 1;

// Rockets stand in a pit: their shadow falls this much lower.
constexpr int ROCKET_SHADOW_DROP = 27;
// The boss's missile casts its flat shadow once it is this far ahead.
constexpr float MISSILE_AHEAD = 10.0f;
// Fast shadows: the landing line lies this far below the object, and the
// colour rises with the altitude.
constexpr int SHADOW_LINE_DROP = 5;
constexpr int SHADOW_COLOUR = 49;
constexpr float SHADOW_COLOUR_PER_ALT = 0.02f;

// The last scroll at which a ground object entered its contour.
int last_scrollpos = 0;

float depth_key(const screen_object *so) { return 2 * so->y + so->alt - so->x; }

BITMAP *anim_frame(int anim, float frame) {
  if (anim < 0 || anim >= total_anim_types || !anim_type_list[anim]) return nullptr;
  const anim_type *t = anim_type_list[anim];
  const int f = static_cast<int>(frame);
  if (f < 0 || f >= t->frames) return nullptr;
  return t->frame_list[f];
}

// Each sprite that has altitude-scaled frames, with their animation.
struct scaled_sprite {
  BITMAP **sprite;
  int anim;
};
const scaled_sprite scaled_sprites[] = {
    {&shipl2, ANIM_SHIP_LEFT2_SCALED},       {&shipl1, ANIM_SHIP_LEFT1_SCALED},
    {&shipmiddle, ANIM_SHIP_MIDDLE_SCALED},  {&shipr1, ANIM_SHIP_RIGHT1_SCALED},
    {&shipr2, ANIM_SHIP_RIGHT2_SCALED},      {&ship_bullet, ANIM_SHIP_BULLET_SCALED},
    {&enemy_bullet, ANIM_ENEMY_BULLET_SCALED},
};

// The boss and, once it flies ahead of it, its missile: their shadows lie
// flat on the floor below them.
bool flat_boss_shadow(int index) {
  if (index <= 0 || !enemy_is(borlin_boss, KIND_BOSS)) return false;
  if (index == borlin_boss) return true;
  if (index != borlin_missile || borlin_missile <= 0 || borlin_missile >= total_enemies)
    return false;
  return enemy_map[borlin_missile]->screen_x >= enemy_map[borlin_boss]->screen_x + MISSILE_AHEAD;
}

// One-colour shadows need an 8-bit mask, as the library draws them.
void draw_flat_shadow(BITMAP *shadow, int x, int y, int colour) {
  if (bitmap_color_depth(shadow) == 8) draw_character_ex(currentbuffer, shadow, x, y, colour, -1);
}

void draw_shadow(const screen_object *so, const enemy *e, BITMAP *sprite) {
  BITMAP *shadow = so->shadow;
  float sx = so->x, sy = so->y;
  if (so->centred == -1) {
    sx -= shadow->w / 2;
    sy -= shadow->h / 2;
  }
  const int alt = static_cast<int>(so->alt);
  const int pos = get_mappos(static_cast<int>(sx), static_cast<int>(sy), alt);
  if (over_ground_at_pos(pos) == 0) return;  // nothing to fall on over open space
  float sy2 = sy;
  if (e && is_rocket(e->type))
    sy2 += ROCKET_SHADOW_DROP;

  if (bulletshadows == -1) {
    if (flat_boss_shadow(so->enemy)) {
      const int sprite_h = sprite ? sprite->h : 0;
      draw_flat_shadow(shadow, static_cast<int>(sx + 1),
                       static_cast<int>(so->y + sprite_h - shadow->h + so->alt),
                       palette_color[SHADOW_COLOUR]);
      return;
    }
    draw_fancy_shadow(shadow, static_cast<int>(sx), static_cast<int>(sy2), alt);
    return;
  }
  // Fast: no shadow where something stands at either end of its line.
  const int line_y = static_cast<int>(sy + so->alt + SHADOW_LINE_DROP);
  int h1, h2, owner;
  getcontour(static_cast<int>(sx), line_y, &h1, &owner);
  getcontour(static_cast<int>(sx + shadow->w - 1), line_y, &h2, &owner);
  if (h1 != 0 || h2 != 0) return;
  const int colour = static_cast<int>(SHADOW_COLOUR + SHADOW_COLOUR_PER_ALT * so->alt);
  draw_flat_shadow(shadow, static_cast<int>(sx), static_cast<int>(sy2 + so->alt),
                   palette_color[colour & 0xff]);
}

}  // namespace

void add_screen_object(BITMAP *sprite, int anim, float frame, BITMAP *contour, BITMAP *shadow,
                       float x, float y, int centred, float alt, int list, int mode, int enemy) {
  const bool dynamic = list == -1;
  int &count = dynamic ? total_dynamic_objects : total_static_objects;
  if (count >= MAX_SCREEN_OBJECTS) {
    dropped_screen_objects++;  // left out of this frame only
    return;
  }
  screen_object *so = &(dynamic ? dynamic_sorted_list : static_ordered_list)[count++];
  *so = screen_object{sprite, anim,  frame, contour, shadow, x,      y,
                      centred, alt, list,  mode,    enemy,  nullptr, nullptr};
  if (!dynamic) return;
  if (count == 1) {
    first_object = last_object = so;
    return;
  }
  if (!last_object) return;
  for (screen_object *node = last_object;; node = node->prev) {
    if (is_nearer(so, node) == -1) {  // at or in front of node: right after it
      so->prev = node;
      so->next = node->next;
      if (node->next) node->next->prev = so;
      node->next = so;
      if (node == last_object) last_object = so;
      return;
    }
    if (node == first_object) {
      so->next = node;
      node->prev = so;
      first_object = so;
      return;
    }
  }
}

int is_nearer(const screen_object *a, const screen_object *b) {
  return depth_key(a) < depth_key(b) ? 1 : -1;
}

void draw_screen_objects() {
  for (int i = 0; i < total_static_objects; i++) draw_screen_object(&static_ordered_list[i]);
  total_static_objects = 0;
  if (total_dynamic_objects > 0) {
    for (screen_object *so = first_object; so; so = so->next) {
      draw_screen_object(so);
      if (so == last_object) break;
    }
  }
  total_dynamic_objects = 0;
  first_object = last_object = nullptr;
}

void draw_screen_object(screen_object *so) {
  enemy *e = nullptr;
  if (so->enemy > 0 && so->enemy < total_enemies) e = enemy_map[so->enemy];

  BITMAP *sprite = so->sprite ? so->sprite : so->anim >= 0 ? anim_frame(so->anim, so->frame) : nullptr;
  if (so->shadow) draw_shadow(so, e, sprite);

  BITMAP *contour = so->contour;
  bool entered = false;
  if (sprite) {
    float px = so->x, py = so->y;
    if (so->centred == -1) {
      px -= sprite->w / 2;
      py -= sprite->h / 2;
    }
    const int k = static_cast<int>((SCALED_TOP_ALT - so->alt) * SCALED_BAND);
    if (sprite == plane && plane && so->alt > 0) {
      if (so->alt > SCALED_TOP_ALT) {
        sprite = plane_noshad;
      } else {
        const bool descending = e && e->last_alt > so->alt;
        sprite = anim_frame(descending ? ANIM_PLANE_BANKED_SCALED : ANIM_PLANE_SCALED, k);
        contour = anim_frame(
            descending ? ANIM_PLANE_BANKED_CONTOUR_SCALED : ANIM_PLANE_CONTOUR_SCALED, k);
        if (descending && sprite && contour &&
            (contour->w > sprite->w || contour->h > sprite->h)) {
          printf("Data fault: banked plane frame %d has a %d x %d contour on a %d x %d sprite\n",
                 k, contour->w, contour->h, sprite->w, sprite->h);
          main_exit(EXIT_FATAL);
        }
      }
    } else if (k >= FIRST_REPLACED_FRAME && k <= LAST_REPLACED_FRAME && inside_fortress == 0) {
      for (const scaled_sprite &s : scaled_sprites) {
        if (*s.sprite && sprite == *s.sprite) {
          sprite = anim_frame(s.anim, k);
          break;
        }
      }
    }

    if (sprite) {
      const int ix = static_cast<int>(px), iy = static_cast<int>(py);
      const int alt = static_cast<int>(so->alt);
      if (so->list != -1) {
        draw_sprite(currentbuffer, sprite, ix, iy);
      } else if (contour && so->enemy > 0) {
        if (so->mode != 0) {
          draw_sprite(currentbuffer, sprite, ix, iy);
          move_sprite_on_spritemap(contour, ix, iy, alt, so->enemy);
        } else {
          move_sprite_with_contour(sprite, contour, ix, iy, alt, so->enemy);
        }
        entered = true;
      } else if (contour || so->mode != 0) {
        draw_sprite(currentbuffer, sprite, ix, iy);
      } else {
        draw_sprite_if_above(sprite, ix, iy, alt);
      }
      if (e) e->last_sprite = sprite;
    }
    if (e) {
      e->last_x = px;
      e->last_y = py;
      e->last_alt = so->alt;
    }
  } else if (e) {
    e->last_x = so->x;
    e->last_y = so->y;
    e->last_alt = so->alt;
  }

  // Ground objects enter their contour once, finishing it over later
  // frames when the right edge cut it.
  if (!contour || so->enemy <= 0 || entered || !e || e->spritemap_columns < 0) return;
  float cx = so->x, cy = so->y;
  if (so->centred == -1) {
    cx -= contour->w / 2;
    cy -= contour->h / 2;
  }
  const bool due = scroll_offset == 4 || scroll_offset == 12 || scrollpos - 8 > last_scrollpos ||
                   scrollpos < last_scrollpos || cx < SCREEN_W - 32;
  if (!due) return;
  draw_sprite_to_spritemap(contour, static_cast<int>(cx), static_cast<int>(cy),
                           static_cast<int>(so->alt), so->enemy);
  e->spritemap_columns =
      cx + contour->w < big_screen_w ? -1 : static_cast<int>(big_screen_w - cx);
  e->spritemap_y = static_cast<int>(-cy);
  last_scrollpos = static_cast<int>(scrollpos);
}
