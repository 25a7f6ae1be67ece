// Contours, the sprite map and shadows. The sprite map is a height buffer
// anchored to the world under the visible area: it hides moving objects
// behind higher ones, answers every hit test and catches the shadows.
#pragma once

struct BITMAP;
struct enemy;

// The ring of columns: a screen may be at most 800 pixels wide, plus the
// 32 columns the floor reaches beyond its right edge.
constexpr int SPRITEMAP_COLUMNS = 832;
constexpr int SPRITEMAP_ROWS = 410;
constexpr int SPRITEMAP_MAX_SCREEN_W = SPRITEMAP_COLUMNS - 32;
// Slot 0 is never handed out; cells written with it read as enemy 0.
constexpr int SPRITEMAP_SLOTS = 256;
constexpr int MAX_HEIGHT = 255;

// Each cell: height in the low byte (0 = empty), owner slot in the high.
extern unsigned short spritemap[SPRITEMAP_COLUMNS][SPRITEMAP_ROWS];
// slot -> enemy_map index of the enemy whose cells carry that slot.
extern int sprite_index[SPRITEMAP_SLOTS];

// The map cell under screen point (sx, sy): false when the point is off
// the ring (0 <= sx < big_screen_w) or its row is outside 0..409.
bool spritemap_cell(int sx, int sy, int &column, int &row);

// The slot of an enemy: the one it holds, or a free one (none: 0).
int get_index(int enemy);

// Enters a contour standing at screen (x, y), heights above alt.
void draw_sprite_to_spritemap(BITMAP *contour, int x, int y, int alt, int enemy);
// Enters the contour at its new place and erases the enemy's old cells.
void move_sprite_on_spritemap(BITMAP *contour, int x, int y, int alt, int enemy);
// The same, and draws the sprite's pixels that nothing higher hides.
void move_sprite_with_contour(BITMAP *sprite, BITMAP *contour, int x, int y, int alt, int enemy);
// Draws the sprite's pixels where the map is no higher than alt.
void draw_sprite_if_above(BITMAP *sprite, int x, int y, int alt);
// Erases the cells an enemy entered last.
void clear_last_sprite(enemy *e);

// Reads the cell under screen point (x, y): height 0 and enemy -1 off the
// screen or the map.
void getcontour(int x, int y, int *height, int *enemy);
// The enemy standing at (x, y) at least as high as alt, or -1.
int detect_sprite_in_front(int x, int y, int alt);
// The enemy hit at (x, y) at altitude alt (within its kind's depth under
// the surface), 0 for the ground, or -1.
int detect_sprite_with_width(int x, int y, int alt);

// Frees the columns that scrolled off on the left in this tick.
void clear_scrolled_spritemap();
// Empties the whole map for a new position, so the ground objects enter
// their contours again; leaves with a message on a screen too wide for it.
void clear_contours();

// Casts the shadow's pixels down onto the surfaces of the map, darkening
// the frame where a ray from `alt` above meets one.
void draw_fancy_shadow(BITMAP *shadow, int x, int y, int alt);

// Shows the map's heights (show3dmap 1) or slots (2) over the frame.
void draw_spritemap();

// Puts one pixel of a sprite into the frame: an 8-bit sprite's pixel is a
// palette index, a truecolour sprite's is already a colour. False (nothing
// drawn) for a transparent pixel.
bool put_sprite_pixel(BITMAP *dest, BITMAP *sprite, int i, int j, int x, int y);
