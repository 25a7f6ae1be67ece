#include "fuzz_support.h"

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

void fuzz_start() {
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) abort();
  // Memory-backed when there is one: the save checks flush to the disk.
  char shm[] = "/dev/shm/borlin-fuzz-XXXXXX";
  char tmp[] = "/tmp/borlin-fuzz-XXXXXX";
  const char *dir = mkdtemp(shm);
  if (!dir) dir = mkdtemp(tmp);
  if (!dir || chdir(dir) != 0) abort();
}

namespace {

// The packfile signature of a file stored without compression, which the
// packed reader takes as it is: writing it is far quicker than packing.
constexpr unsigned char STORED_SIGNATURE[] = {'s', 'l', 'h', '.'};
static_assert(F_NOPACK_MAGIC == 0x736C682EL, "the stored form's signature");

void write_all(FILE *f, const void *bytes, size_t size) {
  if (size > 0 && fwrite(bytes, 1, size, f) != size) abort();
}

}  // namespace

void write_fuzz_file(const char *name, const uint8_t *data, size_t size) {
  FILE *f = fopen(name, "wb");
  if (!f) abort();
  if (size > 0 && (data[0] & 1) == 0) {
    write_all(f, STORED_SIGNATURE, sizeof STORED_SIGNATURE);
    write_all(f, data + 1, size - 1);
  } else {
    write_all(f, data, size);
  }
  if (fclose(f) != 0) abort();
}

void fuzz_check(bool ok, const char *what) {
  if (ok) return;
  fprintf(stderr, "broken: %s\n", what);
  abort();
}
