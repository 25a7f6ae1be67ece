// A graphics card for the headless tests: the mode-setting call, the
// message box, the clock and the retrace wait are replaced, and "video
// memory" holds as many screen-sized pages as the virtual height asked for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct BITMAP;

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

  // Models the X11 driver on a 24-bit RGB screen: a truecolour mode sets
  // the library's pixel layouts to the screen's RGB order and nothing sets
  // them back; an 8-bit mode shows each palette entry as the 32-bit layout
  // in force packs it, read back in the library's default order.
  bool rgb_screen = false;
  // With rgb_screen: the colour (0xRRGGBB) of what `b` holds at (x, y) as
  // the screen shows it, 8-bit pixels through the palette last shown.
  int seen(BITMAP *b, int x, int y) const;
  int shown_palette[256] = {};  // 0xRRGGBB per entry, as last shown

  static constexpr int LAYOUT_GLOBALS = 13;  // the library's _rgb_*_shift_*

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
  int saved_shifts[LAYOUT_GLOBALS];
};

// The fake clock in 0.1 ms; a retrace wait moves it to the next refresh
// boundary of hz.
extern int64_t fake_now;
