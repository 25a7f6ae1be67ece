// The high score table screen over the demo: shown from the menu, and after
// a game whose score earns a line, with the name entered on it.
#pragma once

struct BITMAP;
struct player;

// Where the lines stand.
constexpr int HI_FIRST_LINE_Y = 150;
constexpr int HI_LINE_HEIGHT = 23;
constexpr int HI_RANK_FROM_CENTRE = -100;  // rank centred here
constexpr int HI_CHEAT_FROM_CENTRE = -120; // "*" ends here
constexpr int HI_SCORE_FROM_CENTRE = 20;   // score ends here
constexpr int HI_NAME_FROM_CENTRE = 50;    // name starts here
constexpr int HI_ICONS_FROM_CENTRE = 122;  // round icons, 8 apart after this
constexpr int HI_ICON_SPACING = 8;
constexpr int HI_ICON_DROP = 4;
constexpr int HI_EMPTY_Y = 200;
constexpr int HI_EMPTY_COLOUR = 28;
constexpr int HI_NAME_COLOURS = 16;  // the name being entered cycles 16..31

// The round marker at half size, one beside a line for each round it
// reached; made once for the whole run.
extern BITMAP *hi_icon;
void make_hi_icon();
void destroy_hi_score_icon();

// After a game: a score that earns a line opens the table to enter a name.
void hi_score_entry(player &p);
// "Hi Scores": the table without an entry.
void show_hi_score_table();
// Runs the table screen until it is left.
void hi_score_loop();
// The lines (or "No hi Scores") over the current frame.
void draw_hi_score_lines();
