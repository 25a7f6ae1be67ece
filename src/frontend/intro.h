// The intro of the menu screen: the fade-in over the frozen demo, then the
// logo zooming into place.
#pragma once

// Intro of the menu screen, by `state`: the fade-in hides the frozen demo,
// then the logo zooms into place, then the screen is steady.
constexpr int INTRO_FADE = 0;
constexpr int INTRO_ZOOM = 1;
constexpr int INTRO_STEADY = 2;
constexpr float INTRO_PHASE_END = 222.0f;  // substate at which a phase ends
constexpr float FADE_STEP = 8.0f;          // substate per tick
constexpr float ZOOM_STEP = 2.0f;
constexpr int FADE_COLOUR = 184;  // palette entry the fade-in brightens
constexpr int TITLE_Y = 40;       // top of the logo at rest

extern int state;
extern float substate;

// The intro's step for this frame, drawn into currentbuffer over the demo.
void menu_intro_step();

// Where the zooming logo stands `t` = 222 - substate before its rest.
struct logo_rect {
  int x, y, w, h;
};
logo_rect logo_zoom_rect(float t, int logo_w, int logo_h, int screen_w);

// Releases the logo copy made for the zoom.
void destroy_menu_logo();
