#include "shell/datafile_check.h"

#include <allegro.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "shell/lzss.h"

namespace {

constexpr uint32_t id(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) << 24 | uint32_t(uint8_t(b)) << 16 | uint32_t(uint8_t(c)) << 8 |
         uint32_t(uint8_t(d));
}

constexpr uint32_t PACKED_SIGNATURE = id('s', 'l', 'h', '!');
constexpr uint32_t UNPACKED_SIGNATURE = id('s', 'l', 'h', '.');
constexpr uint32_t FILE_MAGIC = id('A', 'L', 'L', '.');
constexpr uint32_t PROPERTY = id('p', 'r', 'o', 'p');
constexpr uint32_t TYPE_FILE = id('F', 'I', 'L', 'E');
constexpr uint32_t TYPE_DATA = id('D', 'A', 'T', 'A');
constexpr uint32_t TYPE_FONT = id('F', 'O', 'N', 'T');
constexpr uint32_t TYPE_SAMPLE = id('S', 'A', 'M', 'P');
constexpr uint32_t TYPE_MIDI = id('M', 'I', 'D', 'I');
constexpr uint32_t TYPE_PATCH = id('P', 'A', 'T', ' ');
constexpr uint32_t TYPE_FLIC = id('F', 'L', 'I', 'C');
constexpr uint32_t TYPE_BITMAP = id('B', 'M', 'P', ' ');
constexpr uint32_t TYPE_RLE_SPRITE = id('R', 'L', 'E', ' ');
constexpr uint32_t TYPE_C_SPRITE = id('C', 'M', 'P', ' ');
constexpr uint32_t TYPE_XC_SPRITE = id('X', 'C', 'M', 'P');
constexpr uint32_t TYPE_PALETTE = id('P', 'A', 'L', ' ');
constexpr uint32_t TYPE_INFO = id('i', 'n', 'f', 'o');

constexpr int PALETTE_BYTES = 256 * 4;
constexpr int MIDI_TRACK_COUNT = 32;
constexpr int OLD_FONT_GLYPHS = 95;
constexpr int64_t LAST_CHARACTER = 0x10FFFF;

// A bounds-checked big-endian reader over one stretch of bytes.
struct reader {
  const uint8_t *p;
  size_t size;
  size_t at = 0;

  size_t left() const { return size - at; }
  bool u8(uint32_t &v) {
    if (left() < 1) return false;
    v = p[at++];
    return true;
  }
  bool u16(uint32_t &v) {
    if (left() < 2) return false;
    v = uint32_t(p[at]) << 8 | p[at + 1];
    at += 2;
    return true;
  }
  bool s16(int32_t &v) {
    uint32_t u;
    if (!u16(u)) return false;
    v = int16_t(uint16_t(u));
    return true;
  }
  bool u32(uint32_t &v) {
    if (left() < 4) return false;
    v = uint32_t(p[at]) << 24 | uint32_t(p[at + 1]) << 16 | uint32_t(p[at + 2]) << 8 | p[at + 3];
    at += 4;
    return true;
  }
  bool s32(int32_t &v) {
    uint32_t u;
    if (!u32(u)) return false;
    v = int32_t(u);
    return true;
  }
  bool skip(uint64_t n) {
    if (n > left()) return false;
    at += size_t(n);
    return true;
  }
};

bool known_type(uint32_t t) {
  for (uint32_t k : {TYPE_FILE, TYPE_DATA, TYPE_FONT, TYPE_SAMPLE, TYPE_MIDI, TYPE_PATCH, TYPE_FLIC,
                     TYPE_BITMAP, TYPE_RLE_SPRITE, TYPE_C_SPRITE, TYPE_XC_SPRITE, TYPE_PALETTE,
                     TYPE_INFO})
    if (t == k) return true;
  return false;
}

// Bytes a pixel takes in the file, or 0 for a depth the library does not know.
int pixel_bytes(int32_t bits) {
  switch (bits) {
    case 8:
      return 1;
    case 15:
    case 16:
      return 2;
    case 24:
    case 32:  // stored as 8.8.8
      return 3;
    case -32:  // with alpha
      return 4;
    default:
      return 0;
  }
}

bool bitmap_ok(reader r) {
  int32_t bits, w, h;
  if (!r.s16(bits) || !r.s16(w) || !r.s16(h)) return false;
  const int bytes = pixel_bytes(bits);
  return bytes > 0 && w >= 0 && h >= 0 && r.left() == uint64_t(w) * uint64_t(h) * bytes;
}

bool rle_sprite_ok(reader r) {
  int32_t bits, w, h, size;
  if (!r.s16(bits) || !r.s16(w) || !r.s16(h) || !r.s32(size)) return false;
  return pixel_bytes(bits) > 0 && w >= 0 && h >= 0 && size >= 0 && r.left() == uint32_t(size);
}

bool sample_ok(reader r) {
  int32_t bits, length;
  uint32_t freq;
  if (!r.s16(bits) || !r.u16(freq) || !r.s32(length)) return false;
  const int channels = bits < 0 ? 2 : 1;
  if (bits < 0) bits = -bits;
  if ((bits != 8 && bits != 16) || length < 0) return false;
  return r.left() == uint64_t(length) * (bits / 8) * channels;
}

// Bytes a pixel of a font range takes for the range's format byte: 0 for
// bit-packed glyphs, -1 for a format the library refuses. The library reads
// 1 and 255 as bit-packed, 0 as 8 bits and the others as a colour depth;
// any other byte makes its loader fail, and its loader frees the object
// table twice when an object fails, so such a file must never reach it.
int range_pixel_bytes(uint32_t format) {
  if (format == 1 || format == 255) return 0;
  if (format == 0) return 1;
  const int bytes = pixel_bytes(int32_t(format));
  return bytes > 0 ? bytes : -1;
}

