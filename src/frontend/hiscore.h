// The high score table: the ten best games, their file, and the rules of
// entering a name. The table screen's loop runs these once a frame.
#pragma once

#include "world/state.h"

struct BITMAP;

constexpr int HI_SCORE_LINES = 10;
constexpr int HI_NAME_LETTERS = 3;
constexpr const char *HI_SCORE_FILE = "hi.dat";

// One line of the table, laid out like the player record it copies.
struct hi_score {
  int score;     // 0 marks an empty line
  char name[4];  // up to 3 letters and a terminator
  int round;
  int stage;
  int cheated;   // -1 when a cheat code was used; not saved
  int lives;     // copied from the player, not used here
  int spare[2];
};
static_assert(sizeof(hi_score) == sizeof(player), "a table line copies a player record");

extern hi_score hi_score_table[HI_SCORE_LINES];  // best first
extern int total_scores;  // leading lines with a score, counted when the screen opens
extern int enter_name;    // the line whose name is being entered, -1 when none
extern char *letter_ptr;  // the letter of that name under the cursor
// The screen's key-repeat latch: an action happens once per press.
extern int hi_released;

// The file: ten 7-byte records (score's low word, three name bytes, round
// and stage bytes), then a trailer: HI_TRAILER_SIGNATURE and the score's
// high words. Readers of the bare records ignore the trailer.
constexpr int HI_RECORD_BYTES = 7;
constexpr char HI_TRAILER_SIGNATURE[] = "BHS1";
constexpr int HI_TRAILER_SIGNATURE_BYTES = 4;
constexpr int MAX_HI_SCORE_HIGH_WORD = 0x7fff;  // keeps a score a positive int

void default_high_score_table();
// The default table, then the file.
void init_high_score_table();
// Reads `hi.dat` when there is one and sets top_score from line 0.
void load_high_score_table();
// Reads the lines of `name` over the table; false when it does not open.
bool read_high_score_file(const char *name);
// Reads the lines of `name` into `table`, best first; false when it does
// not open.
bool read_high_score_lines(const char *name, hi_score table[HI_SCORE_LINES]);
// Whether two lines hold the same game, as far as the file tells.
bool same_saved_line(const hi_score &a, const hi_score &b);
// Takes in the lines of `name` that the table lacks (another copy of the
// game saved them) and keeps the best ten; the line being entered follows.
void merge_high_score_file(const char *name);
// Before a score enters the table: what other copies saved since.
void refresh_high_score_table();
// Under a lock on its folder, merges the file and writes the table safely;
// says so when it cannot.
void save_high_score_table();

// The line the player's score earns (strictly greater than the line's),
// with the lines below shifted down and the name "A" under the cursor;
// -1 when the score earns none. Sets enter_name and letter_ptr.
int insert_high_score(const player &p);

// Lines from the top with a non-zero score.
int count_total_scores();
// Palette colour of line `line` when the table has `total` lines.
int hi_line_colour(int total, int line);
// What stands beside a line's rank: "*" after a cheat, else "".
const char *hi_cheat_mark(const hi_score &line);

// The lines' positions on a screen of any width W.
constexpr int HI_FIRST_LINE_Y = 150;
constexpr int HI_LINE_SPACING = 23;
constexpr int HI_RANK_CENTRE = -100;     // from W / 2
constexpr int HI_CHEAT_MARK_RIGHT = -120;
constexpr int HI_SCORE_RIGHT = 20;
constexpr int HI_NAME_LEFT = 50;
constexpr int HI_ICONS_LEFT = 122;       // icon j (1 to round) at W / 2 + 122 + 8 j
constexpr int HI_ICON_STEP = 8;
constexpr int HI_ICON_DROP = 4;
constexpr int HI_EMPTY_TEXT_Y = 200;
constexpr int HI_EMPTY_COLOUR = 28;

// The round marker at half size, made the first time it is asked for and
// kept (null without the data file).
BITMAP *hi_score_icon();
void destroy_hi_score_icon();
// The table as the screen shows it, over whatever `dest` holds: the
// lines counted in total_scores, or "No hi Scores" when line 0 is empty.
void draw_hi_score_lines(BITMAP *dest);

// The name entry, one rule each; all do nothing while no name is entered.
void place_letter_cursor();        // on the last letter, at most the third
void hi_type_letter(int c);        // sets the letter, moves on or completes
void hi_finish_name();             // saves the name as it is
void hi_letter_down();             // Left: one down, not below A / a
void hi_letter_up();               // Right: one up, not above Z / z
void hi_upper_case();              // Up
void hi_lower_case();              // Down
void hi_remove_letter();           // Backspace: never the first letter

// One input step of the table screen: 0 to stay, -1 to leave.
int do_hi_io();
// The function keys F1 to F5 act as in the menus; the menus set this to
// their handler (it takes the KEY_F* code). Until then they do nothing.
extern void (*hi_function_key)(int key_code);
