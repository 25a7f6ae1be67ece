#include "shell/safe_save.h"

#include <allegro.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace {

constexpr uint8_t PACKED_SIGNATURE[] = {'s', 'l', 'h', '!'};
constexpr int LITERALS_PER_FLAG = 8;
constexpr uint8_t ALL_LITERALS = 0xff;

// A packfile that only collects what is put into it.
int collect_close(void *) { return 0; }
int collect_getc(void *) { return EOF; }
int collect_ungetc(int, void *) { return EOF; }
long collect_fread(void *, long, void *) { return 0; }
int collect_putc(int c, void *user) {
  static_cast<std::vector<uint8_t> *>(user)->push_back(static_cast<uint8_t>(c));
  return c & 255;
}
long collect_fwrite(const void *p, long n, void *user) {
  const uint8_t *bytes = static_cast<const uint8_t *>(p);
  static_cast<std::vector<uint8_t> *>(user)->insert(static_cast<std::vector<uint8_t> *>(user)->end(),
                                                     bytes, bytes + n);
  return n;
}
int collect_fseek(void *, int) { return -1; }
int collect_feof(void *) { return 0; }
int collect_ferror(void *) { return 0; }

PACKFILE_VTABLE collector = {collect_close, collect_getc,   collect_ungetc,
                             collect_fread, collect_putc,   collect_fwrite,
                             collect_fseek, collect_feof,   collect_ferror};

bool write_all(int fd, const std::vector<uint8_t> &bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // A short write that reports nothing is a full disk all the same.
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The folder part of `name`, with its slash; empty for a bare name.
std::string folder_of(const std::string &name) {
  const std::string::size_type cut = name.find_last_of('/');
  return cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
}

// What a new file gets: the mode of the file it replaces, or what the
// user's umask leaves of 0666 (mkstemp makes it private).
mode_t new_file_mode(const char *name) {
  struct stat st;
  if (lstat(name, &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 0777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

folder_lock::folder_lock(const char *name) : fd(-1) {
  const std::string folder = folder_of(name);
  fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  while (flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    close(fd);
    fd = -1;
    return;
  }
}

folder_lock::~folder_lock() {
  if (fd >= 0) close(fd);  // closing lets the lock go
}

std::vector<uint8_t> packed_file_bytes(const std::vector<uint8_t> &content) {
  std::vector<uint8_t> out(std::begin(PACKED_SIGNATURE), std::end(PACKED_SIGNATURE));
  for (size_t i = 0; i < content.size(); i += LITERALS_PER_FLAG) {
    out.push_back(ALL_LITERALS);
    for (size_t k = i; k < content.size() && k < i + LITERALS_PER_FLAG; k++) out.push_back(content[k]);
  }
  return out;
}

bool safe_save(const char *name, save_writer writer) {
  std::vector<uint8_t> content;
  PACKFILE *f = pack_fopen_vtable(&collector, &content);
  if (!f) {
    errno = ENOMEM;
    return false;
  }
  const bool written = writer(f);
  pack_fclose(f);
  if (!written) {
    errno = EIO;
    return false;
  }
  const std::vector<uint8_t> bytes = packed_file_bytes(content);

  // A unique new name: a leftover of any kind can neither block nor
  // redirect the save, and O_EXCL never follows a link.
  const std::string folder = folder_of(name);
  std::string temp = folder + "." + std::string(name + folder.size()) + "-XXXXXX";
  const mode_t mode = new_file_mode(name);
  const int fd = mkstemp(&temp[0]);
  if (fd < 0) return false;
  // The data must be on the disk before the rename makes it the file, or a
  // power cut could leave an empty file under the real name.
  bool ok = fchmod(fd, mode) == 0 && write_all(fd, bytes) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temp.c_str(), name) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    errno = error;
  }
  return ok;
}
