// The title page drawn over the demo on every menu and high score frame:
// the logo with its subtitle, credits scrolling across the top and the
// author lines at the bottom.
#pragma once

struct BITMAP;

struct credit {
  const char *text;
  int colour;  // palette index; its shadow is drawn four entries darker
  int start;   // scroll units
};

constexpr int CREDIT_COUNT = 5;
extern const credit credits[CREDIT_COUNT];

// Where the credits have scrolled to; they run from CREDITS_RESTART to
// CREDITS_END and start over, across menus, games and the score table.
constexpr float CREDITS_RESTART = -640.0f;
constexpr float CREDITS_END = 3000.0f;
constexpr float CREDITS_SPEED = 3.0f;  // scroll units per tick
extern float credit_offset;

constexpr int CREDITS_Y = 18;
constexpr int SUBTITLE_COLOUR = 36;
constexpr int SUBTITLE_RAISE = 7;  // the subtitle overlaps the logo's foot
constexpr int AUTHOR_COLOUR = 76;
constexpr int BY_FROM_BOTTOM = 50;
constexpr int AUTHOR_FROM_BOTTOM = 30;
constexpr int ADDRESS_FROM_BOTTOM = 15;

extern const char *const title_subtitle;
extern const char *const title_by;
extern const char *const title_author;
extern const char *const title_address;

// Draws the title page into `bitmap` with the logo's top at `y`. While the
// information overlay is on, only the credits are drawn.
void titles(BITMAP *bitmap, int y);
