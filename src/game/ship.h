// The player's controls and ship: the keys of a frame, the ship's motion
// and its picture, and the running animations' motion.
#pragma once

// Bounds of the ship while it has fuel.
constexpr float SHIPZ_MIN = 32.0f;
constexpr float SHIPZ_MAX = 260.0f;
constexpr float SHIPALT_MIN = 11.0f;
constexpr float SHIPALT_MAX = 145.0f;
constexpr float ALTSPEED_LIMIT = 10.0f;
constexpr float ZSPEED_LIMIT = 24.0f;
constexpr int FIRE_INTERVAL_TICKS = 10;
constexpr int CHEAT_LIVES = 5;

// The last two cheat-code characters typed, oldest first.
constexpr int KEY_INPUT_SIZE = 3;
extern char key_input[KEY_INPUT_SIZE];

// Edge detection of the action chain: a static of user_input, here so that
// a test or a new run can put it back. (Its single-step mode, `paused`, is
// world state: a new game ends it.)
extern int input_released;  // -1 when no key of the chain was held at the last check

// Where S writes the screenshot.
constexpr const char *SNAP_FILE = "snap.bmp";

// Reads the devices once and acts: the function keys, pause, screenshot,
// cheat codes, fire and the ship's speeds.
void user_input();

// One typed cheat-code character; acts when the last two form a code.
void cheat_key(char c);

// Writes the frame being drawn to snap.bmp; false (after saying so on
// standard output) when the file could not be written.
bool save_snapshot();

// Applies the speeds to the ship's place, within its bounds.
void move_ship();

// Places the ship on the screen and queues its picture.
void ship_logic();

// Moves every running animation and stops those that left the screen.
void move_anims();
