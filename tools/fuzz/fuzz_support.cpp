#include "fuzz_support.h"

#include <allegro.h>
#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void harness_failed(const char *what) {
  fprintf(stderr, "fuzz harness: %s: %s\n", what, strerror(errno));
  abort();
}

namespace {

char work_dir[64];

// The inputs' files go with the run (a run stopped by a finding keeps them).
void remove_work_dir() {
  if (DIR *d = opendir(work_dir)) {
    while (dirent *e = readdir(d))
      if (e->d_name[0] != '.') unlinkat(dirfd(d), e->d_name, 0);
    closedir(d);
  }
  rmdir(work_dir);
}

}  // namespace

void fuzz_start() {
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) harness_failed("install_allegro");
  // Memory-backed when there is one: the save checks flush to the disk.
  char shm[] = "/dev/shm/borlin-fuzz-XXXXXX";
  char tmp[] = "/tmp/borlin-fuzz-XXXXXX";
  const char *dir = mkdtemp(shm);
  if (!dir) dir = mkdtemp(tmp);
  if (!dir || chdir(dir) != 0) harness_failed("working folder");
  snprintf(work_dir, sizeof work_dir, "%s", dir);
  atexit(remove_work_dir);
}

namespace {

// The packfile signature of a file stored without compression, which the
// packed reader takes as it is: writing it is far quicker than packing.
constexpr unsigned char STORED_SIGNATURE[] = {'s', 'l', 'h', '.'};
static_assert(F_NOPACK_MAGIC == 0x736C682EL, "the stored form's signature");

void write_all(FILE *f, const void *bytes, size_t size) {
  if (size > 0 && fwrite(bytes, 1, size, f) != size) harness_failed("writing the input");
}

}  // namespace

void write_fuzz_file(const char *name, const uint8_t *data, size_t size) {
  FILE *f = fopen(name, "wb");
  if (!f) harness_failed(name);
  if (size > 0 && (data[0] & 1) == 0) {
    write_all(f, STORED_SIGNATURE, sizeof STORED_SIGNATURE);
    write_all(f, data + 1, size - 1);
  } else {
    write_all(f, data, size);
  }
  if (fclose(f) != 0) harness_failed("closing the input");
}

void fuzz_check(bool ok, const char *what) {
  if (ok) return;
  fprintf(stderr, "broken: %s\n", what);
  abort();
}
