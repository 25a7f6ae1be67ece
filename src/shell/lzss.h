// The packfile format's compression, read by our own code: the data file
// check and the reader of the other packed files unpack a stream here
// before the library's loader, which trusts what it reads, ever sees it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Unpacks one LZSS stream of the packfile format (without its signature)
// into `out`. False when it ends inside a token or would pass `limit`.
bool lzss_unpack(const uint8_t *in, size_t size, std::vector<uint8_t> &out, size_t limit);
