// The settings file: the display and play options that survive a restart.
#pragma once

constexpr const char *CONFIG_FILE = "config.dat";
constexpr int CONFIG_BYTES = 12;

// Settings wider or taller than these, or of no size, are not ones the
// menus offer (the tallest size they list is 800 x 600).
constexpr int MAX_CONFIG_WIDTH = 800;
constexpr int MAX_CONFIG_HEIGHT = 600;
// The update methods a file may name (0 to 3).
constexpr int MAX_CONFIG_UPDATE_METHOD = 3;
constexpr int MAX_CONFIG_REGULATE_METHOD = 3;

// The fields as read, in file order; -1 for a field past the end.
struct config_fields {
  int driver_word;
  int width;
  int height;
  int depth;
  int refresh;
  int update_method;
  int regulate_method;
  int shadows;
  int reverse_alt;
};

// A settings request every part of which the game can act on.
struct config_request {
  int driver;
  int width;
  int height;
  int depth;
  int refresh;
  int update_method;
  int regulate_method;
  int shadows_value;      // the "Shadows" item: -1 fancy, 0 fast
  int reverse_alt_value;  // the "Reverse Alt Logic" item: -1 on, 0 off
};

// Reads the file's fields; false when it does not open as a packed file.
bool read_config_file(const char *name, config_fields &out);

// The file keeps only the low 16 bits of a driver id. The autodetect ids
// 0 to 2 stand for themselves; any other word names the driver among
// `ids` (`count` of them) whose low word it is, when exactly one does.
// Anything else is no driver: the default request's.
int restore_driver_id(int word, const int *ids, int count);

// The ids of the drivers the library offers, and its safe driver.
constexpr int MAX_LISTED_DRIVERS = 32;
int listed_driver_ids(int *ids, int max);

// Turns what a file holds into a request: each value outside its range
// means its default, so no file can keep the game from starting.
config_request config_from_fields(const config_fields &f, const int *ids, int count);

// At start-up: the saved settings, or the defaults, and the first mode.
void load_config();
// "Save Settings": writes the settings in use; says so when it cannot.
void save_config();
