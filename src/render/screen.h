// One whole frame: the floor, the queued objects and the HUD.
#pragma once

// Composes the frame into currentbuffer, between BeginDrawing and
// EndDrawing.
void draw_screen();

// Draws the flight path being tracked over the frame; set by the module
// that owns the flight paths, nothing is drawn while it is null.
extern void (*draw_tracked_path)();
