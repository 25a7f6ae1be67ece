// The loaded resources: the data files and their objects, and where the
// program runs from. (The one way out is platform/exit.h.)
#pragma once

#include <array>
#include <atomic>
#include <string>

#include "platform/exit.h"
#include "shell/datafile_index.h"

struct BITMAP;
struct DATAFILE;
struct FONT;
struct RGB;
struct SAMPLE;

extern DATAFILE *commondata;  // borlin.dat
extern DATAFILE *data;        // kestal.dat

// The directory part of a program path, cut at its last '/' or '\';
// empty when the path is a bare file name.
std::string executable_directory(const std::string &path);
// Where the running executable lies: the folder of what `self_link`
// points to (on Linux the kernel's link to the executable), else of `path`.
constexpr const char *SELF_EXECUTABLE_LINK = "/proc/self/exe";
std::string executable_folder(const char *self_link, const char *path);
// Changes into the executable's folder, where the data files are.
void chdir_to_executable(const char *path);



// Object `index` of a loaded data file as a bitmap; null for a negative
// index (a kind without that picture).
BITMAP *datafile_bitmap(DATAFILE *file, int index);
// The same for a font and a palette; null also while the file is not
// loaded.
FONT *datafile_font(DATAFILE *file, int index);
RGB *datafile_palette(DATAFILE *file, int index);

// Sample `index` of borlin.dat; null when the file is not loaded or that
// object is missing or not a sample (start-up reports a damaged file).
SAMPLE *common_sample(int index);
// Play or stop that sample; nothing happens when there is no such sample.
void play_common_sample(int index, int volume, int pan, int frequency, int loop);
void stop_common_sample(int index);

// Loads one resource data file whose first `count` objects are of the
// given kinds, or reports which file failed and leaves: a missing file, a
// damaged one and one with other objects all alike.
DATAFILE *load_resource_file(const char *name, const DataKind *kinds, int count);

// The kind of every object of kestal.dat, by index.
extern const std::array<DataKind, KESTAL_OBJECT_COUNT> kestal_object_kinds;
