#include "datagen/image_files.h"

#include <zlib.h>

#include <cstdio>
#include <map>
#include <stdexcept>

namespace {

void put_u32(std::vector<uint8_t> &out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

// One chunk: length, type, data, and the CRC of type and data.
void put_chunk(std::vector<uint8_t> &out, const char type[4], const std::vector<uint8_t> &data) {
  put_u32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put_u32(out, uint32_t(crc32(0, &out[start], uInt(out.size() - start))));
}

// The characters that name XPM colours: printable, no quote or backslash.
constexpr char XPM_CODE_CHARS[] =
    ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+@";
constexpr int XPM_CODE_BASE = sizeof XPM_CODE_CHARS - 1;
constexpr int XPM_MAX_COLOURS = XPM_CODE_BASE * XPM_CODE_BASE;
constexpr const char *XPM_NONE_CODE = "  ";

}  // namespace

std::vector<uint8_t> png_bytes(const RgbaImage &img) {
  static const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> out(signature, signature + sizeof signature);

  std::vector<uint8_t> header;
  put_u32(header, uint32_t(img.w));
  put_u32(header, uint32_t(img.h));
  const uint8_t depth = 8, rgba = 6, deflate = 0, no_filter_choice = 0, no_interlace = 0;
  header.insert(header.end(), {depth, rgba, deflate, no_filter_choice, no_interlace});
  put_chunk(out, "IHDR", header);

  // Every row starts with filter type 0: the bytes as they are.
  std::vector<uint8_t> raw;
  const size_t row = size_t(img.w) * 4;
  for (int y = 0; y < img.h; y++) {
    raw.push_back(0);
    raw.insert(raw.end(), img.px.begin() + y * row, img.px.begin() + (y + 1) * row);
  }
  uLongf packed_size = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) !=
      Z_OK)
    throw std::runtime_error("PNG compression failed");
  packed.resize(packed_size);
  put_chunk(out, "IDAT", packed);
  put_chunk(out, "IEND", {});
  return out;
}

std::string xpm_text(const RgbaImage &img, const std::string &name) {
  // Colours numbered in order of first appearance, so the text is the same
  // on every run.
  std::map<uint32_t, int> number;
  std::vector<uint32_t> colours;
  for (int y = 0; y < img.h; y++)
    for (int x = 0; x < img.w; x++) {
      const uint8_t *p = img.at(x, y);
      if (p[3] < XPM_ALPHA_CUT) continue;
      const uint32_t rgb = uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
      if (number.emplace(rgb, int(colours.size())).second) colours.push_back(rgb);
    }
  if (int(colours.size()) > XPM_MAX_COLOURS) throw std::runtime_error("too many XPM colours");

  auto code = [](int n) {
    return std::string{XPM_CODE_CHARS[n / XPM_CODE_BASE], XPM_CODE_CHARS[n % XPM_CODE_BASE]};
  };
  std::string s = "/* XPM */\nconst char *" + name + "[] = {\n";
  char line[64];
  snprintf(line, sizeof line, "\"%d %d %d 2\",\n", img.w, img.h, int(colours.size()) + 1);
  s += line;
  s += "\"" + std::string(XPM_NONE_CODE) + " c None\",\n";
  for (size_t i = 0; i < colours.size(); i++) {
    snprintf(line, sizeof line, " c #%06X\",\n", unsigned(colours[i]));
    s += "\"" + code(int(i)) + line;
  }
  for (int y = 0; y < img.h; y++) {
    s += "\"";
    for (int x = 0; x < img.w; x++) {
      const uint8_t *p = img.at(x, y);
      s += p[3] < XPM_ALPHA_CUT ? XPM_NONE_CODE
                                : code(number[uint32_t(p[0]) << 16 | p[1] << 8 | p[2]]);
    }
    s += y + 1 < img.h ? "\",\n" : "\"};\n";
  }
  return s;
}
