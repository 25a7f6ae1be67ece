#include "world/position.h"

#include <allegro.h>

#include "display/gfx.h"
#include "world/state.h"
#include "world/map_data.h"

namespace {

constexpr double POSITIONS_PER_SCROLL_UNIT = 0.125;

// The ground of the fortresses, in map positions; from stretch 7 on the
// whole strip is ground.
constexpr int GROUND1_FIRST = 11, GROUND1_LAST = 454;
constexpr int GROUND2_FIRST = 593, GROUND2_LAST = 1199;
constexpr int ALL_GROUND_FROM_STRETCH = 7;

// Each fortress: its positions and the stretch (or first stretch) it is
// played in.
struct fortress_span {
  int first, last, stretch;
  bool from_stretch_on;
};
constexpr fortress_span fortresses[] = {
    {39, 421, 1, false},
    {633, 1199, 5, false},
    {1173, 1622, 7, false},
    {1691, 2265, 8, true},
};

}  // namespace

int get_mappos(int x, int y, int alt) {
  const int half = (SCREEN_H + x) / 2;
  const int p =
      static_cast<int>((half + scrollpos - (y + alt - ystart)) * POSITIONS_PER_SCROLL_UNIT);
  return fold_map_position(p);
}

int over_ground_at_pos(int pos) {
  if (pos >= GROUND1_FIRST && pos <= GROUND1_LAST) return -1;
  if (pos >= GROUND2_FIRST && pos <= GROUND2_LAST) return -1;
  if (range_index >= ALL_GROUND_FROM_STRETCH) return -1;
  return 0;
}

int inside_fortress_at_pos(int pos) {
  int number = 1;
  for (const fortress_span &f : fortresses) {
    const bool stretch = f.from_stretch_on ? range_index >= f.stretch : range_index == f.stretch;
    if (pos >= f.first && pos <= f.last && stretch) return number;
    number++;
  }
  return 0;
}
