#include "shell/lzss.h"

namespace {

// The packfile's LZSS ring: its size, the shortest match, where writing starts.
constexpr int RING_SIZE = 4096;
constexpr int MATCH_MIN = 3;
constexpr int RING_START = RING_SIZE - 18;

}  // namespace

bool lzss_unpack(const uint8_t *in, size_t size, std::vector<uint8_t> &out, size_t limit) {
  uint8_t ring[RING_SIZE] = {};
  int r = RING_START;
  size_t i = 0;
  out.clear();
  auto put = [&](uint8_t c) {
    out.push_back(c);
    ring[r] = c;
    r = (r + 1) & (RING_SIZE - 1);
  };
  while (i < size) {
    const unsigned flags = in[i++];
    for (int bit = 0; bit < 8 && i < size; bit++) {
      if (flags & (1u << bit)) {
        put(in[i++]);
      } else {
        if (size - i < 2) return false;  // a match cut in half
        const int at = in[i] | (in[i + 1] & 0xF0) << 4;
        const int length = (in[i + 1] & 0x0F) + MATCH_MIN;
        i += 2;
        for (int k = 0; k < length; k++) {
          // The library leaves the window from RING_START on unset until
          // written: what it would read there is whatever memory held.
          const int from = (at + k) & (RING_SIZE - 1);
          if (from >= RING_START && out.size() <= size_t(from - RING_START)) return false;
          put(ring[from]);
        }
      }
      if (out.size() > limit) return false;
    }
  }
  return true;
}
