// The high score table screen over the demo: shown from the menu, and after
// a game whose score earns a line, with the name entered on it.
#pragma once

struct player;

// After a game: a score that earns a line opens the table to enter a name.
void hi_score_entry(player &p);
// "Hi Scores": the table without an entry.
void show_hi_score_table();
// Runs the table screen until it is left.
void hi_score_loop();
