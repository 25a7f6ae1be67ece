// Ending the program from outside: a signal asking it to stop, a lost
// connection to the X server, and the message boxes that wait for a click.
#pragma once

#include <csignal>

// Set by the handlers of SIGTERM, SIGINT and SIGHUP; nothing else happens
// in the handler. The frame pass and every waiting loop look at it.
extern volatile sig_atomic_t quit_requested;

// Installs the game's own handlers in place of the graphics library's,
// whose handler may run while the library holds its X lock and then aborts
// or hangs. Call after the library's start-up.
void install_quit_handlers();
// The handler of each stopping signal (for a test to call directly).
void request_quit(int signal_number);

// Leaves through main_exit, with the normal quit status, when asked to.
void leave_if_asked();

// When the X server goes away, says so on standard error and ends the
// process with the fatal status at once: shutting the library down would
// wait for a server that is not there.
void install_display_loss_handler();

// The library's message box (xmessage), waited for so that a stopping
// signal ends the program while it is up.
void show_message_box(const char *text);
