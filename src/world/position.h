// Where a screen point lies on the level: its map position, and whether
// that position is over fortress ground or inside a fortress. All of them
// read the stretch being played (range_index).
#pragma once

// Map position (folded into the stretch being played) under the screen
// point (x, y) at altitude alt.
int get_mappos(int x, int y, int alt);

// -1 when map position pos is over fortress ground, else 0.
int over_ground_at_pos(int pos);

// The fortress, 1 to 4, that map position pos lies in, or 0.
int inside_fortress_at_pos(int pos);
