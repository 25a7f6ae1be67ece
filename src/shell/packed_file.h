// Opening one of the game's packed files (settings, high scores, level
// maps) for reading.
#pragma once

#include <cstddef>

struct PACKFILE;

// No file read through here may be, or unpack to, more bytes than this;
// ours are far smaller.
constexpr size_t PACKED_FILE_MAX_BYTES = size_t(16) << 20;

// pack_fopen(name, F_READ_PACKED), after checking a compressed stream the
// way the library will read it. The library's unpacker leaves the end of
// its window unset until it writes there, so a damaged stream that copies
// from there unpacks to whatever memory held: the same file would read
// differently from one load to the next. Such a stream, one cut inside a
// token and a file too big give null, as a missing file does.
PACKFILE *open_packed_file(const char *name);
