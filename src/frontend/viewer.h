// A level viewer that runs after start-up until the menus exist; the menu
// loop replaces it.
#pragma once

// The demo's start: scroll 4432 in stretch 6, with the demo's palette.
constexpr float VIEWER_START_SCROLL = 4432;
constexpr int VIEWER_START_STRETCH = 6;

// Places the view at the demo's start and redraws the floor.
void viewer_start();

// Places the view at `scroll` in stretch `stretch` as a new position: the
// floor drawn afresh, the sprite map and the animations emptied.
void viewer_start_at(int stretch, float scroll);

// Queues the placed enemies in view as the world step will: each from its
// map position and the scroll, into its list and drawing mode. Stands in
// for the world step's enemy pass until that exists.
void viewer_queue_placed_enemies();

// The scroll speed in units per tick: 2.0, and 3.0 from stretch 6 on.
float viewer_scroll_speed();

// Scrolls the floor through the stretches until End is pressed; F1 shows
// the timing overlay. Never returns.
[[noreturn]] void run_level_viewer();
