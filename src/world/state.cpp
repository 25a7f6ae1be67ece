#include "world/state.h"


player player1;
player player2;
player demo_player;
player *current_player = &player1;

float scrollpos = 0;
int scroll_x = 0;
int scroll_offset = 0;
int logicpos = 0;

float shipz = 0;
float shipalt = 0;
float zspeed = 0;
float altspeed = 0;
float shipscreenx = 0;
float shipscreeny = 0;
int shippos = 0;
float fuel = 0;
int end_life = 0;
int ship_state = 0;
int borlin_boss = 0;
int borlin_missile = 0;
int boss_bonus_paid = 0;
int enemy_planes = 0;
int planes_onscreen = 0;
unsigned int ship_bullet_last_fired = 0;
unsigned int enemy_bullet_last_fired = 0;
int top_score = 0;
int last_score = 0;
int demomode_flag = 0;

float scroll_speed = 2.0f;
int inside_fortress = 0;
int over_ground = 0;

int auto_fire = 0;
int ghostship_flag = 0;
int show3dmap = 0;
int paused = 0;

int bulletshadows = -1;
int reverse_logic = 1;
int show_info_flag = 0;

void set_top_score(int score) { top_score = score; }
