#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>

#include "datagen/icon_art.h"
#include "datagen/image_files.h"

namespace {

uint32_t be32(const uint8_t *p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// Reads back a PNG as the writer makes it (one IDAT, RGBA, filter 0),
// checking the signature and every chunk's CRC.
RgbaImage decode_png(const std::vector<uint8_t> &png) {
  static const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  RgbaImage img;
  EXPECT_EQ(memcmp(png.data(), signature, 8), 0);
  std::vector<uint8_t> packed;
  size_t at = 8;
  std::string last;
  while (at + 12 <= png.size()) {
    const uint32_t len = be32(&png[at]);
    const uint8_t *type = &png[at + 4];
    EXPECT_EQ(crc32(0, type, len + 4), be32(type + 4 + len));
    last.assign(reinterpret_cast<const char *>(type), 4);
    if (last == "IHDR") {
      img.w = int(be32(type + 4));
      img.h = int(be32(type + 8));
      EXPECT_EQ(type[12], 8);  // depth
      EXPECT_EQ(type[13], 6);  // RGBA
    } else if (last == "IDAT") {
      packed.insert(packed.end(), type + 4, type + 4 + len);
    }
    at += 12 + len;
  }
  EXPECT_EQ(last, "IEND");
  EXPECT_EQ(at, png.size());
  const size_t row = size_t(img.w) * 4 + 1;
  std::vector<uint8_t> raw(row * img.h);
  uLongf raw_size = uLongf(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &raw_size, packed.data(), uLong(packed.size())), Z_OK);
  EXPECT_EQ(raw_size, raw.size());
  for (int y = 0; y < img.h; y++) {
    EXPECT_EQ(raw[y * row], 0) << "row " << y;
    img.px.insert(img.px.end(), raw.begin() + y * row + 1, raw.begin() + (y + 1) * row);
  }
  return img;
}

// Reads back the XPM text: pixels of colours as 0xRRGGBB, -1 for None.
std::vector<long> decode_xpm(const std::string &text, int &w, int &h) {
  std::vector<std::string> strings;
  for (size_t q = text.find('"'); q != std::string::npos; q = text.find('"', q + 1)) {
    const size_t end = text.find('"', q + 1);
    strings.push_back(text.substr(q + 1, end - q - 1));
    q = end;
  }
  int colours = 0, cpp = 0;
  std::istringstream(strings.at(0)) >> w >> h >> colours >> cpp;
  EXPECT_EQ(int(strings.size()), 1 + colours + h);
  std::map<std::string, long> table;
  for (int i = 1; i <= colours; i++) {
    const std::string &s = strings[i];
    const std::string value = s.substr(s.rfind(' ') + 1);
    EXPECT_EQ(s.substr(cpp, 3), " c ") << s;
    EXPECT_TRUE(table.emplace(s.substr(0, cpp), value == "None" ? -1 : std::stol(value.substr(1), nullptr, 16)).second)
        << "colour code used twice: " << s;
  }
  std::vector<long> px;
  for (int y = 0; y < h; y++) {
    const std::string &row = strings[1 + colours + y];
    EXPECT_EQ(int(row.size()), w * cpp);
    for (int x = 0; x < w; x++) px.push_back(table.at(row.substr(x * cpp, cpp)));
  }
  return px;
}

}  // namespace

TEST(ShipIcon, FillsItsSquareCentredWithAMarginAndSoftEdges) {
  for (int size : ICON_SIZES) {
    // The largest takes as long as all the others; it scales the same way.
    if (size > 128) continue;
    SCOPED_TRACE(size);
    const RgbaImage img = ship_icon(size);
    ASSERT_EQ(img.w, size);
    ASSERT_EQ(img.h, size);
    int x0 = size, x1 = -1, y0 = size, y1 = -1, partial = 0, opaque = 0;
    for (int y = 0; y < size; y++)
      for (int x = 0; x < size; x++) {
        const int a = img.at(x, y)[3];
        if (!a) continue;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        (a == 255 ? opaque : partial)++;
      }
    const int margin = size / ICON_MARGIN_DIVISOR;
    EXPECT_GE(std::min(x0, y0), margin - 1);
    EXPECT_LE(std::max(x1, y1), size - margin);
    // The ship's longer extent spans the room inside the margins.
    EXPECT_GE(std::max(x1 - x0, y1 - y0) + 1, size - 2 * margin - 2);
    EXPECT_NEAR((x0 + x1 + 1) / 2.0, size / 2.0, 1.0);
    EXPECT_NEAR((y0 + y1 + 1) / 2.0, size / 2.0, 1.0);
    EXPECT_GT(opaque, 0);
    EXPECT_GT(partial, 0);
  }
}

TEST(IconFiles, PngHoldsExactlyThePixels) {
  const RgbaImage img = ship_icon(24);
  const RgbaImage back = decode_png(png_bytes(img));
  EXPECT_EQ(back.w, img.w);
  EXPECT_EQ(back.h, img.h);
  EXPECT_EQ(back.px, img.px);
  EXPECT_EQ(png_bytes(img), png_bytes(ship_icon(24)));
}

TEST(IconFiles, XpmDrawsTheOpaquePixelsInTheirColours) {
  const RgbaImage img = ship_icon(WINDOW_ICON_SIZE);
  const std::string text = xpm_text(img, "some_icon");
  EXPECT_EQ(text.rfind("/* XPM */\nconst char *some_icon[] = {\n", 0), 0u);
  int w = 0, h = 0;
  const std::vector<long> px = decode_xpm(text, w, h);
  ASSERT_EQ(w, img.w);
  ASSERT_EQ(h, img.h);
  int drawn = 0;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      const uint8_t *p = img.at(x, y);
      const long want = p[3] < XPM_ALPHA_CUT ? -1 : long(p[0]) << 16 | p[1] << 8 | p[2];
      ASSERT_EQ(px[y * w + x], want) << x << "," << y;
      drawn += want >= 0;
    }
  EXPECT_GT(drawn, 0);
  EXPECT_EQ(text, xpm_text(ship_icon(WINDOW_ICON_SIZE), "some_icon"));
}
