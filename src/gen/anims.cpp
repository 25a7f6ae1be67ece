#include "gen/anims.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "display/frame.h"
#include "display/gfx.h"
#include "gen/darken.h"
#include "platform/random.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

anim_type *anim_type_list[MAX_ANIM_TYPES];
int total_anim_types = 0;

BITMAP *ship_bullet = nullptr;
BITMAP *enemy_bullet = nullptr;
BITMAP *enemy_bullet_left = nullptr;
BITMAP *plane = nullptr;
BITMAP *plane_banked = nullptr;
BITMAP *plane_noshad = nullptr;
BITMAP *plane_contour = nullptr;
BITMAP *plane_banked_contour = nullptr;
BITMAP *shipl1 = nullptr;
BITMAP *shipl2 = nullptr;
BITMAP *shipmiddle = nullptr;
BITMAP *shipr1 = nullptr;
BITMAP *shipr2 = nullptr;

namespace {

// Explosion particle field: values saturate here and map to the fire ramp.
constexpr int EXPLOSION_MAX_VALUE = 63;
constexpr int EXPLOSION_REACH = 6;
constexpr int EXPLOSION_FAINTEST = 7;
constexpr int EXPLOSION_FIRST_COLOUR = 16;
constexpr int FIXED_ONE = 65536;
constexpr int RAND_MID = 32767;

// Force-field beams: how far one frame moves a beam, and the spacing of
// several beams in one frame.
constexpr int BEAM_STEP_X = 32;
constexpr int BEAM_STEP_Y = 16;
constexpr int BEAM_TOP = 6;

// Frames of the scaled sets that are darkened, and by how much.
constexpr int DARKEN_FROM_1 = 4, DARKEN_FROM_2 = 6, DARKEN_FROM_3 = 10;

BITMAP *cleared_bitmap(int w, int h) {
  BITMAP *b = create_bitmap(w, h);
  if (b) clear_to_color(b, 0);
  return b;
}

}  // namespace

int add_anim_type(int frames) {
  if (total_anim_types == MAX_ANIM_TYPES) {
    puts("Too many animation types");
    main_exit(EXIT_FATAL);
  }
  anim_type *t = new anim_type;
  t->frames = frames;
  t->frame_list = new BITMAP *[frames]();
  t->width = 0;
  t->height = 0;
  anim_type_list[total_anim_types] = t;
  return total_anim_types++;
}

void calc_sizes() {
  for (int n = 0; n < total_anim_types; n++) {
    anim_type *t = anim_type_list[n];
    t->width = 0;
    t->height = 0;
    for (int f = 0; f < t->frames; f++) {
      if (!t->frame_list[f]) continue;
      t->width = std::max(t->width, t->frame_list[f]->w);
      t->height = std::max(t->height, t->frame_list[f]->h);
    }
  }
}

void generate_explosion(int frames, int size, int speed) {
  const int type = add_anim_type(frames);
  struct particle {
    int x, y, vx, vy;
  };
  particle p[EXPLOSION_PARTICLES];
  for (particle &q : p) {
    q.x = q.y = (size / 2) * FIXED_ONE;
    const int r1 = static_cast<unsigned short>(game_rand());
    const int r2 = static_cast<unsigned short>(game_rand());
    q.vx = (r1 - RAND_MID) * speed;
    q.vy = (r2 - RAND_MID) * speed;
  }
  int *value = new int[size * size];
  for (int f = 0; f < frames; f++) {
    BITMAP *b = cleared_bitmap(size, size);
    std::fill(value, value + size * size, 0);
    const int intensity = f < 16 ? f : (frames / 2 - (f * 64) / frames + 48) >> 2;
    const int drift = (f * speed) / 4;
    for (particle &q : p) {
      const int px = drift + q.x / FIXED_ONE;
      const int py = drift + q.y / FIXED_ONE;
      for (int j = -EXPLOSION_REACH; j <= EXPLOSION_REACH; j++) {
        for (int i = -EXPLOSION_REACH; i <= EXPLOSION_REACH; i++) {
          const int x = px + i, y = py + j;
          if (x <= 0 || x >= size || y <= 0 || y >= size) continue;
          int &v = value[y * size + x];
          v = std::min(v + (intensity >> ((std::abs(i) + std::abs(j)) / 3)), EXPLOSION_MAX_VALUE);
        }
      }
      q.x += q.vx;
      q.y += q.vy;
    }
    if (b) {
      for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
          const int v = value[y * size + x];
          if (v > EXPLOSION_FAINTEST) putpixel(b, x, y, EXPLOSION_FIRST_COLOUR + v / 4);
        }
    }
    anim_type_list[type]->frame_list[f] = b;
  }
  delete[] value;
}

void generate_points(const char *text, int colour) {
  const int type = add_anim_type(POINTS_FRAMES);
  FONT *f = datafile_font(commondata, BORLIN_GAME_FONT);
  BITMAP *b = cleared_bitmap(text_length(f, text), text_height(f));
  if (b) textout_ex(b, f, text, 0, 0, palette_color[colour + 15], -1);
  // One bitmap shared by every visible frame; the first ones stay empty.
  for (int i = POINTS_DELAY_FRAMES; i < POINTS_FRAMES; i++)
    anim_type_list[type]->frame_list[i] = b;
}

