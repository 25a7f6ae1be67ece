#include "display/gfx.h"

int bpp = 0;
