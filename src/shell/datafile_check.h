// Our own reading of the library's data file format, done before the
// library's loader sees a file: that loader trusts every type and size it
// reads, so a cut or damaged file makes it read past its buffers or call
// through a null pointer. After loading, the objects are checked against
// the index the game addresses them by.
#pragma once

#include <cstddef>
#include <cstdint>

#include "shell/datafile_index.h"

struct DATAFILE;

// Nested data files deeper than this are refused.
constexpr int DATAFILE_MAX_DEPTH = 8;
// No file, and no packed stream in it, may be or unpack to more bytes.
constexpr size_t DATAFILE_MAX_BYTES = size_t(64) << 20;

// True when `bytes` is a whole data file as the library writes it: a
// packfile signature, the data file magic, and objects of known types
// whose properties, sizes and contents fit exactly in what the file holds;
// a packed stream unpacks to exactly the stated length. Safe on any input.
bool datafile_structure_ok(const uint8_t *bytes, size_t size);

// Reads the file `name` and checks its structure; false when it cannot be read.
bool datafile_file_ok(const char *name);

// The library's object type (DAT_FONT, ...) for a kind of the index.
int library_type(DataKind k);

// True when the loaded `file` holds at least `count` objects and object i
// is of kind kinds[i] (extra objects after them, such as the grabber's
// own, are left alone).
bool datafile_kinds_ok(const DATAFILE *file, const DataKind *kinds, int count);
