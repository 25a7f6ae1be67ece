// The one frame pass of every drawing loop: input, one world step, the
// picture with its overlay, and its presentation. The play loop, the demo
// behind the menus and the high score entry all run it; nothing else
// composes a frame of the game.
#pragma once

using frame_hook = void (*)();

// One frame: `input` (none: no input is read), one world step unless
// `world_step` is false (the menu's fade-in holds the demo still),
// BeginDrawing, draw_screen, `overlay` (may be none), EndDrawing.
void frame_pass(frame_hook input, bool world_step, frame_hook overlay);

// A frame of play: the player's input, one world step, the picture and
// `overlay` over it.
void run_frame(frame_hook overlay);

// Frames drawn by the pass since the program started.
extern long frame_pass_count;

// Called after every frame has been shown, when set: where a recording or a
// test watches the game, or changes it between two frames.
extern frame_hook after_frame;
