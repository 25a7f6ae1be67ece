// A headless 448 x 512 screen for the front end's tests: the fake card's
// mode, a memory drawing buffer, borlin.dat for the logo and the caption
// font, and every global the menus and the title page touch, restored
// afterwards.
#pragma once

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "display/frame.h"
#include "display/gfx.h"
#include "fake_card.h"
#include "frontend/menu.h"
#include "frontend/titles.h"
#include "world/state.h"
#include "game_data.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"
#include "frontend/intro.h"

// The keys the front end reads, released again by the fixture.
constexpr int FRONT_KEYS[] = {KEY_UP,  KEY_DOWN,  KEY_LEFT,  KEY_RIGHT, KEY_8_PAD, KEY_2_PAD,
                              KEY_4_PAD, KEY_6_PAD, KEY_F1,  KEY_F2,    KEY_F3,    KEY_F4,
                              KEY_F5,  KEY_END,   KEY_ESC,   KEY_ENTER, KEY_SPACE, KEY_LCONTROL,
                              KEY_BACKSPACE, KEY_DEL};

class FrontScreen : public GameData {
 protected:
  void SetUp() override {
    GameData::SetUp();
    saved_.save();
    card_ = new FakeCard;
    ASSERT_EQ(set_gfx(GFX_AUTODETECT_WINDOWED, 448, 512, 8, 75), -1);
    bpp = 8;
    // An 8-bit mode maps every colour entry to itself; headless the table
    // is empty.
    std::copy(_palette_color8, _palette_color8 + PAL_SIZE, saved_colours_.begin());
    for (int i = 0; i < PAL_SIZE; i++) _palette_color8[i] = i;
    saved_commondata_ = commondata;
    commondata = borlin;
    saved_buffer_ = currentbuffer;
    currentbuffer = create_bitmap(SCREEN_W, SCREEN_H);
    clear_bitmap(currentbuffer);
    std::copy(std::begin(myopts), std::end(myopts), saved_opts_.begin());
    std::copy(std::begin(mymain), std::end(mymain), saved_main_.begin());
    std::copy(std::begin(last_selected), std::end(last_selected), saved_last_.begin());
    release_keys();
    clear_keybuf();
    time_unit = 1.0f;
    game_time = 100.0f;
    menu_released = -1;
    show_info_flag = 0;
  }
  void TearDown() override {
    release_keys();
    clear_keybuf();
    destroy_menu_logo();
    if (currentbuffer) destroy_bitmap(currentbuffer);
    currentbuffer = saved_buffer_;
    commondata = saved_commondata_;
    std::copy(saved_opts_.begin(), saved_opts_.end(), myopts);
    std::copy(saved_main_.begin(), saved_main_.end(), mymain);
    std::copy(saved_last_.begin(), saved_last_.end(), last_selected);
    saved_.restore();
    std::copy(saved_colours_.begin(), saved_colours_.end(), _palette_color8);
    delete card_;
  }
  static void release_keys() {
    for (int k : FRONT_KEYS) key[k] = 0;
  }
  // Colour-`c` pixels of the buffer inside rows y0..y1.
  static int count_colour(int c, int y0 = 0, int y1 = 1 << 20) {
    int n = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, currentbuffer->h - 1); y++)
      for (int x = 0; x < currentbuffer->w; x++)
        if (getpixel(currentbuffer, x, y) == c) n++;
    return n;
  }

 private:
  struct Globals {
    int state, menu_released, show_info_flag, bulletshadows, reverse_logic, show3dmap, bpp;
    float substate, time_unit, game_time, credit_offset;
    const menu_item *last_mnu;
    void save() {
      state = ::state;
      menu_released = ::menu_released;
      show_info_flag = ::show_info_flag;
      bulletshadows = ::bulletshadows;
      reverse_logic = ::reverse_logic;
      show3dmap = ::show3dmap;
      bpp = ::bpp;
      substate = ::substate;
      time_unit = ::time_unit;
      game_time = ::game_time;
      credit_offset = ::credit_offset;
      last_mnu = ::last_mnu;
    }
    void restore() const {
      ::state = state;
      ::menu_released = menu_released;
      ::show_info_flag = show_info_flag;
      ::bulletshadows = bulletshadows;
      ::reverse_logic = reverse_logic;
      ::show3dmap = show3dmap;
      ::bpp = bpp;
      ::substate = substate;
      ::time_unit = time_unit;
      ::game_time = game_time;
      ::credit_offset = credit_offset;
      ::last_mnu = last_mnu;
    }
  };
  FakeCard *card_ = nullptr;
  DATAFILE *saved_commondata_ = nullptr;
  BITMAP *saved_buffer_ = nullptr;
  Globals saved_{};
  std::array<menu_item, OPTS_ITEMS> saved_opts_{};
  std::array<menu_item, MAIN_ITEMS> saved_main_{};
  std::array<float, MAX_MENU_ITEMS> saved_last_{};
  std::array<int, PAL_SIZE> saved_colours_{};
};
