// Shared by the loaders' fuzz targets: the library brought up headless, a
// private folder to work in, and the input turned into the file a loader
// reads.
#pragma once

#include <cstddef>
#include <cstdint>

// The harness's own failures (not the loaders') say what failed and how,
// so that a stopped run is not taken for a finding.
[[noreturn]] void harness_failed(const char *what);

// Once per process: headless library, private working folder.
void fuzz_start();

// Writes the input as the file `name`. An input whose first byte is even
// is content: the rest is what the loader reads through the packfile
// layer (stored uncompressed, which the packed reader also takes). An odd
// first byte
// means the whole input is the file as it lies on disk (the real files
// start with 's'), which exercises the library's unpacking too.
void write_fuzz_file(const char *name, const uint8_t *data, size_t size);

// Stops the run with a message when a loader's promise is broken.
void fuzz_check(bool ok, const char *what);