bool glyph_ok(reader &r, int bytes) {
  int32_t w, h;
  if (!r.s16(w) || !r.s16(h) || w < 0 || h < 0) return false;
  return r.skip(bytes == 0 ? uint64_t((w + 7) / 8) * h : uint64_t(w) * h * bytes);
}

bool font_ok(reader r) {
  int32_t kind;
  if (!r.s16(kind)) return false;
  if (kind == 8 || kind == 16) return r.left() == uint64_t(OLD_FONT_GLYPHS) * kind;
  if (kind == -1) {
    for (int i = 0; i < OLD_FONT_GLYPHS; i++)
      if (!glyph_ok(r, 1)) return false;
    return r.left() == 0;
  }
  if (kind != 0) return false;
  uint32_t ranges;
  if (!r.u16(ranges) || ranges == 0) return false;
  for (uint32_t i = 0; i < ranges; i++) {
    uint32_t format;
    int32_t first, last;
    if (!r.u8(format) || !r.s32(first) || !r.s32(last)) return false;
    const int bytes = range_pixel_bytes(format);
    if (bytes < 0 || first < 0 || last < first || last > LAST_CHARACTER) return false;
    for (int64_t c = first; c <= last; c++)
      if (!glyph_ok(r, bytes)) return false;
  }
  return r.left() == 0;
}

bool midi_ok(reader r) {
  uint32_t divisions, length;
  if (!r.u16(divisions)) return false;
  for (int i = 0; i < MIDI_TRACK_COUNT; i++)
    if (!r.u32(length) || !r.skip(length)) return false;
  return r.left() == 0;
}

bool objects_ok(reader &r, int depth);

bool body_ok(uint32_t type, const uint8_t *p, size_t size, int depth) {
  reader r{p, size};
  switch (type) {
    case TYPE_FILE:
      return depth < DATAFILE_MAX_DEPTH && objects_ok(r, depth + 1) && r.left() == 0;
    case TYPE_BITMAP:
    case TYPE_C_SPRITE:
    case TYPE_XC_SPRITE:
      return bitmap_ok(r);
    case TYPE_RLE_SPRITE:
      return rle_sprite_ok(r);
    case TYPE_PALETTE:
      return size == PALETTE_BYTES;
    case TYPE_SAMPLE:
      return sample_ok(r);
    case TYPE_FONT:
      return font_ok(r);
    case TYPE_MIDI:
      return midi_ok(r);
    default:
      return true;  // binary data of any length
  }
}

// One object: its properties, type, sizes and contents.
bool object_ok(reader &r, int depth) {
  uint32_t type;
  if (!r.u32(type)) return false;
  while (type == PROPERTY) {
    uint32_t property, length;
    if (!r.u32(property) || !r.u32(length) || !r.skip(length) || !r.u32(type)) return false;
  }
  if (!known_type(type)) return false;
  int32_t stored, unpacked;
  if (!r.s32(stored) || !r.s32(unpacked) || stored < 0 || uint32_t(stored) > r.left())
    return false;
  const uint8_t *body = r.p + r.at;
  r.at += size_t(stored);
  if (unpacked >= 0) return unpacked == stored && body_ok(type, body, size_t(stored), depth);
  // Packed on its own: the stream must unpack to exactly the stated length.
  const uint64_t want = uint64_t(-int64_t(unpacked));
  if (want > DATAFILE_MAX_BYTES) return false;
  std::vector<uint8_t> out;
  if (!lzss_unpack(body, size_t(stored), out, size_t(want)) || out.size() != want) return false;
  return body_ok(type, out.data(), out.size(), depth);
}

bool objects_ok(reader &r, int depth) {
  int32_t count;
  if (!r.s32(count) || count < 0) return false;
  for (int32_t i = 0; i < count; i++)
    if (!object_ok(r, depth)) return false;
  return true;
}

}  // namespace

bool datafile_structure_ok(const uint8_t *bytes, size_t size) {
  reader file{bytes, size};
  uint32_t signature;
  if (!file.u32(signature)) return false;
  std::vector<uint8_t> unpacked;
  reader r{bytes + 4, size - 4};
  if (signature == PACKED_SIGNATURE) {
    if (!lzss_unpack(bytes + 4, size - 4, unpacked, DATAFILE_MAX_BYTES)) return false;
    r = reader{unpacked.data(), unpacked.size()};
  } else if (signature != UNPACKED_SIGNATURE) {
    return false;
  }
  uint32_t magic;
  if (!r.u32(magic) || magic != FILE_MAGIC) return false;
  return objects_ok(r, 0) && r.left() == 0;
}

bool datafile_file_ok(const char *name) {
  std::unique_ptr<FILE, int (*)(FILE *)> f(fopen(name, "rb"), fclose);
  if (!f) return false;
  std::vector<uint8_t> bytes;
  uint8_t chunk[1 << 16];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f.get())) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (bytes.size() > DATAFILE_MAX_BYTES) return false;
  }
  if (ferror(f.get())) return false;
  return datafile_structure_ok(bytes.data(), bytes.size());
}

int library_type(DataKind k) {
  switch (k) {
    case DK_FONT:
      return DAT_FONT;
    case DK_SAMPLE:
      return DAT_SAMPLE;
    case DK_BITMAP:
      return DAT_BITMAP;
    case DK_PALETTE:
      return DAT_PALETTE;
  }
  return DAT_END;
}

bool datafile_kinds_ok(const DATAFILE *file, const DataKind *kinds, int count) {
  if (!file) return false;
  for (int i = 0; i < count; i++) {
    if (file[i].type == DAT_END) return false;  // too few objects
    if (file[i].type != library_type(kinds[i]) || !file[i].dat) return false;
  }
  return true;
}
