// The state of a game in progress, shared by the world step, the renderer
// and the front end, and below all of them. The rules (game) write it,
// except where a part says otherwise: the boss slots (enemies), the scroll
// and the round it completes (world/scroll.h: its advance, and the calls
// through which game's set-ups place it), the best score of the run
// (set_top_score, called by the play loop and the high score table).
#pragma once

// One player's game. A high score line has the same layout.
struct player {
  int score;
  char name[4];  // up to 3 letters and a terminator
  int round;     // 1 for the first round
  int stage;     // phase of the round, 0 to 7
  int cheated;   // -1 once a cheat code other than "AF" was typed
  int lives;     // ships left, including the one in play
  int spare[2];  // never read or written
};

// The phases of a round (the player's stage), set every tick from the view's
// position along the strip.
constexpr int STAGE_START = 0;         // stretch 0 before the first fortress
constexpr int STAGE_FORTRESS1 = 1;
constexpr int STAGE_SPACE = 2;         // enemy planes left to shoot
constexpr int STAGE_SPACE_CLEARED = 3;
constexpr int STAGE_FORTRESS2 = 4;
constexpr int STAGE_BOSS = 5;
constexpr int STAGE_SECOND_HALF = 6;   // stretch 6
constexpr int STAGE_LAST_FORTRESSES = 7;

// No collision this many seconds (of hz ticks) after the clock restarts;
// the ship blinks meanwhile while two ships or fewer are left.
constexpr float GRACE_SECONDS = 1.5f;

extern player player1;
extern player player2;  // declared, not used by the game
extern player demo_player;
// The player of the game in progress and whether it is the demo: chosen by
// game/setup.h (init_demo_game, make_player1_current). Like the enemy
// record, the player's record is written from two rooms on purpose: the
// rules (game) keep its score, lives and stage, and the scroll (world)
// counts the round it completes.
extern player *current_player;

extern float scrollpos;  // scroll units along the level strip; 8 to a map position
extern int scroll_x;     // trunc(scrollpos) / 16: whole scroll steps
extern int scroll_offset;  // trunc(scrollpos) & 15
extern int logicpos;     // sum of the pixels scrolled since the last new position

extern float shipz;
extern float shipalt;
extern float zspeed;
extern float altspeed;
extern float shipscreenx;
extern float shipscreeny;
extern int shippos;
extern float fuel;
extern int end_life;
extern int ship_state;
// The boss's and its missile's enemy_map slots, 0 while none: written only
// by enemies/boss.h (add_boss, forget_boss).
extern int borlin_boss;
extern int borlin_missile;
extern int boss_bonus_paid;  // points the boss's ending paid this round, 0 while none
extern int enemy_planes;
// Planes counted on screen this tick; written by the ground-enemy pass.
extern int planes_onscreen;
extern unsigned int ship_bullet_last_fired;   // game ticks
extern unsigned int enemy_bullet_last_fired;  // clock readings, 0.1 ms
extern int top_score;  // the best score of the run: written only by set_top_score
extern int last_score;
extern int demomode_flag;

// Where the world step finds the ship, and how fast the view scrolls.
extern float scroll_speed;  // scroll units per tick, set every tick from the stage
extern int inside_fortress;  // 0 outside; 1 to 4 the fortress the ship is in
extern int over_ground;      // -1 while the ship is over fortress ground

// In-game switches of the keyboard.
extern int auto_fire;       // -1 fires repeatedly while fire is held
extern int ghostship_flag;  // -1: the ship blinks and cannot hit scenery
extern int show3dmap;
extern int paused;  // -1: every frame waits for a press of P (single steps)       // 0, 1 or 2: the sprite-map and path views

// Play options and the information overlay.
extern int bulletshadows;   // -1 fancy shadows, 0 fast ones
extern int reverse_logic;   // sign of the altitude controls, 1 or -1
extern int show_info_flag;  // -1 shows the information overlay

// The best score of the run: the best line of the high score table as it
// loads, then any better score played or merged in.
void set_top_score(int score);
