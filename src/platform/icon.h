// The window's own icon under X11: the ship, drawn by the icon generator
// at build time as an XPM. The library takes it from its `allegro_icon`
// global when it opens the window; only the game's executable carries it
// and sets that global before main runs, so the tools and tests, which
// link the same modules, open their windows without it.
#pragma once

extern const char *borlin_icon_xpm[];
