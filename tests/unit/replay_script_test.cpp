#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "world/state.h"
#include "script.h"
#include "watch.h"
#include "display/frame.h"

namespace {

constexpr const char *GOOD_SCRIPT =
    "# a comment line\n"
    "seed 42\n"
    "mode 640 480 32   # trailing comment\n"
    "hz 60\n"
    "frame 166 167 200\n"
    "start demo\n"
    "frames 5000\n"
    "at 10 +LEFT SPACE\n"
    "at 10 -LEFT\n"
    "at 30 W 3 PAD8\n";

std::string parse_error(const std::string &text) {
  replay_script s;
  char error[MAX_SCRIPT_ERROR] = "";
  EXPECT_FALSE(parse_script(text.c_str(), s, error)) << text;
  return error;
}

const std::string HEAD = "seed 1\nmode 448 512 8\nframe 133\nstart game\nframes 10\n";

}  // namespace

TEST(ReplayScript, ReadsEverySettingAndTheKeyChangesInOrder) {
  replay_script s;
  char error[MAX_SCRIPT_ERROR] = "";
  ASSERT_TRUE(parse_script(GOOD_SCRIPT, s, error)) << error;
  EXPECT_EQ(s.seed, 42u);
  EXPECT_EQ(s.w, 640);
  EXPECT_EQ(s.h, 480);
  EXPECT_EQ(s.depth, 32);
  EXPECT_EQ(s.hz, 60);
  EXPECT_EQ(s.start, START_DEMO);
  EXPECT_EQ(s.frames, 5000);
  // The lengths are used in turn, over and over.
  ASSERT_EQ(s.frame_length_count, 3);
  EXPECT_EQ(frame_length(s, 0), 166);
  EXPECT_EQ(frame_length(s, 2), 200);
  EXPECT_EQ(frame_length(s, 3), 166);
  EXPECT_EQ(frame_length(s, 7), 167);

  ASSERT_EQ(s.change_count, 6);
  EXPECT_EQ(s.changes[0].frame, 10);
  EXPECT_EQ(s.changes[0].scancode, KEY_LEFT);
  EXPECT_EQ(s.changes[0].change, KEY_CHANGE_DOWN);
  EXPECT_EQ(s.changes[1].scancode, KEY_SPACE);
  EXPECT_EQ(s.changes[1].change, KEY_CHANGE_TAP);
  EXPECT_EQ(s.changes[2].change, KEY_CHANGE_UP);
  EXPECT_EQ(s.changes[3].scancode, KEY_W);
  EXPECT_EQ(s.changes[4].scancode, KEY_3);
  EXPECT_EQ(s.changes[5].scancode, KEY_8_PAD);
  EXPECT_EQ(s.changes[5].frame, 30);
}

TEST(ReplayScript, RefusesWhatItCannotReplayAndSaysWhere) {
  EXPECT_EQ(parse_error(HEAD + "at 5 P\n"), "line 6: no such key: P");  // a pause would never end
  EXPECT_EQ(parse_error(HEAD + "at 5 +SHIFTY\n"), "line 6: no such key: +SHIFTY");
  EXPECT_EQ(parse_error(HEAD + "at 9 A\nat 8 B\n"), "line 7: frames must not go back: 8");
  EXPECT_EQ(parse_error(HEAD + "speed 3\n"), "line 6: not understood: speed");
  EXPECT_EQ(parse_error(HEAD + "hz 0\n"), "line 6: refresh rate out of range: 0");
  EXPECT_EQ(parse_error("mode 448 512 12\n"), "line 1: no such colour depth: 12");
  EXPECT_EQ(parse_error("mode 448 x 8\n"), "line 1: not a number: x");
  EXPECT_EQ(parse_error("seed -3\n"), "line 1: not a number: -3");
  EXPECT_EQ(parse_error("start menu\n"), "line 1: start is game or demo: menu");
  EXPECT_EQ(parse_error("frame 0\n"), "line 1: frame length out of range: 0");
  EXPECT_NE(parse_error("seed 1\nmode 448 512 8\nstart game\nframes 10\n").find("needs"), std::string::npos);
  EXPECT_EQ(parse_error(std::string(600, 'x')), "line 1: line too long");
}

