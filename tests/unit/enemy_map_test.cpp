#include "world/enemy_map.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "gen/anims.h"
#include "shell/shell.h"
#include "test_support.h"
#include "world/map_data.h"

namespace {

// Stand-in data files whose bitmap n is (10 + n) x (50 + n) pixels, so a
// kind's size tells which object it was taken from.
struct FakeResources {
  EnemyKindsSaved kinds;  // no kind keeps a bitmap freed here
  std::vector<DATAFILE> borlin, kestal;
  static constexpr int anims[4] = {ANIM_FORCE_FIELD, ANIM_FORCE_FIELD2, ANIM_FORCE_FIELD1,
                                   ANIM_FORCE_FIELD3};
  anim_type *saved[4];
  anim_type fields[4] = {{0, nullptr, 286, 190},
                         {0, nullptr, 380, 246},
                         {0, nullptr, 396, 212},
                         {0, nullptr, 378, 252}};
  FakeResources() : borlin(BORLIN_OBJECT_COUNT + 1), kestal(KESTAL_OBJECT_COUNT + 1) {
    for (auto *file : {&borlin, &kestal})
      for (size_t i = 0; i + 1 < file->size(); i++) (*file)[i].dat = create_bitmap(10 + i, 50 + i);
    commondata = borlin.data();
    data = kestal.data();
    for (int i = 0; i < 4; i++) {
      saved[i] = anim_type_list[anims[i]];
      anim_type_list[anims[i]] = &fields[i];
    }
  }
  ~FakeResources() {
    for (auto *file : {&borlin, &kestal})
      for (DATAFILE &d : *file)
        if (d.dat) destroy_bitmap(static_cast<BITMAP *>(d.dat));
    commondata = data = nullptr;
    for (int i = 0; i < 4; i++) anim_type_list[anims[i]] = saved[i];
  }
};

void write_records(const std::vector<enemy_record> &r) {
  ASSERT_TRUE(write_enemy_records(ENEMY_MAP_FILE, r));
}

// Kinds built from the fake resources, with the given enemy map loaded.
struct EnemyWorld {
  ScratchDir dir;
  FakeResources res;
  explicit EnemyWorld(const std::vector<enemy_record> &records = {}) {
    write_records(records);
    init_enemy_type_list();
  }
};

}  // namespace

TEST(EnemyKinds, AreBuiltInOrderWithTheirSizesAndWrecks) {
  EnemyWorld w;
  ASSERT_EQ(total_enemy_types, 33);
  const enemy_type *fuel = enemy_type_list[KIND_FUEL];
  EXPECT_STREQ(fuel->name, "fuel");
  EXPECT_EQ(fuel->base_sprite, data[KESTAL_FUEL].dat);
  EXPECT_EQ(fuel->sprite, fuel->base_sprite);
  EXPECT_EQ(fuel->video_sprite, nullptr);
  EXPECT_EQ(fuel->contour, commondata[BORLIN_FUEL_CONTOUR].dat);
  EXPECT_EQ(fuel->wreck, data[KESTAL_WRECK].dat);
  EXPECT_EQ(fuel->width, 10 + KESTAL_FUEL);  // from the sprite
  EXPECT_EQ(fuel->score_low, 300);
  EXPECT_EQ(fuel->screen_dx, 1);

  const enemy_type *wall = enemy_type_list[KIND_WALL_3X4];  // contour only
  EXPECT_EQ(wall->sprite, nullptr);
  EXPECT_EQ(wall->width, 10 + BORLIN_WALL_3X4_CONTOUR);
  EXPECT_EQ(wall->height, 50 + BORLIN_WALL_3X4_CONTOUR);
  EXPECT_EQ(wall->screen_dy, -1);
  EXPECT_EQ(wall->wreck, nullptr);

  // Force fields are as big as their animations' frames.
  EXPECT_EQ(enemy_type_list[KIND_FORCE_FIELD]->width, 286);
  EXPECT_EQ(enemy_type_list[KIND_FORCE_FIELD_2]->height, 246);
  EXPECT_EQ(enemy_type_list[KIND_FORCE_FIELD_1]->width, 396);
  EXPECT_EQ(enemy_type_list[KIND_FORCE_FIELD_3]->anim_type, 10);

  EXPECT_EQ(enemy_type_list[KIND_RED_ROCKET]->start_alt, -34);
  EXPECT_EQ(enemy_type_list[KIND_BOSS]->hit_points, 599);
  EXPECT_EQ(enemy_type_list[KIND_BOSS]->shadow, commondata[BORLIN_BOSS_SHADOW].dat);
  EXPECT_STREQ(enemy_type_list[KIND_SUPER_3X2_BLOCK_WITHOUT_SIDE]->name,
               "super 3x2 block without side");
  int wrecked = 0;
  for (int i = 0; i < total_enemy_types; i++) wrecked += enemy_type_list[i]->wreck != nullptr;
  EXPECT_EQ(wrecked, 8);

  // Shutdown drops a video copy and points the kind back at its own sprite.
  enemy_type *radar = enemy_type_list[KIND_RADAR];
  radar->video_sprite = radar->sprite = create_bitmap(4, 4);
  release_enemy_video_sprites();
  EXPECT_EQ(radar->video_sprite, nullptr);
  EXPECT_EQ(radar->sprite, radar->base_sprite);
}

