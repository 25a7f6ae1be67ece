// Every producer of a data file object. A producer makes the object for one
// index (the index lets one producer serve several related entries).
#pragma once

#include <string>

#include "datagen/model.h"

using Producer = DataObject (*)(int index);

enum DataFileId { FILE_BORLIN, FILE_KESTAL };

// Where the readable sources live (data/ of the source tree); set by main.
extern std::string source_dir;

// palettes.cpp
DataObject make_palette(int index);
Palette build_palette(int index);

// fonts.cpp
DataObject make_font(int index);

// sounds.cpp
DataObject make_sound(int index);

// emblems.cpp: the logo and the round marker
DataObject make_logo(int index);
DataObject make_round_marker(int index);
DataObject make_unused(int index);

// level_compiler.cpp, level_pieces.cpp: the tile sheet and the level's
// structural pieces
DataObject make_tile_sheet(int index);
DataObject make_level_contour(int index);
DataObject make_block_sprite(int index);

// sprites.cpp: the world's objects rendered from their models
DataObject make_world_sprite(int index);  // kestal.dat sprites
DataObject make_world_mask(int index);    // borlin.dat contours and shadows