void generate_forcefield(int frames, int width, int height, int cut, int beams) {
  const int type = add_anim_type(frames);
  BITMAP *beam = datafile_bitmap(data, KESTAL_FORCE_FIELD_BEAM);
  for (int k = 0; k < frames; k++) {
    BITMAP *b = cleared_bitmap(width, height);
    if (b) {
      for (int n = 0; n < beams; n++)
        draw_sprite(b, beam, BEAM_STEP_X * k,
                    BEAM_STEP_Y * k + BEAM_TOP + FORCEFIELD_BEAM_SPACING * n);
      triangle(b, width - cut, height, width, height - cut / 2, width, height, 0);
    }
    anim_type_list[type]->frame_list[k] = b;
  }
}

void generate_star(int frames, int width, int height, int colour) {
  const int type = add_anim_type(frames);
  BITMAP *b = cleared_bitmap(width, height);
  if (b && width == 1) {
    putpixel(b, 0, 0, colour);
  } else if (b && width == 3) {
    putpixel(b, 1, 1, colour);
    putpixel(b, 1, 0, colour - 2);
    putpixel(b, 0, 1, colour - 2);
    putpixel(b, 2, 1, colour - 2);
    putpixel(b, 1, 2, colour - 2);
  }
  anim_type_list[type]->frame_list[0] = b;
}

float scaled_frame_factor(int i) { return static_cast<float>((50 - 1.5 * i) * 0.02); }

void generate_scaled_sprite(BITMAP *bitmap) {
  const int type = add_anim_type(SCALED_FRAMES);
  for (int i = 0; i < SCALED_FRAMES; i++) {
    const double s = scaled_frame_factor(i);
    const int w = i == 0 ? bitmap->w : static_cast<int>(bitmap->w * s);
    const int h = i == 0 ? bitmap->h : static_cast<int>(bitmap->h * s);
    BITMAP *b = cleared_bitmap(w, h);
    if (b) stretch_blit(bitmap, b, 0, 0, bitmap->w, bitmap->h, 0, 0, w, h);
    anim_type_list[type]->frame_list[i] = b;
  }
}

void generate_scaled_sprites() {
  ship_bullet = datafile_bitmap(data, KESTAL_SHIP_BULLET);
  enemy_bullet = datafile_bitmap(data, KESTAL_ENEMY_BULLET);
  plane = datafile_bitmap(data, KESTAL_PLANE);
  plane_banked = datafile_bitmap(data, KESTAL_PLANE_BANKED);
  plane_noshad = datafile_bitmap(data, KESTAL_PLANE_NO_SHADOW);
  plane_contour = datafile_bitmap(commondata, BORLIN_PLANE_CONTOUR);
  plane_banked_contour = datafile_bitmap(commondata, BORLIN_BANKED_PLANE_CONTOUR);
  shipl1 = datafile_bitmap(data, KESTAL_SHIP_LEFT1);
  shipl2 = datafile_bitmap(data, KESTAL_SHIP_LEFT2);
  shipmiddle = datafile_bitmap(data, KESTAL_SHIP_MIDDLE);
  shipr1 = datafile_bitmap(data, KESTAL_SHIP_RIGHT1);
  shipr2 = datafile_bitmap(data, KESTAL_SHIP_RIGHT2);

  enemy_bullet_left = cleared_bitmap(enemy_bullet->w, enemy_bullet->h);
  if (enemy_bullet_left) draw_sprite_h_flip(enemy_bullet_left, enemy_bullet, 0, 0);

  for (BITMAP *b : {plane_noshad, plane_contour, shipl2, shipl1, shipmiddle, shipr1, shipr2,
                    ship_bullet, enemy_bullet, plane_banked, plane_banked_contour})
    generate_scaled_sprite(b);

  // Lower objects look smaller and darker; contours and bullets keep their
  // values.
  for (int type : {ANIM_PLANE_SCALED, ANIM_SHIP_LEFT2_SCALED, ANIM_SHIP_LEFT1_SCALED,
                   ANIM_SHIP_MIDDLE_SCALED, ANIM_SHIP_RIGHT1_SCALED, ANIM_SHIP_RIGHT2_SCALED,
                   ANIM_PLANE_BANKED_SCALED}) {
    BITMAP **frame = anim_type_list[type]->frame_list;
    for (int i = DARKEN_FROM_1; i < SCALED_FRAMES; i++) {
      if (!frame[i]) continue;
      darken_bitmap(frame[i], i < DARKEN_FROM_2 ? 1.0f : i < DARKEN_FROM_3 ? 2.0f : 3.0f);
    }
  }
}

static void make_forcefield(int type) {
  const forcefield_shape &f = forcefield_shape_of(type);
  generate_forcefield(f.frames, f.width, f.height, f.cut, f.beams);
}

void generate_anims() {
  set_color_depth(8);
  generate_explosion(64, 64, 2);
  generate_points("1000", 240);
  generate_points("500", 0);
  generate_points("200", 0);
  make_forcefield(ANIM_FORCE_FIELD);
  generate_explosion(32, 32, 1);
  generate_explosion(28, 16, 1);
  generate_points("FUEL", 208);
  make_forcefield(ANIM_FORCE_FIELD2);
  make_forcefield(ANIM_FORCE_FIELD1);
  make_forcefield(ANIM_FORCE_FIELD3);
  generate_scaled_sprites();
  generate_star(1, 1, 1, 5);
  generate_star(1, 1, 1, 7);
  generate_star(1, 3, 3, 9);
  generate_star(1, 3, 3, 11);
  generate_star(1, 3, 3, 13);
  calc_sizes();
  set_color_depth(bpp != 0 ? bpp : 8);
}