TEST(EnemyKindsDeathTest, AFullTableOfKindsSaysSoAndLeaves) {
  EXPECT_EXIT(
      {
        total_enemy_types = MAX_ENEMY_TYPES;
        add_to_enemy_type_list("one too many", nullptr, nullptr, nullptr, nullptr, 0, 0, 1, 0, 0, 0,
                               0, NO_ANIM);
      },
      ::testing::ExitedWithCode(EXIT_FATAL), "");
}

TEST(EnemyMap, AnEmptyFilePlacesNothing) {
  EnemyWorld w;
  EXPECT_EQ(total_enemies, 0);
  EXPECT_EQ(total_loaded_enemies, 0);
}

TEST(EnemyMap, SecondPassCopiesTheFortressesIntoTheSecondHalf) {
  EnemyWorld w({{KIND_RADAR, 459, 40, 0},
                {KIND_RADAR, 460, 41, 0},
                {KIND_RADAR, 611, 42, 0},
                {KIND_RADAR, 612, 43, 0},
                {KIND_FUEL, 100, 30, 0},
                {KIND_CHIMNEYS, 200, 30, 0},
                {KIND_BLUE_TURRET, 700, 30, 0},
                {KIND_3X2_BLOCK, 16, 21, 0},
                {KIND_3X2_BLOCK_WITHOUT_SIDE, 34, 57, 0},
                {KIND_HOLE, 300, 20, 1}});
  // 10 originals, then copies of all but 460, 611 and the chimneys.
  ASSERT_EQ(total_enemies, 17);
  EXPECT_EQ(total_loaded_enemies, 17);
  struct Want {
    int kind, x, y;
  };
  const Want copies[] = {{KIND_RADAR, 1631, 40},
                         {KIND_RADAR, 1708, 43},
                         {KIND_SUPERFUEL, 1272, 30},
                         {KIND_SUPER_BLUE_TURRET, 1796, 30},
                         {KIND_SUPER_3X2_BLOCK, 1188, 21},
                         {KIND_SUPER_3X2_BLOCK_WITHOUT_SIDE, 1206, 57},
                         {KIND_HOLE, 1472, 20}};
  for (int i = 0; i < 7; i++) {
    const enemy *e = enemy_map[10 + i];
    EXPECT_EQ(e->type, copies[i].kind) << i;
    EXPECT_EQ(e->map_x, copies[i].x) << i;
    EXPECT_EQ(e->map_y, copies[i].y) << i;
    EXPECT_EQ(e->index, 10 + i);
  }
  EXPECT_EQ(enemy_map[16]->alt, 1);
  EXPECT_EQ(enemy_map[4]->type, KIND_FUEL);  // the original stays fuel
  EXPECT_EQ(enemy_map[4]->hit_points, 1);
  EXPECT_EQ(enemy_map[7]->hit_points, INDESTRUCTIBLE);
  EXPECT_EQ(enemy_map[7]->move, nullptr);
}

TEST(EnemyMap, AltitudeByteIsBiased) {
  ScratchDir dir;
  PACKFILE *f = pack_fopen(ENEMY_MAP_FILE, F_WRITE_PACKED);
  for (int alt_byte : {96, 0, 255}) {
    pack_putc(KIND_HOLE2, f);
    pack_iputw(500, f);  // not copied
    pack_putc(10, f);
    pack_putc(alt_byte, f);
  }
  pack_putc(ENEMY_MAP_END, f);
  pack_fclose(f);
  std::vector<enemy_record> r;
  ASSERT_TRUE(read_enemy_records(ENEMY_MAP_FILE, r));
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].alt, 0);
  EXPECT_EQ(r[1].alt, -96);
  EXPECT_EQ(r[2].alt, 159);
  EXPECT_EQ(r[0].map_x, 500);
}

