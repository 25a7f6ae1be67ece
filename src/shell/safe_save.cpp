#include "shell/safe_save.h"

#include <allegro.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int TEMP_NAME_SIZE = 1024;

// The data must be on the disk before the rename makes it the file, or a
// power cut could leave an empty file under the real name.
bool flush_to_disk(const char *name) {
  int fd = open(name, O_RDONLY);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

}  // namespace

void safe_save_temp_name(const char *name, char *buffer, int size) {
  snprintf(buffer, size, "%s.new", name);
}

bool safe_save(const char *name, save_writer writer) {
  char temp[TEMP_NAME_SIZE];
  if (strlen(name) + SAFE_SAVE_SUFFIX_LENGTH >= sizeof temp) return false;
  safe_save_temp_name(name, temp, sizeof temp);

  PACKFILE *f = pack_fopen(temp, F_WRITE_PACKED);
  if (!f) return false;
  bool ok = writer(f);
  ok = pack_ferror(f) == 0 && ok;
  // Closing compresses and writes what is still buffered: its errors
  // count as much as those of the writes.
  ok = pack_fclose(f) == 0 && ok;
  ok = ok && flush_to_disk(temp);
  ok = ok && rename(temp, name) == 0;
  if (!ok) remove(temp);
  return ok;
}
