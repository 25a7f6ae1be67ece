#include "script.h"
#include "display/frame.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int MAX_LINE = 512;
constexpr int MAX_WORD = 32;
constexpr int MAX_WORDS = 80;
constexpr int MIN_SIDE = 64;
constexpr int MAX_SIDE = 2048;

struct named_key {
  const char *name;
  int scancode;
};
constexpr named_key NAMED_KEYS[] = {
    {"LEFT", KEY_LEFT},   {"RIGHT", KEY_RIGHT}, {"UP", KEY_UP},     {"DOWN", KEY_DOWN},
    {"SPACE", KEY_SPACE}, {"LCONTROL", KEY_LCONTROL}, {"ESC", KEY_ESC},
    {"F1", KEY_F1},       {"F2", KEY_F2},       {"F3", KEY_F3},     {"F4", KEY_F4},
    {"PAD2", KEY_2_PAD},  {"PAD4", KEY_4_PAD},  {"PAD6", KEY_6_PAD}, {"PAD8", KEY_8_PAD},
};

bool whole_number(const char *s, long &out) {
  if (!*s) return false;
  char *end = nullptr;
  out = strtol(s, &end, 10);
  return *end == '\0';
}

// Splits a line at blanks; a '#' ends it. Returns the number of words, or
// -1 when there are too many or one is too long.
int split(char *line, char (&words)[MAX_WORDS][MAX_WORD]) {
  if (char *hash = strchr(line, '#')) *hash = '\0';
  int n = 0;
  for (char *w = strtok(line, " \t\r\n"); w; w = strtok(nullptr, " \t\r\n")) {
    if (n == MAX_WORDS || strlen(w) >= MAX_WORD) return -1;
    strcpy(words[n++], w);
  }
  return n;
}

bool fail(char (&error)[MAX_SCRIPT_ERROR], int line, const char *what, const char *word) {
  snprintf(error, MAX_SCRIPT_ERROR, "line %d: %s%s%s", line, what, *word ? ": " : "", word);
  return false;
}

}  // namespace

int key_by_name(const char *name) {
  for (const named_key &k : NAMED_KEYS)
    if (!strcmp(name, k.name)) return k.scancode;
  if (strlen(name) != 1) return -1;
  const char c = name[0];
  if (c >= 'A' && c <= 'Z' && c != 'P') return KEY_A + (c - 'A');
  if (c >= '0' && c <= '9') return KEY_0 + (c - '0');
  return -1;
}

int frame_length(const replay_script &script, long i) {
  return script.frame_lengths[i % script.frame_length_count];
}

bool parse_script(const char *text, replay_script &script, char (&error)[MAX_SCRIPT_ERROR]) {
  script = replay_script{};
  bool have_seed = false, have_frames = false, have_mode = false, have_start = false;
  long last_at = 0;
  int line_no = 0;
  for (const char *p = text; *p;) {
    const char *eol = strchr(p, '\n');
    const size_t len = eol ? static_cast<size_t>(eol - p) : strlen(p);
    line_no++;
    if (len >= MAX_LINE) return fail(error, line_no, "line too long", "");
    char line[MAX_LINE];
    memcpy(line, p, len);
    line[len] = '\0';
    p += len + (eol ? 1 : 0);

    char words[MAX_WORDS][MAX_WORD];
    const int n = split(line, words);
    if (n < 0) return fail(error, line_no, "too many or too long words", "");
    if (n == 0) continue;
    const char *cmd = words[0];
    long v[MAX_WORDS] = {};
    // Every word after the command is a whole number, except in "start" and "at".
    const bool numeric = strcmp(cmd, "start") && strcmp(cmd, "at");
    for (int i = 1; i < n && numeric; i++)
      if (!whole_number(words[i], v[i]) || v[i] < 0) return fail(error, line_no, "not a number", words[i]);

    if (!strcmp(cmd, "seed") && n == 2) {
      script.seed = static_cast<unsigned int>(v[1]);
      have_seed = true;
    } else if (!strcmp(cmd, "mode") && n == 4) {
      if (v[1] < MIN_SIDE || v[1] > MAX_SIDE || v[2] < MIN_SIDE || v[2] > MAX_SIDE)
        return fail(error, line_no, "screen size out of range", "");
      if (v[3] != 8 && v[3] != 15 && v[3] != 16 && v[3] != 24 && v[3] != 32)
        return fail(error, line_no, "no such colour depth", words[3]);
      script.w = static_cast<int>(v[1]);
      script.h = static_cast<int>(v[2]);
      script.depth = static_cast<int>(v[3]);
      have_mode = true;
    } else if (!strcmp(cmd, "hz") && n == 2) {
      if (v[1] < 1 || v[1] > 1000) return fail(error, line_no, "refresh rate out of range", words[1]);
      script.hz = static_cast<int>(v[1]);
    } else if (!strcmp(cmd, "frame") && n >= 2) {
      if (n - 1 > MAX_FRAME_LENGTHS) return fail(error, line_no, "too many frame lengths", "");
      for (int i = 1; i < n; i++) {
        if (v[i] < 1 || v[i] > 100000) return fail(error, line_no, "frame length out of range", words[i]);
        script.frame_lengths[i - 1] = static_cast<int>(v[i]);
      }
      script.frame_length_count = n - 1;
    } else if (!strcmp(cmd, "start") && n == 2) {
      if (!strcmp(words[1], "game"))
        script.start = START_GAME;
      else if (!strcmp(words[1], "demo"))
        script.start = START_DEMO;
      else
        return fail(error, line_no, "start is game or demo", words[1]);
      have_start = true;
    } else if (!strcmp(cmd, "frames") && n == 2) {
      script.frames = v[1];
      have_frames = true;
    } else if (!strcmp(cmd, "at") && n >= 3) {
      long frame = 0;
      if (!whole_number(words[1], frame) || frame < 0) return fail(error, line_no, "not a frame", words[1]);
      // Changes in frame order: the runner walks them once.
      if (frame < last_at) return fail(error, line_no, "frames must not go back", words[1]);
      last_at = frame;
      for (int i = 2; i < n; i++) {
        const char *w = words[i];
        int change = KEY_CHANGE_TAP;
        if (*w == '+' || *w == '-') change = *w++ == '+' ? KEY_CHANGE_DOWN : KEY_CHANGE_UP;
        const int code = key_by_name(w);
        if (code < 0) return fail(error, line_no, "no such key", words[i]);
        if (script.change_count == MAX_KEY_CHANGES) return fail(error, line_no, "too many key changes", "");
        script.changes[script.change_count++] = {frame, code, change};
      }
    } else {
      return fail(error, line_no, "not understood", cmd);
    }
  }
  if (!have_seed || !have_mode || !have_start || !have_frames || script.frame_length_count == 0)
    return fail(error, line_no, "a script needs seed, mode, frame, start and frames", "");
  return true;
}
