#include "shell/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

std::string game_folder = ".";

namespace {

bool file_exists(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Creates `path` and its missing parents, private to the user as the XDG
// rules ask; true when it exists as a folder afterwards.
bool make_folders(const std::string &path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  std::string::size_type cut = path.find_last_of('/');
  if (cut != std::string::npos && cut > 0 && !make_folders(path.substr(0, cut))) return false;
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string joined(const std::string &folder, const std::string &name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string beside_game(const std::string &name) {
  return game_folder == "." ? name : joined(game_folder, name);
}

}  // namespace

std::string user_data_folder() {
  const char *xdg = getenv("XDG_DATA_HOME");
  // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
  if (xdg && xdg[0] == '/') return joined(xdg, "borlin");
  const char *home = getenv("HOME");
  if (!home || !home[0]) {
    const passwd *pw = getpwuid(getuid());
    home = pw ? pw->pw_dir : nullptr;
  }
  if (!home || !home[0]) return std::string();
  return joined(home, ".local/share/borlin");
}

std::string save_path(const std::string &name) {
  const std::string user = user_data_folder();
  if (user.empty()) return beside_game(name);
  const std::string in_user = joined(user, name);
  if (access(game_folder.c_str(), W_OK) == 0 && !file_exists(in_user)) return beside_game(name);
  // When the folder cannot be made the save fails there and its caller
  // reports it; writing into the read-only game folder would fail too.
  make_folders(user);
  return in_user;
}

std::string load_path(const std::string &name) {
  const std::string user = user_data_folder();
  if (!user.empty() && file_exists(joined(user, name))) return joined(user, name);
  return beside_game(name);
}
