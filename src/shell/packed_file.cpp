#include "shell/packed_file.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "shell/lzss.h"

namespace {

constexpr uint8_t PACKED_SIGNATURE[] = {'s', 'l', 'h', '!'};
constexpr size_t SIGNATURE_BYTES = sizeof PACKED_SIGNATURE;
static_assert(F_PACK_MAGIC == 0x736C6821L, "the compressed form's signature");

enum class file_read { ok, unreadable, too_big };

file_read read_whole_file(const char *name, std::vector<uint8_t> &bytes) {
  FILE *f = fopen(name, "rb");
  if (!f) return file_read::unreadable;
  uint8_t chunk[4096];
  size_t n;
  file_read result = file_read::ok;
  while (result == file_read::ok && (n = fread(chunk, 1, sizeof chunk, f)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (bytes.size() > PACKED_FILE_MAX_BYTES) result = file_read::too_big;
  }
  if (ferror(f)) result = file_read::unreadable;
  fclose(f);
  return result;
}

// Whether the packed stream of `name` is sound: it unpacks whole within
// the size limit. A file stored whole or not ours passes, for the library
// to judge.
bool packed_stream_is_sound(const char *name) {
  std::vector<uint8_t> bytes;
  switch (read_whole_file(name, bytes)) {
    case file_read::too_big:
      return false;
    case file_read::unreadable:
      return true;  // the library finds out and says no itself
    case file_read::ok:
      break;
  }
  if (bytes.size() < SIGNATURE_BYTES) return true;
  for (size_t i = 0; i < SIGNATURE_BYTES; i++)
    if (bytes[i] != PACKED_SIGNATURE[i]) return true;  // stored whole, or not ours
  std::vector<uint8_t> out;
  return lzss_unpack(bytes.data() + SIGNATURE_BYTES, bytes.size() - SIGNATURE_BYTES, out,
                     PACKED_FILE_MAX_BYTES);
}

}  // namespace

PACKFILE *open_packed_file(const char *name) {
  if (!packed_stream_is_sound(name)) return nullptr;
  return pack_fopen(name, F_READ_PACKED);
}
