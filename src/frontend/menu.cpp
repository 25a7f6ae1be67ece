#include "frontend/menu.h"

#include <allegro.h>

#include "display/frame.h"
#include "frontend/options.h"
#include "shell/datafile_index.h"
#include "shell/shell.h"

menu_item mymethods[METHOD_COUNT + 1] = {
    {0, MENU_CHOICE, "Triple Buffer", nullptr, nullptr},
    {0, MENU_CHOICE, "Page Flipping", nullptr, nullptr},
    {0, MENU_CHOICE, "Double Buffer", nullptr, nullptr},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

menu_item myregulators[REGULATOR_COUNT + 1] = {
    {0, MENU_CHOICE, "Time Difference", nullptr, nullptr},
    {0, MENU_CHOICE, "Timer no Vsync", nullptr, nullptr},
    {0, MENU_CHOICE, "Timer and Vsync", nullptr, nullptr},
    {0, MENU_CHOICE, "Game=Screen Hz", nullptr, nullptr},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

// "Advanced" and "Save Settings" get their handlers when the advanced menu
// and the settings file are built; until then no menu runs this table.
menu_item myopts[OPTS_ITEMS] = {
    {-1, MENU_TOGGLE, "Shadows : Fancy", "Shadows : Fast", set_opts_switches},
    {0, MENU_TOGGLE, "Reverse Alt Logic : On", "Reverse Alt Logic : Off", set_opts_switches},
    {0, MENU_ACTION, "Advanced", nullptr, nullptr},
    {0, MENU_ACTION, "Save Settings", nullptr, nullptr},
    {0, MENU_BACK, "Back", nullptr, nullptr},
};

const char *menu_caption(const menu_item *menu, int count, int index) {
  if (index < 0 || index >= count) return "";
  return menu[index].text;
}

char *al_un_id(char *buffer, int id) {
  unsigned int u = static_cast<unsigned int>(id);
  if (u <= 2) {
    buffer[0] = 'A';
    buffer[1] = 'U';
    buffer[2] = 'T';
    buffer[3] = 'O';
  } else {
    for (int i = 0; i < 4; i++) buffer[i] = static_cast<char>((u >> (24 - 8 * i)) & 0xff);
  }
  buffer[4] = '\0';
  return buffer;
}

void nise_text(const char *text, int y, int c) {
  FONT *f = static_cast<FONT *>(commondata[BORLIN_CAPTION_FONT].dat);
  const int x = (SCREEN_W - text_length(f, text)) / 2;
  const int outline = palette_color[c - 4];
  textout_ex(currentbuffer, f, text, x + 1, y, outline, -1);
  textout_ex(currentbuffer, f, text, x - 1, y, outline, -1);
  textout_ex(currentbuffer, f, text, x, y + 1, outline, -1);
  textout_ex(currentbuffer, f, text, x, y - 1, outline, -1);
  textout_ex(currentbuffer, f, text, x, y, palette_color[c], -1);
}
