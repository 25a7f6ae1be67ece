// The world step: one tick of scrolling, stages, the boss ending, fuel and
// every mover, run once per drawn frame.
#pragma once

// Scroll units per tick by stage.
constexpr float SCROLL_NORMAL = 2.0f;
constexpr float SCROLL_SPACE = 1.0f;
constexpr float SCROLL_SPACE_CLEARED = 4.0f;
constexpr float SCROLL_BOSS_CREEP = 1.0f;
constexpr float SCROLL_SECOND_HALF = 3.0f;

// The demo starts over after this map position.
constexpr int DEMO_LAST_POSITION = 1520;
// The boss stops the view once the scroll remainder passes this.
constexpr int BOSS_CREEP_OFFSET = 3;
// The round ends this many seconds (in units of hz ticks) after the boss dies.
constexpr float ROUND_END_SECONDS = 3.5f;

// Fuel burnt per tick over fortress ground, and elsewhere.
constexpr float FUEL_BURN_GROUND = 0.18f;
constexpr float FUEL_BURN_SPACE = 0.01f;
constexpr float SINK_SPEED = -4.0f;
constexpr float GROUND_ALT = 2.0f;

void game_logic();

// The stage for view position v (in map positions); keeps the old one
// where no rule matches.
int stage_at(int v, int stage);

// Scroll speed of a stage outside the boss ending.
float stage_scroll_speed(int stage);

// Where the ship is on the map, and the engine noise that goes with it.
void play_background_noise();

// The ship, its shots, the rockets and the animations, in this order.
void move_sprites();
