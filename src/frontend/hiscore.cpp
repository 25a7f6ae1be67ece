#include "frontend/hiscore.h"

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "display/frame.h"
#include "frontend/notice.h"
#include "render/captions.h"
#include "platform/input.h"
#include "shell/datafile_index.h"
#include "shell/packed_file.h"
#include "shell/paths.h"
#include "shell/safe_save.h"
#include "shell/shell.h"

hi_score hi_score_table[HI_SCORE_LINES];
int total_scores = 0;
int enter_name = -1;
char *letter_ptr = nullptr;
int hi_released = 0;
void (*hi_function_key)(int key_code) = nullptr;

namespace {

constexpr int LOW_WORD = 0xffff;
constexpr int LAST_LETTER = HI_NAME_LETTERS - 1;
constexpr int LOWEST_COLOUR = 4;
constexpr int FUNCTION_KEYS[] = {KEY_F1, KEY_F2, KEY_F3, KEY_F4, KEY_F5};

hi_score empty_line() { return hi_score{0, "", 1, 0, 0, 0, {0, 0}}; }

bool better_score(const hi_score &a, const hi_score &b) { return a.score > b.score; }

bool is_letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool write_high_scores(PACKFILE *f) {
  bool ok = true;
  for (const hi_score &h : hi_score_table) {
    ok = ok && pack_iputw(h.score & LOW_WORD, f) != EOF;
    // Nothing after the terminator: the bytes past it are 0.
    bool ended = false;
    for (int i = 0; i < HI_NAME_LETTERS; i++) {
      ended = ended || h.name[i] == '\0';
      ok = ok && pack_putc(ended ? 0 : static_cast<unsigned char>(h.name[i]), f) != EOF;
    }
    ok = ok && pack_putc(h.round & 255, f) != EOF;
    ok = ok && pack_putc(h.stage & 255, f) != EOF;
  }
  for (int i = 0; i < HI_TRAILER_SIGNATURE_BYTES; i++)
    ok = ok && pack_putc(HI_TRAILER_SIGNATURE[i], f) != EOF;
  for (const hi_score &h : hi_score_table)
    ok = ok && pack_iputw((std::max(h.score, 0) >> 16) & LOW_WORD, f) != EOF;
  return ok;
}

// The trailer's high words, when the file has a whole and sound one.
bool read_trailer(PACKFILE *f, int high[HI_SCORE_LINES]) {
  for (int i = 0; i < HI_TRAILER_SIGNATURE_BYTES; i++)
    if (pack_getc(f) != HI_TRAILER_SIGNATURE[i]) return false;
  for (int i = 0; i < HI_SCORE_LINES; i++) {
    high[i] = pack_igetw(f);
    if (high[i] < 0 || high[i] > MAX_HI_SCORE_HIGH_WORD) return false;
  }
  return true;
}

// A line read as it is, or false when the file ends inside it.
bool read_line(PACKFILE *f, hi_score &h) {
  const int score = pack_igetw(f);
  int name[HI_NAME_LETTERS];
  for (int &c : name) c = pack_getc(f);
  const int round = pack_getc(f);
  const int stage = pack_getc(f);
  if (score < 0 || stage < 0 || round < 0 || name[0] < 0 || name[1] < 0 || name[2] < 0)
    return false;
  h.score = score;
  // A name is letters; anything else ends it.
  std::memset(h.name, 0, sizeof h.name);
  for (int i = 0; i < HI_NAME_LETTERS && is_letter(name[i]); i++) h.name[i] = static_cast<char>(name[i]);
  h.round = round;
  h.stage = stage;
  return true;
}

bool entering() { return enter_name >= 0 && enter_name < HI_SCORE_LINES; }

// Outlined like the menus' captions, ending at x = `right`.
void outlined_text_right(BITMAP *dest, const char *text, int right, int y, int c) {
  outlined_text(dest, text, right - caption_width(text), y, c);
}

BITMAP *icon = nullptr;

}  // namespace

