// Draws the game's icons from its ship model:
//
//   icongen OUT_DIR
//
// writes OUT_DIR/hicolor/NxN/apps/borlin.png for every usual size (laid
// out as the icon theme wants them, so they install as one folder) and
// OUT_DIR/borlin_icon.xpm, the window's icon, compiled into the game.
#include <cstdio>
#include <filesystem>
#include <string>

#include "datagen/icon_art.h"
#include "datagen/image_files.h"

namespace {

bool write_file(const std::string &path, const void *bytes, size_t size) {
  FILE *f = fopen(path.c_str(), "wb");
  bool ok = f && fwrite(bytes, 1, size, f) == size;
  if (f && fclose(f) != 0) ok = false;
  if (!ok) fprintf(stderr, "icongen: cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: icongen OUT_DIR\n");
    return 2;
  }
  const std::string out = argv[1];
  for (int size : ICON_SIZES) {
    const std::string dir =
        out + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::vector<uint8_t> png = png_bytes(ship_icon(size));
    if (!write_file(dir + "/borlin.png", png.data(), png.size())) return 1;
  }
  const std::string xpm = xpm_text(ship_icon(WINDOW_ICON_SIZE), "borlin_icon_xpm");
  return write_file(out + "/borlin_icon.xpm", xpm.data(), xpm.size()) ? 0 : 1;
}
