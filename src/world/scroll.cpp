#include "world/scroll.h"

#include "world/map_data.h"
#include "world/state.h"

int scrolled_x = 0;
int scrolled_y = 0;
void (*start_next_round)() = nullptr;

namespace {

int stretch_last(int s) { return logic_map[2 * s + 1]; }
int stretch_first(int s) { return logic_map[2 * s]; }

}  // namespace

void place_scroll(int stretch, float pos) {
  range_index = stretch;
  const float first = static_cast<float>(stretch_start(stretch));
  scrollpos = pos < first ? first : pos;
}

void hold_scroll_at(float pos) { scrollpos = pos; }

void align_scroll_steps() {
  scroll_x = static_cast<int>(scrollpos) / SCROLL_STEP;
  scroll_offset = static_cast<int>(scrollpos) & (SCROLL_STEP - 1);
}

void settle_scroll() {
  scrollpos = static_cast<float>(static_cast<int>(scrollpos) & ~1);
  logicpos = 0;
}

bool advance_scroll(float x) {
  float newpos = scrollpos + x;
  int i = static_cast<int>(newpos);
  int sx = i / SCROLL_STEP;
  scroll_offset = i & (SCROLL_STEP - 1);
  bool new_round = false;

  if (2 * sx > stretch_last(range_index)) {
    range_index++;
    if (range_index > LAST_STRETCH) {
      range_index = 0;
      current_player->round++;
      if (start_next_round) start_next_round();
      sx = scroll_x;
      newpos = scrollpos;
      new_round = true;
    } else {
      newpos += 8 * (stretch_first(range_index) - stretch_last(range_index - 1));
      i = static_cast<int>(newpos);
      sx = i / SCROLL_STEP;
      scroll_offset = i & (SCROLL_STEP - 1);
    }
  }

  // The pixel counts follow the raw advance, not a stretch jump, so
  // things moving with the floor move smoothly across it.
  scroll_x = sx;
  scrolled_x = static_cast<int>(scrollpos + x) - static_cast<int>(scrollpos);
  logicpos += scrolled_x;
  scrolled_y = static_cast<int>((scrollpos + x) * 0.5f) - static_cast<int>(scrollpos * 0.5f);
  scrollpos = newpos;
  return new_round;
}
