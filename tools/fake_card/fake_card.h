// A graphics card for the headless tests: the mode-setting call, the
// message box, the clock and the retrace wait are replaced, and "video
// memory" holds as many screen-sized pages as the virtual height asked for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct mode_attempt {
  int card, w, h, v_h, depth;
};

struct FakeCard {
  FakeCard();
  ~FakeCard();

  // Decides whether a mode opens; by default every mode does.
  std::function<bool(const mode_attempt &)> accepts = [](const mode_attempt &) { return true; };
  bool triple_buffer = false;  // whether the card offers triple buffering
  int other_video_bitmaps = 0;  // room for video bitmaps not of screen size

  std::vector<mode_attempt> attempts;
  std::vector<std::string> messages;
  int retrace_waits = 0;

 private:
  int (*saved_mode_call)(int, int, int, int, int);
  void (*saved_message_call)(const char *);
  int64_t (*saved_clock)();
  void (*saved_retrace)(int);
  int (*saved_install)(void (*)(), long);
  void (*saved_remove)(void (*)());
};

// The fake clock in 0.1 ms; a retrace wait moves it to the next refresh
// boundary of hz.
extern int64_t fake_now;
