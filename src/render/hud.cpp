#include "render/hud.h"

#include <allegro.h>

#include "display/frame.h"
#include "display/gfx.h"
#include "world/state.h"
#include "render/screen_objects.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "world/enemy_map.h"
#include "world/map_data.h"

namespace {

constexpr int TRANSPARENT = -1;

// Lock-on: the mark grows with the altitude; the plane must lie within
// these distances of the ship's aim, across and in height, and ahead.
constexpr float AIM_DX = 24, AIM_DY = 10, AIM_DALT = 6;
constexpr float MARK_BASE = 6, MARK_PER_ALT = 0.05f;
constexpr int LOCK_ACROSS = 19, LOCK_HEIGHT = 14;
constexpr int MARK_COLOUR = 15;
constexpr int LOCK_VOLUME = 50, CENTRE_PAN = 128, NORMAL_FREQ = 1000;

// Altitude meter.
constexpr int METER_COLOUR = 71, TOO_HIGH_COLOUR = 79, TOO_LOW_COLOUR = 38;
constexpr int WATCHED_FORTRESS = 1, TOO_HIGH_ALT = 80, TOO_LOW_ALT = 16;
constexpr int METER_TOP = 145, METER_BASE = 144, METER_SLANT = 6, METER_WIDTH = 12;
constexpr int SCALE_FIRST = 16, SCALE_EVERY = 32;
constexpr int HIGH_MARK_DY = -24, LOW_MARK_DY = 160;

// Fuel gauge and the icons along the bottom.
constexpr int GAUGE_DY = 20, GAUGE_BOTTOM_GAP = 4;
constexpr int FUEL_LABEL_DX = -208, EMPTY_DX = -128, GAUGE_DX = -112, WARNING_RIGHT_DX = 120;
constexpr int FULL_DX = 145, LOW_FUEL = 64, BLINKS_PER_SECOND = 3;
constexpr int GAUGE_PATTERN = 15, GAUGE_TOP_COLOUR = 255;
constexpr int ICON_DY = 51, ROUND_DX = 80, ROUND_STEP = 16, LIFE_DX = -240, LIFE_STEP = 32;
constexpr int COUNTER_DX = 106, COUNTER_VALUE_DX = 86, COUNTER_DY1 = 106, COUNTER_DY2 = 86,
              COUNTER_DY3 = 66;
constexpr int LABEL_COLOUR = 38, END_COLOUR = 22, COUNTER_COLOUR = 13, VALUE_COLOUR = 10;

// Scores.
constexpr int TOP_COLOUR = 29, SCORE_COLOUR = 13, SCORE_Y = 30;
constexpr int DEMO_COLOUR_CENTRE = 112;

// Information overlay.
constexpr float FPS_SHOWN_AFTER = 150.0f;  // ticks after a reset
// Colours of the timing display (palette_color indices).
constexpr int INFO_WHITE = 15;
constexpr int INFO_HIGHLIGHT = 254;
constexpr int INFO_WARNING = 22;
constexpr int INFO_GREEN = 10;
constexpr int INFO_COLOUR = 13, TIME_X = 180, TIME_Y = 20, INFO_Y1 = 60, INFO_Y2 = 70,
              INFO_Y3 = 80;

FONT *hud_font() {
  FONT *f = datafile_font(commondata, BORLIN_GAME_FONT);
  return f ? f : font;
}

void text(const char *s, int x, int y, int colour) {
  textout_ex(currentbuffer, hud_font(), s, x, y, palette_color[colour], TRANSPARENT);
}

void icon(int index, int x, int y) {
  BITMAP *b = data ? datafile_bitmap(data, index) : nullptr;
  if (b) draw_sprite(currentbuffer, b, x, y);
}

bool is_locked(const enemy *e, float ax, float ay, float az) {
  const int across = static_cast<int>((e->screen_x - ax) * 0.5f - ((ay + az) - (e->screen_y + e->alt)));
  const int height = static_cast<int>(e->alt - az);
  return across >= -LOCK_ACROSS && across <= LOCK_ACROSS && height >= -LOCK_HEIGHT &&
         height <= LOCK_HEIGHT && e->screen_x > shipscreenx;
}

}  // namespace

