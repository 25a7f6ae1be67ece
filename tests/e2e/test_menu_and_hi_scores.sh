# The program starts at the menu over the demo; Play starts a game, Escape
# ends it, a score that earns a line takes a typed name, the table is read
# back after a restart (the best score stands in the HUD and the file still
# holds the line), and Exit ends with status 0. The pictures are kept in
# $E2E_SHOTS (default: the scratch folder).
. "$(dirname "$0")/harness.sh"
. "$(dirname "$0")/scoring_game.sh"
dump="$1/../tests/hi_dump"
[ -x "$dump" ] || e2e_fail "no hi_dump program beside the game folder"
e2e_start_xvfb
e2e_start_game "$1"
shots=${E2E_SHOTS:-$E2E_SCRATCH}
mkdir -p "$shots"

# Fade-in and logo zoom take about 2 s; then the menu stands over the demo.
sleep 3
e2e_screenshot "$shots/menu.png"
sleep 0.5
e2e_screenshot "$shots/menu2.png"
a=$(convert "$shots/menu.png" -crop 448x512+0+0 +repage rgb:- | md5sum)
b=$(convert "$shots/menu2.png" -crop 448x512+0+0 +repage rgb:- | md5sum)
[ "$a" != "$b" ] || e2e_fail "the demo does not move behind the menu"

top_before=$(top_digits "$shots/menu.png")

# Play, until a game earns a line; the table opens for its name.
play_until_scored "$shots/menu.png"
cp "$E2E_SCRATCH/after-game.png" "$shots/entry.png"
xdotool type --delay 200 XYZ
sleep 1
e2e_screenshot "$shots/table.png"
e2e_hold Return 0.3
sleep 1

# Exit is the last item.
for i in 1 2 3 4; do e2e_hold Down 0.2; sleep 0.1; done
e2e_hold Return 0.3
status=$(e2e_wait_exit 10)
[ "$status" = 0 ] || e2e_fail "exit status $status after Exit, expected 0"
[ -f "$E2E_SCRATCH/hi.dat" ] || e2e_fail "no hi.dat written"
line=$("$dump" "$E2E_SCRATCH/hi.dat" | awk '$3 == "XYZ"')
[ -n "$line" ] || e2e_fail "no line named XYZ in hi.dat: $("$dump" "$E2E_SCRATCH/hi.dat" | head -3)"
score=$(echo "$line" | awk '{print $2}')

# After a restart the best score is the saved one, the table shows it,
# and the file still holds it.
e2e_run
e2e_window >/dev/null
sleep 3
e2e_screenshot "$shots/menu_after_restart.png"
[ "$(top_digits "$shots/menu_after_restart.png")" != "$top_before" ] ||
  e2e_fail "after a restart the best score is still 0: the table was not read back"
for i in 1 2 3; do e2e_hold Down 0.2; sleep 0.1; done
e2e_hold Return 0.3
sleep 1
e2e_screenshot "$shots/table_after_restart.png"
e2e_hold Escape 0.3
sleep 0.5
e2e_hold Escape 0.3
status=$(e2e_wait_exit 10)
[ "$status" = 0 ] || e2e_fail "exit status $status after Escape at the main menu, expected 0"
again=$("$dump" "$E2E_SCRATCH/hi.dat" | awk '$3 == "XYZ" {print $2}')
[ "$again" = "$score" ] || e2e_fail "after a restart XYZ has '$again', expected $score"
e2e_pass