BITMAP *hi_score_icon() {
  if (icon || !data) return icon;
  BITMAP *marker = datafile_bitmap(data, KESTAL_ROUND_MARKER);
  const int depth = get_color_depth();
  set_color_depth(8);
  icon = create_bitmap(marker->w / 2, marker->h / 2);
  set_color_depth(depth);
  if (icon) stretch_blit(marker, icon, 0, 0, marker->w, marker->h, 0, 0, icon->w, icon->h);
  return icon;
}

void destroy_hi_score_icon() {
  if (icon) destroy_bitmap(icon);
  icon = nullptr;
}

void draw_hi_score_lines(BITMAP *dest) {
  const int mid = dest->w / 2;
  if (hi_score_table[0].score == 0) {
    const char *text = "No hi Scores";
    outlined_text(dest, text, (dest->w - caption_width(text)) / 2, HI_EMPTY_TEXT_Y, HI_EMPTY_COLOUR);
    return;
  }
  BITMAP *marker = hi_score_icon();
  char text[16];
  for (int i = 0; i < HI_SCORE_LINES && hi_score_table[i].score != 0; i++) {
    const hi_score &h = hi_score_table[i];
    const int y = HI_FIRST_LINE_Y + HI_LINE_SPACING * i;
    const int c = hi_line_colour(total_scores, i);
    snprintf(text, sizeof text, "%d", i + 1);
    outlined_text(dest, text, mid + HI_RANK_CENTRE - caption_width(text) / 2, y, c);
    if (*hi_cheat_mark(h)) outlined_text_right(dest, hi_cheat_mark(h), mid + HI_CHEAT_MARK_RIGHT, y, c);
    snprintf(text, sizeof text, "%7d", h.score);
    outlined_text_right(dest, text, mid + HI_SCORE_RIGHT, y, c);
    // The name being entered cycles through colours 16 to 31.
    const int name_colour = i == enter_name ? 16 + (static_cast<int>(game_time) & 15) : c;
    outlined_text(dest, h.name, mid + HI_NAME_LEFT, y, name_colour);
    for (int j = 1; marker && j <= h.round; j++)
      draw_sprite(dest, marker, mid + HI_ICONS_LEFT + HI_ICON_STEP * j, y + HI_ICON_DROP);
  }
}

void default_high_score_table() {
  for (hi_score &h : hi_score_table) h = empty_line();
}

void init_high_score_table() {
  default_high_score_table();
  load_high_score_table();
}

bool read_high_score_lines(const char *name, hi_score table[HI_SCORE_LINES]) {
  PACKFILE *f = open_packed_file(name);
  if (!f) return false;
  int lines = 0;
  // A file cut short keeps the defaults from the first line it cuts.
  while (lines < HI_SCORE_LINES && read_line(f, table[lines])) lines++;
  int high[HI_SCORE_LINES];
  if (lines == HI_SCORE_LINES && read_trailer(f, high))
    for (int i = 0; i < HI_SCORE_LINES; i++) table[i].score |= high[i] << 16;
  pack_fclose(f);
  // A file from before the trailer may hold cut scores out of order; the
  // entry rules need the best first.
  std::stable_sort(table, table + HI_SCORE_LINES, better_score);
  // A line without a score is shown as blank and a merge drops it: keep it
  // blank here too, so what is loaded is what a save writes back.
  for (int i = 0; i < HI_SCORE_LINES; i++)
    if (table[i].score == 0) table[i] = empty_line();
  return true;
}

bool read_high_score_file(const char *name) { return read_high_score_lines(name, hi_score_table); }

void load_high_score_table() {
  if (read_high_score_file(load_path(HI_SCORE_FILE).c_str())) set_top_score(hi_score_table[0].score);
}

bool same_saved_line(const hi_score &a, const hi_score &b) {
  return a.score == b.score && std::strncmp(a.name, b.name, HI_NAME_LETTERS) == 0 &&
         (a.round & 255) == (b.round & 255) && (a.stage & 255) == (b.stage & 255);
}

