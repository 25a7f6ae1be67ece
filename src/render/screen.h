// One whole frame: the floor, the queued objects and the HUD.
#pragma once

// Composes the frame into currentbuffer, between BeginDrawing and
// EndDrawing.
void draw_screen();

