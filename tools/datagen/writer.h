// Writes a list of objects as a library data file, in list order, each with
// its NAME property, packed as the library's own tool packs with -c2.
#pragma once

#include <string>
#include <vector>

#include "datagen/model.h"

// The bytes of one object's body, as the loader expects them.
std::vector<uint8_t> object_body(const DataObject &o);

// False (with the reason in `error`) when the file cannot be written.
bool write_datafile(const std::string &path, const std::vector<DataObject> &objects,
                    std::string &error);
