// The one palette switch of the game: every change of palette during play
// goes through here, so the converted graphics follow it.
#pragma once

// my_set_pallete's modes: keep the picture (the background is redrawn in
// the new colours above 8 bits) or clear the drawing bitmaps.
constexpr int KEEP_PICTURE = -1;
constexpr int CLEAR_PICTURE = 0;

// Shows palette `palette` of borlin.dat and remembers it in current_pal.
// Nothing happens when it is already in force.
void my_set_pallete(int palette, int mode);
