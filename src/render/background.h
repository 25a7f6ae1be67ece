// The tile background: the floor composed from 8 x 8 tiles into
// `background` and kept up to date as the level scrolls diagonally, one
// pixel left and half a pixel down per scroll unit.
#pragma once

#include "world/scroll.h"

struct BITMAP;
struct enemy_type;

constexpr int TILE_SIZE = 8;
constexpr int TILESET_COLUMNS = 32;  // tiles per row of the sheet
constexpr int TILESET_TILES = 1792;

// The tile background is composed here, (screen width + 32) x (screen
// height + 16).
extern BITMAP *background;
// The tile sheet drawn from: the sheet in kestal.dat itself, or a copy of
// it in video memory or, in modes above 8 bits, in the screen's depth.
extern BITMAP *tileset;

// tiles[n]: the 8 x 8 sub-bitmap of `tileset` for tile number n.
extern BITMAP *tiles[TILESET_TILES];

extern int last_scroll_x;  // the step `background` was last brought up to
// How far `background` is up to date for the current step: 1 shifted,
// 3 top row and second-last column drawn, 4 complete.
extern int blits_done;

void init_tileset();
// Drops the tile sub-bitmaps; called before their sheet is destroyed.
void release_tiles();
void draw_tile2(int tx, int ty);
// One tick of the scroll: finishes the strips of the step still shown, lets
// the world's scroll advance (world/scroll.h), then shifts the floor.
void scroll_background2(float x);
void draw_all_background();

// The bitmaps of a mode: the background, the working tile set and the
// video copies of the kinds' sprites. Registered with display, which makes
// them after and releases them before every change of mode.
void make_game_video_bitmaps();
void destroy_game_video_bitmaps();
// Copies a kind's sprite into its video copy, converted in the palette now
// set; false when the kind has no video copy.
bool copy_video_sprite(const enemy_type *k);
// Converts the sheet into the working copy again, in the palette now set;
// nothing to do when the sheet itself is drawn from.
void refresh_tileset();