TEST(ReplayScript, KeyNamesCoverLettersDigitsAndTheControls) {
  EXPECT_EQ(key_by_name("A"), KEY_A);
  EXPECT_EQ(key_by_name("Z"), KEY_Z);
  EXPECT_EQ(key_by_name("0"), KEY_0);
  EXPECT_EQ(key_by_name("9"), KEY_9);
  EXPECT_EQ(key_by_name("LCONTROL"), KEY_LCONTROL);
  EXPECT_EQ(key_by_name("F4"), KEY_F4);
  EXPECT_EQ(key_by_name("PAD2"), KEY_2_PAD);
  EXPECT_EQ(key_by_name("P"), -1);
  EXPECT_EQ(key_by_name("a"), -1);
  EXPECT_EQ(key_by_name(""), -1);
}

TEST(ReplayWatch, WritesOneLinePerEventWithItsFrame) {
  watched_state a{3, 1, 0, 0, 0, 0, 0, 0, 0, BOSS_NONE, 0, MISSILE_NONE};
  EXPECT_EQ(changes_between(7, a, a), "");

  watched_state b = a;
  b.stage = 1;
  b.score = 150;
  EXPECT_EQ(changes_between(12, a, b), "      12 stage 1\n      12 score 150\n");

  watched_state hit = a;
  hit.ship_hit = 1;
  hit.position = 94;
  hit.ship_across = 32;
  hit.ship_alt = 130;
  EXPECT_EQ(changes_between(794, a, hit), "     794 ship hit at position 94, across 32, altitude 130\n");
  watched_state lost = hit;
  lost.lives = 2;
  EXPECT_EQ(changes_between(795, hit, lost), "     795 life lost, 2 left\n");

  // The boss: its hit points as they go down, and those it had when it left play.
  watched_state boss = a;
  boss.boss = BOSS_FIGHTING;
  boss.boss_hit_points = 599;
  boss.missile = MISSILE_HELD;
  EXPECT_EQ(changes_between(26, a, boss), "      26 boss fighting, hit points 599\n      26 missile held\n");
  watched_state out = boss;
  out.boss = BOSS_OUT;
  out.boss_hit_points = 0;
  EXPECT_EQ(changes_between(900, boss, out), "     900 boss out of play, hit points 599 before\n");
}

TEST(ReplayWatch, PictureHashSeesEveryByteOfEveryRow) {
  for (int depth : {8, 32}) {
    BITMAP *a = create_bitmap_ex(depth, 33, 7);
    BITMAP *b = create_bitmap_ex(depth, 33, 7);
    clear_to_color(a, 5);
    clear_to_color(b, 5);
    EXPECT_EQ(picture_hash(a), picture_hash(b));
    putpixel(b, 32, 6, depth == 8 ? 6 : 0x010000 | 5);  // the last pixel, a high byte
    EXPECT_NE(picture_hash(a), picture_hash(b)) << depth;
    destroy_bitmap(a);
    destroy_bitmap(b);
  }
}

TEST(ReplayWatch, StateHashFollowsThePlayerAndTheView) {
  player *saved_current = current_player;
  const player saved = player1;
  const float saved_scroll = scrollpos;
  current_player = &player1;
  const uint64_t before = game_state_hash();
  EXPECT_EQ(game_state_hash(), before);
  scrollpos += 2;
  EXPECT_NE(game_state_hash(), before);
  scrollpos = saved_scroll;
  player1.score += 50;
  EXPECT_NE(game_state_hash(), before);
  player1 = saved;
  EXPECT_EQ(game_state_hash(), before);
  current_player = saved_current;
}