TEST(EnemyMap, BrokenFilesAreRejected) {
  ScratchDir dir;
  std::vector<enemy_record> r;
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));  // missing

  PACKFILE *f = pack_fopen(ENEMY_MAP_FILE, F_WRITE_PACKED);
  pack_putc(KIND_FUEL, f);
  pack_iputw(100, f);
  pack_putc(10, f);  // cut before the altitude and the end byte
  pack_fclose(f);
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));

  write_records({{ENEMY_KIND_COUNT, 100, 10, 0}});  // no such kind
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));

  // Off the strip along or across; its last places are fine.
  write_records({{KIND_FUEL, 65535, 10, 0}});
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));
  write_records({{KIND_FUEL, MAP_POSITIONS, 10, 0}});
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));
  write_records({{KIND_FUEL, 100, MAX_ENEMY_MAP_Y + 1, 0}});
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));
  write_records({{KIND_FUEL, 100, 255, 0}});
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));
  write_records({{KIND_FUEL, MAP_POSITIONS - 1, MAX_ENEMY_MAP_Y, 0}});
  EXPECT_TRUE(read_enemy_records(ENEMY_MAP_FILE, r));
}

TEST(EnemyMapDeathTest, UnreadableMapIsNamedAndEndsTheProgram) {
  ScratchDir dir;
  FakeResources res;
  EXPECT_EQ(output_of_exit(dir.path, EXIT_FATAL, [] { init_enemy_type_list(); }),
            "Could not read file: enemymapp.dat\n");
}

// The level needs every enemy of its map: one that cannot place them all
// with their second-half copies is refused before anything is placed, as
// an unreadable one.
TEST(EnemyMap, MapsThatOverflowTheTableAreRefusedWhole) {
  const enemy_record copied{KIND_RADAR, 100, 10, 0};
  const enemy_record single{KIND_HOLE2, 500, 9, 0};
  std::vector<enemy_record> full(MAX_ENEMIES / 2 - 1, copied);
  full.push_back(single);
  full.push_back(single);
  EnemyWorld w(full);
  ASSERT_EQ(total_enemies, MAX_ENEMIES);
  EXPECT_EQ(total_loaded_enemies, MAX_ENEMIES);
  EXPECT_EQ(enemy_map[MAX_ENEMIES - 1]->map_x, 100 + COPY_SHIFT_EARLY);

  std::vector<enemy_record> r;
  for (const enemy_record &last : {single, copied}) {
    std::vector<enemy_record> over = full;
    over.push_back(last);
    write_records(over);
    EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));
    EXPECT_TRUE(r.empty());
    enemy_map[3]->hit_points = 0;  // play had begun
    EXPECT_FALSE(read_enemy_map(ENEMY_MAP_FILE));
    EXPECT_EQ(total_enemies, MAX_ENEMIES);
    EXPECT_EQ(enemy_map[3]->hit_points, 0);
  }
  // A full table's worth of records with no end byte is a cut file.
  PACKFILE *f = pack_fopen(ENEMY_MAP_FILE, F_WRITE_PACKED);
  for (int i = 0; i < MAX_ENEMIES; i++) {
    pack_putc(KIND_HOLE2, f);
    pack_iputw(500, f);
    pack_putc(9, f);
    pack_putc(ALT_BIAS, f);
  }
  pack_fclose(f);
  EXPECT_FALSE(read_enemy_records(ENEMY_MAP_FILE, r));
}

TEST(EnemyMapDeathTest, OverflowingMapIsNamedAndEndsTheProgram) {
  ScratchDir dir;
  FakeResources res;
  write_records(std::vector<enemy_record>(MAX_ENEMIES / 2 + 1, {KIND_RADAR, 100, 10, 0}));
  EXPECT_EQ(output_of_exit(dir.path, EXIT_FATAL, [] { init_enemy_type_list(); }),
            "Could not read file: enemymapp.dat\n");
}

TEST(EnemyMap, SaveThenLoadGivesTheSameEnemies) {
  EnemyWorld w({{KIND_FUEL, 100, 30, 0}, {KIND_WALL_3X4, 700, 44, -3}, {KIND_HOLE2, 500, 9, 20}});
  add_map_enemy(KIND_CHIMNEYS, 1100, 50, 12);
  EXPECT_EQ(total_loaded_enemies, 6);
  add_dynamic_enemy(KIND_PLANE, 300, 200, 40, nullptr);  // must not be saved
  std::vector<enemy> before;
  for (int i = 0; i < total_enemies; i++) before.push_back(*enemy_map[i]);
  save_enemy_map();
  load_enemy_map();
  // The originals come first and the copies after, so the added chimneys
  // now stand before the copies.
  ASSERT_EQ(total_enemies, 6);
  const int order[] = {0, 1, 2, 5, 3, 4};
  for (int i = 0; i < 6; i++) {
    const enemy &want = before[order[i]];
    EXPECT_EQ(enemy_map[i]->type, want.type) << i;
    EXPECT_EQ(enemy_map[i]->map_x, want.map_x) << i;
    EXPECT_EQ(enemy_map[i]->map_y, want.map_y) << i;
    EXPECT_EQ(enemy_map[i]->alt, want.alt) << i;
  }
}

