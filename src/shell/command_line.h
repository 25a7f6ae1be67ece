// What the command line can ask for without starting the game, and what
// the game says when it cannot start at all.
#pragma once

#include <cstdio>

// The version, given by the build.
extern const char *const borlin_version;

// --help prints the usage and the keys, --version the version: both answer
// and give the exit status to end with. Anything else is refused with the
// usage (status 2). Without arguments: -1, the game starts.
int answer_command_line(int argc, char **argv);
void print_usage(FILE *out);

// The library could not start: says on standard error that the game needs
// an X display and which one it tried (or that none is set), or, when that
// display opens, what the library said.
void report_start_failure();