void merge_high_score_file(const char *name) {
  hi_score from_file[HI_SCORE_LINES];
  for (hi_score &h : from_file) h = empty_line();
  if (!read_high_score_lines(name, from_file)) return;
  struct merged_line {
    hi_score line;
    bool entered;  // the line whose name is being entered
  };
  merged_line merged[2 * HI_SCORE_LINES];
  int count = 0;
  for (const hi_score &h : from_file)
    if (h.score != 0) merged[count++] = {h, false};
  const int file_lines = count;
  bool matched[HI_SCORE_LINES] = {};
  for (int k = 0; k < HI_SCORE_LINES; k++) {
    const hi_score &h = hi_score_table[k];
    if (h.score == 0) continue;
    const bool entered = entering() && k == enter_name;
    // Each line of the file stands for one line of ours at most: the same
    // game twice in one run is two lines.
    int i = 0;
    while (i < file_lines && (entered || matched[i] || !same_saved_line(merged[i].line, h))) i++;
    if (i < file_lines) {
      matched[i] = true;
      merged[i].line.cheated = h.cheated;  // the file does not keep the mark
    } else {
      merged[count++] = {h, entered};
    }
  }
  // The file's lines first: a new line does not pass an equal score.
  std::stable_sort(merged, merged + count, [](const merged_line &a, const merged_line &b) {
    return better_score(a.line, b.line);
  });
  const int offset = entering() ? static_cast<int>(letter_ptr - hi_score_table[enter_name].name) : 0;
  if (entering()) {
    enter_name = -1;  // unless it is still in the table
    letter_ptr = nullptr;
  }
  for (int i = 0; i < HI_SCORE_LINES; i++) {
    hi_score_table[i] = i < count ? merged[i].line : empty_line();
    if (i < count && merged[i].entered) {
      enter_name = i;
      letter_ptr = hi_score_table[i].name + offset;
    }
  }
}

void refresh_high_score_table() {
  const std::string path = load_path(HI_SCORE_FILE);
  folder_lock lock(path.c_str());
  merge_high_score_file(path.c_str());
  set_top_score(std::max(top_score, hi_score_table[0].score));
}

void save_high_score_table() {
  const std::string path = save_path(HI_SCORE_FILE);
  // Another copy of the game may have saved since we read the file: take
  // its lines in, and let no copy save between our read and our write.
  folder_lock lock(path.c_str());
  merge_high_score_file(path.c_str());
  const bool saved = safe_save(path.c_str(), write_high_scores);
  report_save(saved, "high scores", path.c_str(), errno, false);
}

int insert_high_score(const player &p) {
  enter_name = -1;
  int line = 0;
  while (line < HI_SCORE_LINES && hi_score_table[line].score >= p.score) line++;
  if (line == HI_SCORE_LINES) return -1;
  for (int i = HI_SCORE_LINES - 1; i > line; i--) hi_score_table[i] = hi_score_table[i - 1];
  hi_score &h = hi_score_table[line];
  h.score = p.score;
  h.round = p.round;
  h.stage = p.stage;
  h.cheated = p.cheated;
  h.lives = p.lives;
  h.spare[0] = p.spare[0];
  h.spare[1] = p.spare[1];
  std::memset(h.name, 0, sizeof h.name);
  h.name[0] = 'A';
  enter_name = line;
  // The cursor must be on the new line before the first key is read.
  letter_ptr = &h.name[0];
  // A key still held from the game does not count as the first press.
  hi_released = 0;
  return line;
}

int count_total_scores() {
  int n = 0;
  while (n < HI_SCORE_LINES && hi_score_table[n].score != 0) n++;
  return n;
}

int hi_line_colour(int total, int line) {
  int c;
  if (total <= 2)
    c = 29 - 6 * line;
  else if (total == 3)
    c = 29 - 3 * line;
  else if (total == 4)
    c = 29 - 2 * line;
  else if (total == 5)
    c = 30 - 2 * line;
  else if (total == 6)
    c = static_cast<int>(30 - 1.5f * line);
  else if (total <= 8)
    c = 30 - line;
  else
    c = 31 - line;
  return c < LOWEST_COLOUR ? LOWEST_COLOUR : c;
}

