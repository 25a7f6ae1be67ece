// The one way out of the program, for a normal quit and for every fatal
// error: it runs the release list that the owners of timers and bitmaps
// filled, newest first, shuts the library down and exits.
#pragma once

// Exit statuses: a normal quit reports success, every fatal path failure.
constexpr int EXIT_QUIT = 0;
constexpr int EXIT_FATAL = 1;

// The way out: runs the release list, newest first, shuts the library down
// and exits with `status`.
[[noreturn]] void main_exit(int status = EXIT_QUIT);
// Puts `release` on the list main_exit runs: each owner of what must be
// released at exit registers it when it makes it. At most
// MAX_EXIT_RELEASES; one more is a fault of the program and stops it.
constexpr int MAX_EXIT_RELEASES = 8;
void release_at_exit(void (*release)());
[[noreturn]] void do_exit();
