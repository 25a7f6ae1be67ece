#include "shell/shell.h"

#include <allegro.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "shell/datafile_check.h"

DATAFILE *commondata = nullptr;
DATAFILE *data = nullptr;

const std::array<DataKind, KESTAL_OBJECT_COUNT> kestal_object_kinds = [] {
  std::array<DataKind, KESTAL_OBJECT_COUNT> k{};
  k.fill(kestal_object_kind);
  return k;
}();

std::string executable_directory(const std::string &path) {
  std::string::size_type cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return std::string();
  return path.substr(0, cut);
}

std::string executable_folder(const char *self_link, const char *path) {
  // Through a symbolic link or a bare name found on the PATH, the program
  // path does not lead to the data; the link to the running executable does.
  char target[PATH_MAX];
  const ssize_t n = self_link ? readlink(self_link, target, sizeof target - 1) : -1;
  if (n > 0) {
    target[n] = '\0';
    std::string dir = executable_directory(target);
    if (!dir.empty()) return dir;
    if (target[0] == '/') return "/";
  }
  return path ? executable_directory(path) : std::string();
}

void chdir_to_executable(const char *path) {
  std::string dir = executable_folder(SELF_EXECUTABLE_LINK, path);
  if (!dir.empty() && chdir(dir.c_str()) != 0) {
    // The data files will then not be found, and loading says which one.
  }
}

namespace {

void *datafile_object(DATAFILE *file, int index) {
  return file && index >= 0 ? file[index].dat : nullptr;
}

}  // namespace

BITMAP *datafile_bitmap(DATAFILE *file, int index) {
  return static_cast<BITMAP *>(datafile_object(file, index));
}

FONT *datafile_font(DATAFILE *file, int index) {
  return static_cast<FONT *>(datafile_object(file, index));
}

RGB *datafile_palette(DATAFILE *file, int index) {
  return static_cast<RGB *>(datafile_object(file, index));
}

SAMPLE *common_sample(int index) {
  if (!commondata || index < 0) return nullptr;
  for (int i = 0; i < index; i++)
    if (commondata[i].type == DAT_END) return nullptr;
  const DATAFILE &d = commondata[index];
  return d.type == DAT_SAMPLE ? static_cast<SAMPLE *>(d.dat) : nullptr;
}

void play_common_sample(int index, int volume, int pan, int frequency, int loop) {
  if (SAMPLE *s = common_sample(index)) play_sample(s, volume, pan, frequency, loop);
}

void stop_common_sample(int index) {
  if (SAMPLE *s = common_sample(index)) stop_sample(s);
}

DATAFILE *load_resource_file(const char *name, const DataKind *kinds, int count) {
  // A damaged file or the wrong one is reported exactly like a missing one.
  DATAFILE *d = datafile_file_ok(name) ? load_datafile(name) : nullptr;
  if (d && !datafile_kinds_ok(d, kinds, count)) {
    unload_datafile(d);
    d = nullptr;
  }
  if (!d) {
    printf("Error loading %s!\n", name);
    // Our own checks leave the library's text empty: no empty line then.
    if (allegro_error[0]) printf("Allegro error message: %s\n", allegro_error);
    main_exit(EXIT_FATAL);
  }
  return d;
}
