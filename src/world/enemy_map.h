// Enemy kinds and the enemies placed on the map or launched during play.
#pragma once

#include <vector>

#include "world/enemy_kinds.h"

struct BITMAP;

// One kind of enemy, built once at start-up.
struct enemy_type {
  BITMAP *sprite;        // what it is drawn with: base_sprite or its video copy
  BITMAP *base_sprite;   // from kestal.dat
  BITMAP *video_sprite;  // the video-memory copy, or null
  BITMAP *contour;
  BITMAP *shadow;
  BITMAP *wreck;
  int width;
  int height;
  int depth;
  int score_low;
  int score_high;
  int hit_points;
  int screen_dx;
  int screen_dy;
  int start_alt;
  const char *name;
  int anim_type;
};

constexpr int MAX_ENEMY_TYPES = 256;
extern enemy_type *enemy_type_list[MAX_ENEMY_TYPES];
extern int total_enemy_types;

struct enemy;
using enemy_move = void (*)(enemy *);

// One enemy: placed ones come from the enemy map file and stand at a map
// position; dynamic ones are launched during play and move on the screen.
// The one record with several writers, by field: game the hit points and
// what a hit or the set-up changes, enemies the motion, render the last_*
// and sprite-map fields of what it drew.
struct enemy {
  int index;
  int type;
  int map_x;  // position along the strip; 0 for dynamic enemies
  int map_y;  // across the strip in steps of 4 pixels; 0 for dynamic enemies
  float alt;
  int hit_points;  // 0: destroyed, or for a dynamic slot, free
  int on_screen;
  int spritemap_columns;  // 0 not entered, -1 entered completely, n: first n columns
  int spritemap_y;        // negated y of a partial entry
  float frame;            // animation frame, or a path's step counter (-1: not started)
  int launch_position;
  float screen_x;
  float screen_y;
  float last_x;
  float last_y;
  float last_alt;
  BITMAP *last_sprite;
  enemy_move move;
  float move_time;
  int origin_x;
  int origin_y;
  float target_x;
  float target_y;
  float target_alt;
};

constexpr int MAX_ENEMIES = 1024;
extern enemy *enemy_map[MAX_ENEMIES];
extern int total_enemies;
extern int total_loaded_enemies;

constexpr const char *ENEMY_MAP_FILE = "enemymapp.dat";

// One record of the enemy map file.
struct enemy_record {
  int kind;
  int map_x;
  int map_y;
  int alt;
};

constexpr int ENEMY_MAP_END = 255;      // the kind byte that ends the file
constexpr int ALT_BIAS = 96;            // stored altitude byte = alt + 96
constexpr int LAST_SAVED_MAP_X = 1171;  // beyond this only second-half copies stand
constexpr int MAX_ENEMY_MAP_Y = 105;     // the strip's last place across, in map y

// The second half of the level repeats the first: a record at or before
// FIRST_FORTRESS_LAST_COPIED reappears COPY_SHIFT_EARLY positions later,
// one at or after SECOND_FORTRESS_FIRST_COPIED COPY_SHIFT_LATE later, with
// the super kinds in place of fuel, blue turrets and two blocks, and
// chimneys left out. False when the record has no copy.
constexpr int FIRST_FORTRESS_LAST_COPIED = 459;
constexpr int SECOND_FORTRESS_FIRST_COPIED = 612;
constexpr int COPY_SHIFT_EARLY = 1172;
constexpr int COPY_SHIFT_LATE = 1096;
bool second_half_copy(const enemy_record &r, enemy_record &copy);

// Reads every record up to the end byte; false (and no records) when the
// file is missing, not a packfile, ends early, names a kind that does not
// exist, places a record off the strip (past the last map position or map
// y) or holds more records and second-half copies than the table does.
bool read_enemy_records(const char *name, std::vector<enemy_record> &out);
// Writes the records and the end byte; false when the file cannot be made.
bool write_enemy_records(const char *name, const std::vector<enemy_record> &records);

// The next kind of the table; a full table (MAX_ENEMY_TYPES) says so and
// leaves the program.
void add_to_enemy_type_list(const char *name, BITMAP *sprite, BITMAP *contour, BITMAP *shadow,
                            BITMAP *wreck, int score_low, int score_high, int hit_points,
                            int screen_dx, int screen_dy, int depth, int start_alt, int anim_type);
void init_enemy_type_list();
// Places the records of `name` and their copies as the table's first
// enemies. False, with the table untouched, when read_enemy_records is.
bool read_enemy_map(const char *name);
// The same for the game's own map, leaving the program when it is unreadable.
void load_enemy_map();
void save_enemy_map();
void add_map_enemy(int type, int map_x, int map_y, int alt);
int add_dynamic_enemy(int type, int screen_x, int screen_y, int alt, enemy_move move);
int get_spriteid_at_mapxy(int type, int map_x, int map_y);

// True when `index` names an enemy of the table of kind `type`. Slot 0 means
// "no enemy", so it never qualifies. The boss and its missile are kept as
// bare indices that outlive their enemies; every use checks them with this.
bool enemy_is(int index, int type);
// True when `e` is the missile (borlin_missile) of a boss (borlin_boss)
// that is still alive.
bool is_boss_missile(const enemy *e);

// Shutdown: drops the video copies of the kinds' sprites.
void release_enemy_video_sprites();
