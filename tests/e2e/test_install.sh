# The installed game: `cmake --install` into a temporary prefix (DESTDIR),
# the whole tree made read-only, and the game started as an ordinary player
# through its `borlin` link on the PATH, from another folder. It must find
# its data through the link, carry its own window icon, quit cleanly, leave
# the installed tree untouched and make no data folder while nothing is
# saved. Then the player saves the settings and a high score: both land in
# the user's data folder and are read from there after a restart.
. "$(dirname "$0")/harness.sh"
. "$(dirname "$0")/scoring_game.sh"
build=$(cd "$1/.." && pwd)

E2E_SCRATCH=$(mktemp -d /tmp/borlin-e2e-XXXXXX)
chmod 755 "$E2E_SCRATCH"
root=$E2E_SCRATCH/root        # DESTDIR
home=$E2E_SCRATCH/home        # the player's home
user_dir=$home/.local/share/borlin
mkdir "$home"

# The game's process is not a child of the harness's runner, so stop it by
# its own id; the read-only tree must be writable again to be removed.
install_cleanup() {
  [ -s "$E2E_SCRATCH/game.pid" ] && kill "$(cat "$E2E_SCRATCH/game.pid")" 2>/dev/null
  chmod -R u+w "$E2E_SCRATCH" 2>/dev/null
  e2e_cleanup
}
trap install_cleanup EXIT

DESTDIR=$root cmake --install "$build" --prefix /usr >"$E2E_SCRATCH/install.txt" 2>&1 ||
  e2e_fail "cmake --install failed: $(tail -5 "$E2E_SCRATCH/install.txt")"
[ "$(readlink "$root/usr/bin/borlin")" = ../lib/borlin/borlin ] ||
  e2e_fail "bin/borlin is not a relative link to lib/borlin/borlin"
readelf -d "$root/usr/lib/borlin/borlin" | grep -E 'R(UN)?PATH' | grep -q "$build" &&
  e2e_fail "the installed game still looks for libraries in the build tree"
chmod -R a-w "$root"

# Root writes into read-only folders; the player must not be root.
as_player=""
if [ "$(id -u)" -eq 0 ]; then
  as_player="setpriv --reuid=65534 --regid=65534 --clear-groups"
  chown 65534:65534 "$home"
fi

# Starts the installed game the way a desktop does: by name, from the PATH,
# with the player's home and no XDG_DATA_HOME.
run_installed() {
  rm -f "$E2E_SCRATCH/status" "$E2E_SCRATCH/game.pid"
  (cd / && $as_player env -i HOME="$home" DISPLAY="$DISPLAY" PATH="$root/usr/bin:/usr/bin:/bin" \
       borlin >"$E2E_SCRATCH/stdout.txt" 2>"$E2E_SCRATCH/stderr.txt" &
   echo $! >"$E2E_SCRATCH/game.pid"
   wait $!
   echo $? >"$E2E_SCRATCH/status") &
  E2E_PIDS+=("$!")
  E2E_WINDOW=$(e2e_window) || e2e_fail "the installed game's window did not appear"
}

quit_installed() {
  e2e_hold End 0.3
  local status
  status=$(e2e_wait_exit 20)
  [ "$status" = 0 ] || e2e_fail "exit status $status, expected 0"
  e2e_stdout | grep -q 'Error loading' && e2e_fail "a data file was not found through the link"
}

# Options, then in it: Shadows to Fast, down to "Save Settings" and back.
# The main menu's cursor stays on Options.
save_settings_with_fast_shadows() {
  e2e_hold Down 0.2
  e2e_hold Return 0.3
  sleep 0.3
  e2e_hold Return 0.3
  for i in 1 2 3; do e2e_hold Down 0.2; done
  e2e_hold Return 0.3
  sleep 0.3
  e2e_hold Escape 0.3
  sleep 0.3
}

e2e_start_xvfb
touch "$E2E_SCRATCH/before-run"
run_installed
xprop -id "$E2E_WINDOW" WM_HINTS | grep -q 'bitmap id # to use for icon' ||
  e2e_fail "the window has no icon"
sleep 3
e2e_screenshot "$E2E_SCRATCH/menu.png"
quit_installed
[ -z "$(find "$root" -newer "$E2E_SCRATCH/before-run")" ] || e2e_fail "the installed tree changed"
[ -e "$user_dir" ] && e2e_fail "$user_dir was made though nothing was saved"

# Save the settings with the shadows switched, then a game that earns a
# line named XYZ; Exit.
run_installed
sleep 3
save_settings_with_fast_shadows
[ -f "$user_dir/config.dat" ] || e2e_fail "the settings were not saved in $user_dir"
cp "$user_dir/config.dat" "$E2E_SCRATCH/config-saved.dat"
e2e_hold Up 0.2
play_until_scored "$E2E_SCRATCH/menu.png"
xdotool type --delay 200 XYZ
sleep 0.5
e2e_hold Return 0.3
sleep 0.5
for i in 1 2 3 4; do e2e_hold Down 0.2; done
e2e_hold Return 0.3
status=$(e2e_wait_exit 20)
[ "$status" = 0 ] || e2e_fail "exit status $status after Exit, expected 0"
"$build/tests/hi_dump" "$user_dir/hi.dat" | awk '$3 == "XYZ"' | grep -q . ||
  e2e_fail "no line named XYZ in $user_dir/hi.dat"
[ -z "$(find "$root" -newer "$E2E_SCRATCH/before-run")" ] || e2e_fail "the installed tree changed"

# After a restart both are read from there: the best score stands in the
# HUD, and saving again without touching the options writes the same file
# (the shadows are still Fast).
run_installed
sleep 3
e2e_screenshot "$E2E_SCRATCH/menu-again.png"
[ "$(top_digits "$E2E_SCRATCH/menu-again.png")" != "$(top_digits "$E2E_SCRATCH/menu.png")" ] ||
  e2e_fail "after a restart the best score is 0: hi.dat was not read from $user_dir"
e2e_hold Down 0.2
e2e_hold Return 0.3
sleep 0.3
for i in 1 2 3; do e2e_hold Down 0.2; done
e2e_hold Return 0.3
sleep 0.3
cmp -s "$user_dir/config.dat" "$E2E_SCRATCH/config-saved.dat" ||
  e2e_fail "the settings saved after a restart differ: config.dat was not read from $user_dir"
quit_installed
e2e_pass
