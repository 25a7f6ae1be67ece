#include "datagen/writer.h"

#include <allegro.h>

namespace {

void put16(std::vector<uint8_t> &b, int v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}

void put32(std::vector<uint8_t> &b, long v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back(uint8_t(v >> shift));
}

void bitmap_body(std::vector<uint8_t> &b, const Bitmap8 &bmp) {
  put16(b, 8);
  put16(b, bmp.w);
  put16(b, bmp.h);
  b.insert(b.end(), bmp.px.begin(), bmp.px.end());
}

void palette_body(std::vector<uint8_t> &b, const Palette &p) {
  for (const Rgb &c : p) {
    b.push_back(c.r);
    b.push_back(c.g);
    b.push_back(c.b);
    b.push_back(0);
  }
}

void sample_body(std::vector<uint8_t> &b, const Sample &s) {
  put16(b, 16);
  put16(b, s.freq);
  put32(b, long(s.data.size()));
  for (uint16_t v : s.data) {  // sample words are little-endian
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
  }
}

// One mono range covering every glyph; rows padded to whole bytes, the
// leftmost pixel in the top bit.
void font_body(std::vector<uint8_t> &b, const Font &f) {
  put16(b, 0);
  put16(b, 1);
  b.push_back(1);
  put32(b, FONT_FIRST_CHAR);
  put32(b, FONT_FIRST_CHAR + long(f.glyphs.size()) - 1);
  for (const Glyph &g : f.glyphs) {
    put16(b, g.w);
    put16(b, g.h);
    int stride = (g.w + 7) / 8;
    for (int y = 0; y < g.h; y++) {
      for (int byte = 0; byte < stride; byte++) {
        uint8_t bits = 0;
        for (int bit = 0; bit < 8; bit++) {
          int x = byte * 8 + bit;
          if (x < g.w && g.ink[size_t(y) * g.w + x]) bits |= uint8_t(0x80 >> bit);
        }
        b.push_back(bits);
      }
    }
  }
}

int type_id(DataKind k) {
  switch (k) {
    case DK_FONT: return DAT_FONT;
    case DK_SAMPLE: return DAT_SAMPLE;
    case DK_BITMAP: return DAT_BITMAP;
    case DK_PALETTE: return DAT_PALETTE;
  }
  return DAT_DATA;
}

}  // namespace

std::vector<uint8_t> object_body(const DataObject &o) {
  std::vector<uint8_t> b;
  switch (o.kind) {
    case DK_FONT: font_body(b, o.font); break;
    case DK_SAMPLE: sample_body(b, o.sample); break;
    case DK_BITMAP: bitmap_body(b, o.bitmap); break;
    case DK_PALETTE: palette_body(b, o.palette); break;
  }
  return b;
}

bool write_datafile(const std::string &path, const std::vector<DataObject> &objects,
                    std::string &error) {
  // Written under a temporary name and renamed, so an interrupted build
  // never leaves a half file that looks finished.
  std::string tmp = path + ".tmp";
  PACKFILE *f = pack_fopen(tmp.c_str(), F_WRITE_PACKED);
  if (!f) {
    error = "cannot open " + tmp + " for writing";
    return false;
  }
  pack_mputl(DAT_MAGIC, f);
  pack_mputl(long(objects.size()), f);
  for (const DataObject &o : objects) {
    pack_mputl(DAT_PROPERTY, f);
    pack_mputl(DAT_NAME, f);
    pack_mputl(long(o.name.size()), f);
    pack_fwrite(o.name.data(), long(o.name.size()), f);
    std::vector<uint8_t> body = object_body(o);
    pack_mputl(type_id(o.kind), f);
    pack_mputl(long(body.size()), f);
    pack_mputl(long(body.size()), f);
    pack_fwrite(body.data(), long(body.size()), f);
  }
  bool ok = pack_ferror(f) == 0;
  pack_fclose(f);
  if (!ok || rename(tmp.c_str(), path.c_str()) != 0) {
    remove(tmp.c_str());
    error = "cannot write " + path;
    return false;
  }
  return true;
}
