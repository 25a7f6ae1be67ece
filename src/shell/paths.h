// Where the files a player saves live. The game keeps them beside itself
// (start-up makes its folder the working directory) as long as that folder
// is writable; an installed game's folder is not, and then they go to the
// user's data folder, $XDG_DATA_HOME/borlin (~/.local/share/borlin by
// default), so nothing saved is lost to where the game was installed.
#pragma once

#include <string>

// The game's own folder; "." is the working directory start-up chose.
extern std::string game_folder;

// $XDG_DATA_HOME/borlin when XDG_DATA_HOME is an absolute path, else
// $HOME/.local/share/borlin (HOME from the password database when unset);
// empty when there is no home at all.
std::string user_data_folder();

// The path to write file `name` to: in the user's data folder when the
// game's folder is not writable or when the file is already there (so the
// next read finds what was written), else beside the game. The user's
// folder is created here, when it is first needed.
std::string save_path(const std::string &name);

// The path to read file `name` from: the user's data folder when the file
// is there, else beside the game.
std::string load_path(const std::string &name);