const char *hi_cheat_mark(const hi_score &line) { return line.cheated == -1 ? "*" : ""; }

void place_letter_cursor() {
  if (!entering()) return;
  char *name = hi_score_table[enter_name].name;
  int i = 0;
  while (i < LAST_LETTER && name[i + 1] != '\0') i++;
  letter_ptr = &name[i];
}

void hi_finish_name() {
  if (!entering()) return;
  save_high_score_table();
  enter_name = -1;
  letter_ptr = nullptr;
}

void hi_type_letter(int c) {
  if (!entering()) return;
  place_letter_cursor();
  *letter_ptr = static_cast<char>(c);
  if (letter_ptr - hi_score_table[enter_name].name == LAST_LETTER) {
    hi_finish_name();
    return;
  }
  letter_ptr++;
  letter_ptr[0] = 'A';
  letter_ptr[1] = '\0';
}

void hi_letter_down() {
  if (!entering()) return;
  place_letter_cursor();
  char &c = *letter_ptr;
  if ((c > 'A' && c <= 'Z') || (c > 'a' && c <= 'z')) c--;
}

void hi_letter_up() {
  if (!entering()) return;
  place_letter_cursor();
  char &c = *letter_ptr;
  if ((c >= 'A' && c < 'Z') || (c >= 'a' && c < 'z')) c++;
}

void hi_upper_case() {
  if (!entering()) return;
  place_letter_cursor();
  if (*letter_ptr >= 'a' && *letter_ptr <= 'z') *letter_ptr += 'A' - 'a';
}

void hi_lower_case() {
  if (!entering()) return;
  place_letter_cursor();
  if (*letter_ptr >= 'A' && *letter_ptr <= 'Z') *letter_ptr += 'a' - 'A';
}

void hi_remove_letter() {
  if (!entering()) return;
  place_letter_cursor();
  if (letter_ptr == hi_score_table[enter_name].name) return;
  *letter_ptr = '\0';
  letter_ptr--;
}

int do_hi_io() {
  poll_stick();
  if (keypressed()) {
    const int c = readkey() & 255;
    if (entering() && is_letter(c)) hi_type_letter(c);
  }
  place_letter_cursor();

  for (int k : FUNCTION_KEYS) {
    if (!key[k]) continue;
    if (take_press(hi_released) && hi_function_key) hi_function_key(k);
    return 0;
  }
  if (key[KEY_ESC]) return take_press(hi_released) ? -1 : 0;
  if (key[KEY_LEFT] || key[KEY_4_PAD] || stick_left()) {
    if (take_press(hi_released)) hi_letter_down();
    return 0;
  }
  if (key[KEY_RIGHT] || key[KEY_6_PAD] || stick_right()) {
    if (take_press(hi_released)) hi_letter_up();
    return 0;
  }
  if (key[KEY_UP] || key[KEY_8_PAD] || stick_up()) {
    if (take_press(hi_released)) hi_upper_case();
    return 0;
  }
  if (key[KEY_DOWN] || key[KEY_2_PAD] || stick_down()) {
    if (take_press(hi_released)) hi_lower_case();
    return 0;
  }
  if (key[KEY_ENTER]) {
    if (!take_press(hi_released)) return 0;
    if (!entering()) return -1;
    hi_finish_name();
    return 0;
  }
  if (key[KEY_SPACE] || key[KEY_LCONTROL] || stick_fire()) {
    if (!take_press(hi_released)) return 0;
    if (!entering()) return -1;
    hi_type_letter(*letter_ptr);
    return 0;
  }
  if (key[KEY_BACKSPACE] || key[KEY_DEL]) {
    if (take_press(hi_released)) hi_remove_letter();
    return 0;
  }
  hi_released = -1;
  return 0;
}
