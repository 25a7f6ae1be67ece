#include "world/enemy_map.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>

#include "gen/anims.h"
#include "shell/packed_file.h"
#include "shell/shell.h"
#include "world/map_data.h"
#include "world/state.h"

enemy_type *enemy_type_list[MAX_ENEMY_TYPES];
int total_enemy_types = 0;

enemy *enemy_map[MAX_ENEMIES];
int total_enemies = 0;
int total_loaded_enemies = 0;

void add_to_enemy_type_list(const char *name, BITMAP *sprite, BITMAP *contour, BITMAP *shadow,
                            BITMAP *wreck, int score_low, int score_high, int hit_points,
                            int screen_dx, int screen_dy, int depth, int start_alt, int anim_type) {
  if (total_enemy_types == MAX_ENEMY_TYPES) {
    puts("Too many enemy types");
    main_exit(EXIT_FATAL);
  }
  // Kinds live for the whole run; a second build (only the tests do that)
  // refills the records it made the first time.
  enemy_type *&t = enemy_type_list[total_enemy_types];
  if (!t) t = new enemy_type;
  *t = enemy_type{};
  t->sprite = t->base_sprite = sprite;
  t->contour = contour;
  t->shadow = shadow;
  t->wreck = wreck;
  t->score_low = score_low;
  t->score_high = score_high;
  t->hit_points = hit_points;
  t->screen_dx = screen_dx;
  t->screen_dy = screen_dy;
  t->depth = depth;
  t->start_alt = start_alt;
  t->name = name;
  t->anim_type = anim_type;
  if (BITMAP *size = sprite ? sprite : contour) {
    t->width = size->w;
    t->height = size->h;
  } else if (anim_type >= 0 && anim_type_list[anim_type]) {
    t->width = anim_type_list[anim_type]->width;
    t->height = anim_type_list[anim_type]->height;
  }
  total_enemy_types++;
}

void init_enemy_type_list() {
  total_enemy_types = 0;
  for (const enemy_kind_row &k : enemy_kind_table)
    add_to_enemy_type_list(
        k.name, datafile_bitmap(data, k.sprite), datafile_bitmap(commondata, k.contour),
        datafile_bitmap(commondata, k.shadow), k.wrecks ? datafile_bitmap(data, KESTAL_WRECK) : nullptr,
        k.score_low, k.score_high, k.hit_points, k.screen_dx, k.screen_dy, k.depth, k.start_alt,
        k.anim_type);
  load_enemy_map();
}

void release_enemy_video_sprites() {
  for (int i = 0; i < total_enemy_types; i++) {
    enemy_type *t = enemy_type_list[i];
    if (!t->video_sprite) continue;
    // No enemy may keep a copy that is gone as the picture it last drew.
    for (int n = 0; n < total_enemies; n++)
      if (enemy_map[n]->last_sprite == t->video_sprite) enemy_map[n]->last_sprite = nullptr;
    destroy_bitmap(t->video_sprite);
    t->video_sprite = nullptr;
    t->sprite = t->base_sprite;
  }
}

bool second_half_copy(const enemy_record &r, enemy_record &copy) {
  copy = r;
  switch (r.kind) {
    case KIND_FUEL:
      copy.kind = KIND_SUPERFUEL;
      break;
    case KIND_BLUE_TURRET:
      copy.kind = KIND_SUPER_BLUE_TURRET;
      break;
    case KIND_3X2_BLOCK:
      copy.kind = KIND_SUPER_3X2_BLOCK;
      break;
    case KIND_3X2_BLOCK_WITHOUT_SIDE:
      copy.kind = KIND_SUPER_3X2_BLOCK_WITHOUT_SIDE;
      break;
    case KIND_CHIMNEYS:
      return false;
    default:
      break;
  }
  if (r.map_x <= FIRST_FORTRESS_LAST_COPIED)
    copy.map_x += COPY_SHIFT_EARLY;
  else if (r.map_x >= SECOND_FORTRESS_FIRST_COPIED)
    copy.map_x += COPY_SHIFT_LATE;
  else
    return false;
  return true;
}

bool read_enemy_records(const char *name, std::vector<enemy_record> &out) {
  out.clear();
  PACKFILE *f = open_packed_file(name);
  if (!f) return false;
  bool ok = true;
  int placed = 0;  // the records and their copies
  for (;;) {
    const int kind = pack_getc(f);
    if (kind == ENEMY_MAP_END) break;
    enemy_record r;
    r.kind = kind;
    r.map_x = pack_igetw(f);
    r.map_y = pack_getc(f);
    const int alt = pack_getc(f);
    // An unknown kind would have no record to read, a file cut short would
    // place garbage, and a place off the strip is garbage too.
    if (kind < 0 || kind >= ENEMY_KIND_COUNT || r.map_x < 0 || r.map_x >= MAP_POSITIONS ||
        r.map_y < 0 || r.map_y > MAX_ENEMY_MAP_Y || alt < 0) {
      ok = false;
      break;
    }
    r.alt = alt - ALT_BIAS;
    enemy_record copy;
    placed += second_half_copy(r, copy) ? 2 : 1;
    // The level needs every one of them: a map that cannot all be placed
    // is as broken as a cut one.
    if (placed > MAX_ENEMIES) {
      ok = false;
      break;
    }
    out.push_back(r);
  }
  pack_fclose(f);
  if (!ok) out.clear();
  return ok;
}

