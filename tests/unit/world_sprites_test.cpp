// The rendered world objects as the game loads them: contours against
// their sprites, shadows, colours, and the points the code aims at.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "datagen/models.h"
#include "datagen/sprite_pairs.h"
#include "game_data.h"
#include "render/spritemap.h"
#include "gen/darken.h"

namespace {

class WorldSprites : public GameData {
 protected:
  static BITMAP *k(int i) { return static_cast<BITMAP *>(kestal[i].dat); }
  static BITMAP *b(int i) { return static_cast<BITMAP *>(borlin[i].dat); }
};

int pixel(BITMAP *bmp, int x, int y) {
  return x < bmp->w && y < bmp->h ? getpixel(bmp, x, y) : 0;
}

}  // namespace

TEST_F(WorldSprites, ContoursStayInsideTheirSpritesAndMatchWhereDrawnThrough) {
  for (const sprite_pair &p : sprite_pairs) {
    if (p.contour == NO_OBJECT) continue;
    BITMAP *s = k(p.sprite), *c = b(p.contour);
    SCOPED_TRACE("kestal " + std::to_string(p.sprite) + " / borlin " + std::to_string(p.contour));
    ASSERT_LE(c->w, s->w);
    ASSERT_LE(c->h, s->h);
    int outside = 0, missing = 0, drawn = 0;
    for (int y = 0; y < s->h; y++)
      for (int x = 0; x < s->w; x++) {
        const int v = pixel(c, x, y), px = pixel(s, x, y);
        EXPECT_LE(v, CONTOUR_MAX);
        outside += v && !px;
        missing += px && !v;
        drawn += v > 0;
      }
    EXPECT_EQ(outside, 0);
    if (p.same_mask) {
      EXPECT_EQ(missing, 0);
    }
    EXPECT_GT(drawn, 0);
  }
}

TEST_F(WorldSprites, ParkedPlaneIsTheFlyingPlaneWithItsShadowPainted) {
  BITMAP *parked = k(KESTAL_PLANE), *flying = k(KESTAL_PLANE_NO_SHADOW);
  ASSERT_EQ(parked->w, flying->w);
  ASSERT_EQ(parked->h, flying->h);
  ASSERT_EQ(k(KESTAL_PLANE_BANKED)->w, flying->w);  // one size: every frame's top-left
  int painted = 0;
  for (int y = 0; y < parked->h; y++)
    for (int x = 0; x < parked->w; x++) {
      const int f = getpixel(flying, x, y), p = getpixel(parked, x, y);
      if (f) {
        EXPECT_EQ(p, f);
      } else if (p) {
        painted += p == PAINTED_SHADOW_COLOUR;
      }
    }
  EXPECT_GT(painted, 20);
}

TEST_F(WorldSprites, ShadowsAreFootprintsOfTheirSpritesSize) {
  for (const sprite_pair &p : sprite_pairs) {
    if (p.shadow == NO_OBJECT) continue;
    BITMAP *s = k(p.sprite), *sh = b(p.shadow);
    SCOPED_TRACE("borlin " + std::to_string(p.shadow));
    EXPECT_EQ(sh->w, s->w);
    EXPECT_EQ(sh->h, s->h);
    int n = 0, lowest = 0;
    for (int y = 0; y < sh->h; y++)
      for (int x = 0; x < sh->w; x++)
        if (getpixel(sh, x, y)) n++, lowest = y;
    EXPECT_GT(n, 40);
    // Flattened to the ground, the footprint reaches the bottom of the
    // picture: it lies below the object, never above it.
    EXPECT_GE(lowest, sh->h * 2 / 3);
  }
}

TEST_F(WorldSprites, SpritesUseRampColoursAndSurviveDarkening) {
  // Group 0 darkens to transparent, so no sprite may use it; the sets the
  // game darkens keep row 0 and column 0 free, which darkening skips.
  const std::set<int> darkened = {KESTAL_PLANE_NO_SHADOW, KESTAL_PLANE_BANKED, KESTAL_SHIP_LEFT1,
                                  KESTAL_SHIP_LEFT2,      KESTAL_SHIP_MIDDLE,  KESTAL_SHIP_RIGHT1,
                                  KESTAL_SHIP_RIGHT2};
  for (const object_render &o : object_renders()) {
    if (o.sprite == NONE) continue;
    BITMAP *s = k(o.sprite);
    SCOPED_TRACE(o.name);
    for (int y = 0; y < s->h; y++)
      for (int x = 0; x < s->w; x++) {
        const int c = getpixel(s, x, y);
        if (!c) continue;
        EXPECT_GE(c, 16);
        EXPECT_NE(darken_index(darken_index(darken_index(c, 1), 2), 3), 0);
        if (darkened.count(o.sprite)) {
          EXPECT_TRUE(x > 0 && y > 0);
        }
      }
  }
}

TEST(WorldModels, EveryObjectComesFromExactlyOneRender) {
  std::set<int> sprites, masks;
  for (const object_render &o : object_renders()) {
    if (o.sprite != NONE) {
      EXPECT_TRUE(sprites.insert(o.sprite).second) << o.name;
    }
    for (int m : {o.contour, o.second_contour, o.shadow}) {
      if (m == NONE) continue;
      EXPECT_TRUE(masks.insert(m).second) << o.name;
    }
  }
  for (const sprite_pair &p : sprite_pairs) {
    EXPECT_TRUE(sprites.count(p.sprite)) << p.sprite;
    for (int m : {p.contour, p.shadow}) {
      if (m == NO_OBJECT) continue;
      EXPECT_TRUE(masks.count(m)) << m;
    }
  }
}

TEST(WorldModels, PicturesFitTheirCanvases) {
  // A drawn pixel on the border means the model was cut.
  for (const object_render &o : object_renders()) {
    const render_canvas c = render_object(o);
    for (int y = 0; y < c.h; y++)
      for (int x = 0; x < c.w; x++) {
        if (x > 0 && y > 0 && x < c.w - 1 && y < c.h - 1) continue;
        EXPECT_EQ(c.sprite[c.at(x, y)], 0) << o.name << " at " << x << ", " << y;
      }
  }
}

TEST(WorldModels, AnchorsSitWhereTheCodeAims) {
  for (const anchor &a : anchors()) {
    const object_render *o = find_render(a.render);
    ASSERT_NE(o, nullptr) << a.render;
    SCOPED_TRACE(std::string(a.render) + ": " + a.what);
    const render_canvas c = render_object(*o);
    double x, y;
    project(c, a.point, x, y);
    EXPECT_NEAR(x, a.x, a.tolerance);
    EXPECT_NEAR(y, a.y, a.tolerance);
    // The model has a drawn pixel right at the projected point.
    bool near = false;
    for (int dy = -1; dy <= 1; dy++)
      for (int dx = -1; dx <= 1; dx++) {
        const int px = static_cast<int>(x) + dx, py = static_cast<int>(y) + dy;
        if (px >= 0 && py >= 0 && px < c.w && py < c.h && c.sprite[c.at(px, py)]) near = true;
      }
    EXPECT_TRUE(near);
  }
}
