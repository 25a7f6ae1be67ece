// Stand-ins for the objects not yet generated: flat boxes of a plausible
// size with their index written on them, named "...-PROVISIONAL" so that
// they are easy to spot in listings and on the contact sheet.
#pragma once

#include <array>

#include "datagen/producers.h"

enum ProvisionalRole { ROLE_SPRITE, ROLE_CONTOUR, ROLE_SHADOW };

struct ProvisionalObject {
  DataFileId file;
  int index;
  const char *name;
  int w, h;
  ProvisionalRole role;
};

constexpr const char *PROVISIONAL_SUFFIX = "-PROVISIONAL";

// Looks an entry up; nullptr when the index is not provisional.
const ProvisionalObject *find_provisional(DataFileId file, int index);
int provisional_count();
