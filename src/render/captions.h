// Captions in the caption font, outlined one colour group darker: the
// menus, the title page, the score table and GAME OVER.
#pragma once

struct BITMAP;

constexpr int OUTLINE_DARKER = 4;  // outline colour = caption colour - 4

// A caption centred on the screen, outlined one colour group darker.
void nise_text(const char *text, int y, int colour);
// The same caption into `dest` starting at x, and the width it takes. The
// caption font is borlin.dat's; before that is loaded, the library's own.
void outlined_text(BITMAP *dest, const char *text, int x, int y, int colour);
int caption_width(const char *text);
