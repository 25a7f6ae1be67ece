// Writing a save file so that a failure at any point, or a crash half-way,
// leaves the file that was there before.
#pragma once

struct PACKFILE;

// Fills an open packed file; false when it could not write everything.
using save_writer = bool (*)(PACKFILE *f);

// Writes `name` in the library's packed form through `writer` into a
// temporary file beside it, checks every write and the close, flushes it
// to the disk and only then renames it over `name`. True when the new file
// is in place; on false the old file (if any) is untouched and no
// temporary file is left behind.
bool safe_save(const char *name, save_writer writer);

// Name of the temporary file beside `name` (`buffer` of `size` chars).
constexpr int SAFE_SAVE_SUFFIX_LENGTH = 4;  // ".new"
void safe_save_temp_name(const char *name, char *buffer, int size);
