// The high score file: whatever it holds, the table loads sorted with
// names of letters, and saving it and loading it again gives it back.
#include <allegro.h>

#include <cstring>

#include "frontend/hiscore.h"
#include "fuzz_support.h"

namespace {

bool sound_name(const char *name) {
  if (name[HI_NAME_LETTERS] != '\0') return false;
  for (int i = 0; i < HI_NAME_LETTERS && name[i]; i++) {
    const char c = name[i];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  write_fuzz_file(HI_SCORE_FILE, data, size);
  init_high_score_table();
  for (int i = 0; i < HI_SCORE_LINES; i++) {
    const hi_score &h = hi_score_table[i];
    fuzz_check(h.score >= 0, "score");
    fuzz_check(i == 0 || hi_score_table[i - 1].score >= h.score, "order");
    fuzz_check(sound_name(h.name), "name");
    fuzz_check(h.round >= 0 && h.round <= 255 && h.stage >= 0 && h.stage <= 255, "round, stage");
  }
  fuzz_check(top_score == hi_score_table[0].score || hi_score_table[0].score == 0, "top score");

  hi_score loaded[HI_SCORE_LINES];
  std::memcpy(loaded, hi_score_table, sizeof loaded);
  save_high_score_table();
  init_high_score_table();
  for (int i = 0; i < HI_SCORE_LINES; i++) {
    fuzz_check(hi_score_table[i].score == loaded[i].score, "score round trip");
    fuzz_check(std::strcmp(hi_score_table[i].name, loaded[i].name) == 0, "name round trip");
    fuzz_check(hi_score_table[i].round == loaded[i].round, "round round trip");
    fuzz_check(hi_score_table[i].stage == loaded[i].stage, "stage round trip");
  }
  return 0;
}