int locked_planes() {
  if (inside_fortress > 0) return 0;
  const float ax = shipscreenx + AIM_DX, ay = shipscreeny + AIM_DY, az = shipalt - AIM_DALT;
  int locked = 0;
  for (int i = total_loaded_enemies; i < total_enemies; i++) {
    const enemy *e = enemy_map[i];
    if (e && e->type == KIND_PLANE && e->on_screen == -1 && is_locked(e, ax, ay, az)) locked++;
  }
  return locked;
}

void draw_crosshair() {
  const int locked = locked_planes();
  if (locked == 0) return;
  const float r = shipalt * MARK_PER_ALT + MARK_BASE;
  const int cx = static_cast<int>(shipscreenx + 4 * r);
  const int cy = static_cast<int>(shipscreeny - r);
  const int c = palette_color[MARK_COLOUR];
  // Every locked plane draws the same mark, one over the other.
  for (int n = 0; n < locked; n++) {
    vline(currentbuffer, cx, static_cast<int>(cy - r / 3), static_cast<int>(cy - r), c);
    vline(currentbuffer, cx, static_cast<int>(cy + r / 3), static_cast<int>(cy + r), c);
    line(currentbuffer, static_cast<int>(cx - r), static_cast<int>(cy - r / 2),
         static_cast<int>(cx - r / 3), static_cast<int>(cy - r / 6), c);
    line(currentbuffer, static_cast<int>(cx + r / 3), static_cast<int>(cy + r / 6),
         static_cast<int>(cx + r), static_cast<int>(cy + r / 2), c);
  }
  // Short, so that restarting it every locked frame sounds as one tone.
  play_common_sample(BORLIN_LOCK_ON_SAMPLE, LOCK_VOLUME, CENTRE_PAN, NORMAL_FREQ, 0);
}

void draw_altometer() {
  int colour = METER_COLOUR;
  if (inside_fortress == WATCHED_FORTRESS) {
    if (shipalt >= TOO_HIGH_ALT) colour = TOO_HIGH_COLOUR;
    if (shipalt < TOO_LOW_ALT) colour = TOO_LOW_COLOUR;
  }
  text("H", 0, ystart + HIGH_MARK_DY, END_COLOUR);
  text("L", 0, ystart + LOW_MARK_DY, LABEL_COLOUR);
  for (int v = 0; v <= METER_TOP; v++) {
    const bool scale_mark = v >= SCALE_FIRST && (v - SCALE_FIRST) % SCALE_EVERY == 0;
    // The scale marks show as gaps in the bar and as marks above it.
    if (scale_mark ? !(v > shipalt) : !(v < shipalt)) continue;
    line(currentbuffer, 0, ystart + METER_BASE - v, METER_WIDTH,
         ystart + METER_BASE + METER_SLANT - v, palette_color[colour]);
  }
}

void draw_fuel() {
  const int X = SCREEN_W / 2, B = SCREEN_H - GAUGE_DY, bottom = SCREEN_H - GAUGE_BOTTOM_GAP;
  text("FUEL", X + FUEL_LABEL_DX, B, LABEL_COLOUR);
  text("E", X + EMPTY_DX, B, END_COLOUR);
  const int blink = hz > 0 ? static_cast<int>(BLINKS_PER_SECOND * game_time / hz) : 0;
  if (fuel < LOW_FUEL && blink % 2 == 0 && end_life != -1)
    rectfill(currentbuffer, X + GAUGE_DX, B, X + WARNING_RIGHT_DX, bottom,
             palette_color[END_COLOUR]);
  for (int u = 0; u < fuel; u++) {
    const int p = u & GAUGE_PATTERN;
    vline(currentbuffer, X + GAUGE_DX + u, B + p / 2, bottom - p / 2,
          palette_color[GAUGE_TOP_COLOUR - p]);
  }
  const int rounds = current_player ? current_player->round : 0;
  for (int i = 1; i <= rounds; i++)
    icon(KESTAL_ROUND_MARKER, X + ROUND_DX + ROUND_STEP * (i - 1), SCREEN_H - ICON_DY);
  text("F", X + FULL_DX, B, END_COLOUR);
  text("ENEMY", SCREEN_W - COUNTER_DX, SCREEN_H - COUNTER_DY1, COUNTER_COLOUR);
  text("PLANE", SCREEN_W - COUNTER_DX, SCREEN_H - COUNTER_DY2, COUNTER_COLOUR);
  icon(KESTAL_PLANE_COUNTER_ICON, SCREEN_W - COUNTER_DX, SCREEN_H - COUNTER_DY3);
  textprintf_ex(currentbuffer, hud_font(), SCREEN_W - COUNTER_VALUE_DX, SCREEN_H - COUNTER_DY3,
                palette_color[VALUE_COLOUR], TRANSPARENT, "=%d", enemy_planes);
}