bool write_enemy_records(const char *name, const std::vector<enemy_record> &records) {
  PACKFILE *f = pack_fopen(name, F_WRITE_PACKED);
  if (!f) return false;
  for (const enemy_record &r : records) {
    pack_putc(r.kind, f);
    pack_iputw(r.map_x, f);
    pack_putc(r.map_y, f);
    pack_putc(std::clamp(r.alt + ALT_BIAS, 0, 255), f);
  }
  pack_putc(ENEMY_MAP_END, f);
  return pack_fclose(f) == 0;
}

// A slot's record, allocated the first time the slot is used and zeroed.
static enemy *fresh_slot(int slot) {
  enemy *&e = enemy_map[slot];
  if (!e) e = new enemy;
  *e = enemy{};
  e->index = slot;
  return e;
}

static void append_placed_enemy(const enemy_record &r) {
  enemy *e = fresh_slot(total_enemies);
  e->type = r.kind;
  e->map_x = r.map_x;
  e->map_y = r.map_y;
  e->alt = r.alt;
  e->hit_points = enemy_type_list[r.kind]->hit_points;
  total_enemies++;
}

bool read_enemy_map(const char *name) {
  std::vector<enemy_record> records;
  if (!read_enemy_records(name, records)) return false;
  total_enemies = 0;
  for (const enemy_record &r : records) append_placed_enemy(r);
  // The second pass places the copies that make up the second half.
  for (const enemy_record &r : records) {
    enemy_record copy;
    if (second_half_copy(r, copy)) append_placed_enemy(copy);
  }
  total_loaded_enemies = total_enemies;
  return true;
}

void load_enemy_map() {
  if (read_enemy_map(ENEMY_MAP_FILE)) return;
  printf("Could not read file: %s\n", ENEMY_MAP_FILE);
  main_exit(EXIT_FATAL);
}

void save_enemy_map() {
  std::vector<enemy_record> records;
  // Slots from total_loaded_enemies on are dynamic; of the placed ones the
  // copies beyond the first half are made again on loading.
  for (int i = 0; i < total_loaded_enemies; i++) {
    const enemy *e = enemy_map[i];
    if (e->map_x > LAST_SAVED_MAP_X) continue;
    // The byte is trunc(alt + 96): -33.5 gives 62, where trunc(alt) + 96 gives 63.
    const int alt_byte = static_cast<int>(e->alt + ALT_BIAS);
    records.push_back({e->type, e->map_x, e->map_y, alt_byte - ALT_BIAS});
  }
  if (!write_enemy_records(ENEMY_MAP_FILE, records))
    printf("Could not create file: %s\n", ENEMY_MAP_FILE);
}

static void fail_table_full() {
  printf("Too many enemies: the table holds %d\n", MAX_ENEMIES);
  main_exit(EXIT_FATAL);
}

void add_map_enemy(int type, int map_x, int map_y, int alt) {
  if (total_enemies >= MAX_ENEMIES) fail_table_full();
  // Placed enemies come first: while no dynamic one exists, the new one
  // counts as loaded.
  const bool all_loaded = total_loaded_enemies == total_enemies;
  append_placed_enemy({type, map_x, map_y, alt});
  if (all_loaded) total_loaded_enemies = total_enemies;
}

int add_dynamic_enemy(int type, int screen_x, int screen_y, int alt, enemy_move move) {
  int slot = total_loaded_enemies;
  while (slot < total_enemies && enemy_map[slot]->hit_points != 0) slot++;
  enemy *e;
  if (slot < total_enemies) {
    e = enemy_map[slot];  // keeps its index and last sprite
  } else {
    if (total_enemies >= MAX_ENEMIES) fail_table_full();
    e = fresh_slot(total_enemies++);
  }
  e->type = type;
  e->alt = alt;
  e->hit_points = enemy_type_list[type]->hit_points;
  e->frame = 0;
  e->map_x = e->map_y = 0;
  e->screen_x = screen_x;
  e->screen_y = screen_y;
  e->move = move;
  if (move) e->frame = -1;  // a path starts on the first call
  return slot;
}

int get_spriteid_at_mapxy(int type, int map_x, int map_y) {
  for (int i = 0; i < total_enemies; i++) {
    const enemy *e = enemy_map[i];
    if (e->type == type && e->map_x == map_x && e->map_y == map_y) return i;
  }
  printf("The enemy map has no kind %d at %d,%d\n", type, map_x, map_y);
  main_exit(EXIT_FATAL);
}

bool enemy_is(int index, int type) {
  return index > 0 && index < total_enemies && enemy_map[index] != nullptr &&
         enemy_map[index]->type == type;
}

bool is_boss_missile(const enemy *e) {
  const bool live_boss = enemy_is(borlin_boss, KIND_BOSS) && enemy_map[borlin_boss]->hit_points > 0;
  return live_boss && enemy_is(borlin_missile, KIND_DOODLEBUG) && enemy_map[borlin_missile] == e;
}
