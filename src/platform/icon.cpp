#include "platform/icon.h"

// Generated into the build folder by tools/icongen.
#include "borlin_icon.xpm"

// The library's own, read when a window opens; its headers do not
// declare it.
extern "C" void *allegro_icon;

namespace {

struct window_icon_setter {
  window_icon_setter() { allegro_icon = borlin_icon_xpm; }
};
const window_icon_setter set_window_icon;

}  // namespace
