#include "platform/signals.h"

#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/exit.h"
#include "platform/input.h"

volatile sig_atomic_t quit_requested = 0;

namespace {

constexpr int STOPPING_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int MESSAGE_POLL_MS = 20;

int display_lost(Display *display) {
  const char *name = display ? DisplayString(display) : nullptr;
  fprintf(stderr, "Borlin lost its connection to the X display %s; quitting.\n",
          name && *name ? name : "(unknown)");
  fflush(stdout);
  // Not exit(): its clean-up would talk to the dead server and wait for ever.
  _exit(EXIT_FATAL);
}

}  // namespace

void request_quit(int) { quit_requested = 1; }

void install_quit_handlers() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = request_quit;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a wait for a message box or a lock returns and sees it.
  for (int s : STOPPING_SIGNALS) sigaction(s, &action, nullptr);
}

void leave_if_asked() {
  if (quit_requested) main_exit(EXIT_QUIT);
}

void install_display_loss_handler() { XSetIOErrorHandler(display_lost); }

void show_message_box(const char *text) {
  fflush(stdout);
  const pid_t pid = fork();
  if (pid < 0) {
    fputs(text, stderr);
    return;
  }
  if (pid == 0) {
    execlp("xmessage", "xmessage", "-buttons", "OK:101", "-default", "OK", "-center", text,
           static_cast<char *>(nullptr));
    fputs(text, stderr);
    _exit(EXIT_FATAL);
  }
  int status;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (quit_requested) {
      kill(pid, SIGTERM);
      waitpid(pid, &status, 0);
      main_exit(EXIT_QUIT);
    }
    sleep_ms(MESSAGE_POLL_MS);
  }
}
