# Playing from the menu until a game scores, for the tests that need a
# line in the high score table. Source harness.sh first.

# The digits of the best score at the top left, as a shape: the HUD's
# colours cycle, and the space behind them at the demo's start is black.
top_digits() { convert "$1" -crop 100x14+56+0 +repage -fill white +opaque black rgb:- | md5sum; }

# From the main menu with "Play" selected, in a program that has not played
# yet: plays games (auto fire, firing while sweeping across, then Escape)
# until one raises the best score seen in screenshot $1. The table is then
# open for the new line's name. Whether shots hit depends on the random
# launches, so up to three games.
play_until_scored() {
  local before after=$E2E_SCRATCH/after-game.png n i
  before=$(top_digits "$1")
  for n in 1 2 3; do
    e2e_hold Return 0.3
    sleep 1.5
    # "AF" switches auto fire on and G the ghost ship, which flies through
    # walls, for the rest of the run (neither counts as a cheat).
    if [ "$n" = 1 ]; then
      e2e_hold a 0.2
      e2e_hold f 0.2
      e2e_hold g 0.2
    fi
    # Down among the ground targets first: shots hit what stands at their
    # height, and the ship starts high above the fortress floor.
    e2e_hold Up 2
    xdotool keydown space
    for i in $(seq 1 8); do
      e2e_hold Left 0.8
      e2e_hold Right 0.8
    done
    xdotool keyup space
    e2e_hold Escape 0.3
    # Past the intro, whose zooming logo covers the score, when no table opened.
    sleep 2.5
    e2e_screenshot "$after"
    [ "$(top_digits "$after")" != "$before" ] && { echo "scored in game $n"; return 0; }
  done
  e2e_fail "three games scored nothing"
}
