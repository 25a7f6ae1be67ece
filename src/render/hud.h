// The heads-up display drawn over each frame: lock-on marks, altitude
// meter, fuel gauge, lives and rounds, the plane counter, the scores and
// the information overlay. Each piece draws into currentbuffer.
#pragma once

void draw_crosshair();
void draw_altometer();
void draw_fuel();
void draw_lives();
void draw_scores();
void draw_last_scores();
void show_info();

// How many planes on screen the ship has locked on to, as draw_crosshair
// finds them.
int locked_planes();

// The demo's cycling colour of the top score at game time t.
int demo_score_colour(float t);
