// A short note at the foot of the menus and the score table, shown for a
// few seconds: what became of a save the player asked for or that the game
// made on the player's behalf.
#pragma once

constexpr int NOTICE_TEXT_SIZE = 256;
constexpr float NOTICE_TICKS = 4 * 75.0f;  // four seconds of game time

extern char notice_line[2][NOTICE_TEXT_SIZE];  // a headline and its detail
extern float notice_until;                     // game time it goes away at

// Shows the two lines from now on for NOTICE_TICKS.
void post_notice(const char *headline, const char *detail);
// Draws the note over `dest` while it lasts.
void draw_notice(struct BITMAP *dest);

// Reports a save: on failure on standard error with the full path and the
// reason, and on screen; `what` names it ("settings", "high scores").
// A saved file is reported only when `say_where`.
void report_save(bool saved, const char *what, const char *path, int error, bool say_where);