void draw_lives() {
  const int X = SCREEN_W / 2;
  const int lives = current_player ? current_player->lives : 0;
  for (int i = 1; i <= lives - 1; i++)
    icon(KESTAL_RESERVE_SHIP_ICON, X + LIFE_STEP * i + LIFE_DX, SCREEN_H - ICON_DY);
}

void draw_scores() {
  textprintf_ex(currentbuffer, hud_font(), 0, 0, palette_color[TOP_COLOUR], TRANSPARENT,
                "TOP %07d", top_score);
  textprintf_ex(currentbuffer, hud_font(), 0, SCORE_Y, palette_color[SCORE_COLOUR], TRANSPARENT,
                "1UP %07d", player1.score);
}

int demo_score_colour(float t) {
  const signed char b = static_cast<signed char>(static_cast<int>(t) & 0xff);
  return DEMO_COLOUR_CENTRE + (b >> 2);
}

void draw_last_scores() {
  textprintf_ex(currentbuffer, hud_font(), 0, 0, palette_color[demo_score_colour(game_time)],
                TRANSPARENT, "TOP %07d", top_score);
  textprintf_ex(currentbuffer, hud_font(), 0, SCORE_Y, palette_color[SCORE_COLOUR], TRANSPARENT,
                "1UP %07d", last_score);
}

void show_time_info(int x, int y) {
  textprintf_ex(currentbuffer, font, x, y, palette_color[INFO_WHITE], -1,
                "%s : %d x %d @ %d Hz %s %ibpp", driverbuf, SCREEN_W, SCREEN_H, hz,
                hz_is_reliable ? "" : "(Est)", bpp);
  textprintf_ex(currentbuffer, font, x, y + 10, palette_color[INFO_HIGHLIGHT], -1, "dt = %2.2f",
                time_unit);
  if (game_time > FPS_SHOWN_AFTER) {
    int fps = fps_save.load();
    textprintf_ex(currentbuffer, font, x + 152, y + 10,
                  palette_color[fps >= hz - 1 ? INFO_WHITE : INFO_WARNING], -1, "%d fps", fps);
  }
  textprintf_ex(currentbuffer, font, x, y + 20, palette_color[INFO_HIGHLIGHT], -1, "%s, %s",
                update_method_name(updatemethod), regulator_name(regulate_method));
  textprintf_ex(currentbuffer, font, x, y + 30, palette_color[INFO_GREEN], -1,
                "scrollpos %5.2f scroll_x %d", scrollpos, scroll_x);
}

void show_info() {
  show_time_info(TIME_X, TIME_Y);
  const int c = palette_color[INFO_COLOUR];
  textprintf_ex(currentbuffer, font, 0, INFO_Y1, c, TRANSPARENT,
                "RI %d start %d , end %d  inside fort = %d , shippos %d", range_index,
                logic_map[2 * range_index], logic_map[2 * range_index + 1], inside_fortress,
                shippos);
  const enemy *boss = enemy_is(borlin_boss, KIND_BOSS) ? enemy_map[borlin_boss] : nullptr;
  textprintf_ex(currentbuffer, font, 0, INFO_Y2, c, TRANSPARENT,
                "boss x %2.2f state %2.2f hit points %d", boss ? boss->screen_x : 0.0,
                boss ? boss->frame : 0.0, boss ? boss->hit_points : 0);
  textprintf_ex(currentbuffer, font, 0, INFO_Y3, c, TRANSPARENT, "objects left out %d",
                dropped_screen_objects);
}
