// Writing a save file so that a failure at any point, or a crash half-way,
// leaves the file that was there before.
#pragma once

#include <cstdint>
#include <vector>

struct PACKFILE;

// Fills an open file with the content to save; false when it could not.
using save_writer = bool (*)(PACKFILE *f);

// Collects what `writer` writes, packs it in the library's packed form and
// writes exactly those bytes with checked system calls into a new file of a
// unique name beside `name` (never through a link of any name), flushes it
// to the disk and only then renames it over `name`. True when the new file
// is in place; on false `name` is untouched, no temporary file is left
// behind and errno says why.
bool safe_save(const char *name, save_writer writer);

// Holds an exclusive lock on the folder of `name` (flock) while it lives,
// so that two copies of the game take turns to read, merge and save a
// file there. Without a folder to lock it holds nothing, and the save goes
// on all the same.
struct folder_lock {
  explicit folder_lock(const char *name);
  ~folder_lock();
  folder_lock(const folder_lock &) = delete;
  folder_lock &operator=(const folder_lock &) = delete;
  int fd;
};

// `content` in the library's packed file form: its signature, then the
// compressed stream. Our files are a few dozen bytes, so every byte goes
// in as a literal, which every reader of the format accepts.
std::vector<uint8_t> packed_file_bytes(const std::vector<uint8_t> &content);