TEST(EnemyMap, SavingKeepsPlacedSlotsAndTruncatesTheBiasedAltitude) {
  // A placed enemy at map x 0 is still placed; a dynamic one that has a
  // map position of its own is still dynamic.
  EnemyWorld w({{KIND_FUEL, 0, 30, 0}, {KIND_RADAR, 200, 40, 0}});
  enemy_map[1]->alt = -33.5f;
  const int d = add_dynamic_enemy(KIND_PLANE, 300, 200, 40, nullptr);
  enemy_map[d]->map_x = 250;
  enemy_map[d]->map_y = 20;
  save_enemy_map();
  std::vector<enemy_record> r;
  ASSERT_TRUE(read_enemy_records(ENEMY_MAP_FILE, r));
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].kind, KIND_FUEL);
  EXPECT_EQ(r[0].map_x, 0);
  EXPECT_EQ(r[1].kind, KIND_RADAR);
  EXPECT_EQ(r[1].alt + ALT_BIAS, 62);  // trunc(-33.5 + 96)
}

TEST(EnemyMap, UnwritableMapIsReportedAndPlayGoesOn) {
  EnemyWorld w({{KIND_FUEL, 100, 30, 0}});
  // A folder in the file's place cannot be opened for writing, even by root.
  std::filesystem::remove(ENEMY_MAP_FILE);
  std::filesystem::create_directory(ENEMY_MAP_FILE);
  const std::string said = capture_stdout([] { save_enemy_map(); });
  EXPECT_EQ(said, "Could not create file: enemymapp.dat\n");
}

TEST(DynamicEnemies, TakeTheLowestFreeSlotAfterThePlacedOnes) {
  EnemyWorld w({{KIND_HOLE2, 500, 9, 0}});
  ASSERT_EQ(total_loaded_enemies, 1);
  static int moved = 0;
  auto move = [](enemy *) { moved++; };
  const int a = add_dynamic_enemy(KIND_PLANE, 10, 20, 30, move);
  const int b = add_dynamic_enemy(KIND_SATELLITE, 11, 21, 31, nullptr);
  const int c = add_dynamic_enemy(KIND_PLANE, 12, 22, 32, nullptr);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3);
  EXPECT_EQ(enemy_map[a]->frame, -1);  // a path starts on its first call
  EXPECT_EQ(enemy_map[b]->frame, 0);
  EXPECT_EQ(enemy_map[a]->screen_x, 10);
  EXPECT_EQ(enemy_map[a]->alt, 30);

  BITMAP *drawn = reinterpret_cast<BITMAP *>(0x1234);
  enemy_map[b]->last_sprite = drawn;
  enemy_map[b]->hit_points = 0;
  enemy_map[c]->hit_points = 0;
  const int d = add_dynamic_enemy(KIND_DOODLEBUG, 5, 6, 7, move);
  EXPECT_EQ(d, b);
  EXPECT_EQ(enemy_map[d]->type, KIND_DOODLEBUG);
  EXPECT_EQ(enemy_map[d]->hit_points, 5);
  EXPECT_EQ(enemy_map[d]->index, b);
  EXPECT_EQ(enemy_map[d]->last_sprite, drawn);  // kept on reuse
  EXPECT_EQ(enemy_map[d]->move, +move);
  EXPECT_EQ(total_enemies, 4);
  enemy_map[d]->last_sprite = nullptr;
}

TEST(EnemyMapDeathTest, FullTableAndMissingHandlesEndTheProgram) {
  EnemyWorld w({{KIND_3X2_BLOCK, 16, 21, 0}, {KIND_3X2_BLOCK, 16, 21, 0}});
  EXPECT_EQ(get_spriteid_at_mapxy(KIND_3X2_BLOCK, 16, 21), 0);  // the first wins
  EXPECT_EQ(get_spriteid_at_mapxy(KIND_SUPER_3X2_BLOCK, 1188, 21), 2);
  EXPECT_EXIT(get_spriteid_at_mapxy(KIND_3X2_BLOCK, 16, 23), ::testing::ExitedWithCode(EXIT_FATAL),
              "");
  while (total_enemies < MAX_ENEMIES) add_dynamic_enemy(KIND_PLANE, 0, 0, 0, nullptr);
  EXPECT_EXIT(add_dynamic_enemy(KIND_PLANE, 0, 0, 0, nullptr),
              ::testing::ExitedWithCode(EXIT_FATAL), "");
  EXPECT_EXIT(add_map_enemy(KIND_FUEL, 10, 10, 0), ::testing::ExitedWithCode(EXIT_FATAL), "");
}
