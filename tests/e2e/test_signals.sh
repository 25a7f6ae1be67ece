# Stopping signals end the game cleanly, also at the worst moments: SIGTERM
# while the X server is stalled (kill -STOP, SIGTERM, kill -CONT) and
# SIGTERM together with the end of the X server, as at a logout. Every run
# is over within 3 seconds and none ends by a signal (SIGABRT, SIGKILL or
# the SIGTERM itself): a clean quit is status 0, a lost server status 1
# with a message. In the pause, SIGTERM and End quit too, and SIGTERM
# while a message box waits for its click closes the box as well.
# E2E_SIGNAL_RUNS sets the runs of each sequence (CI: 2; measure with 10).
. "$(dirname "$0")/harness.sh"
runs=${E2E_SIGNAL_RUNS:-2}
game_dir=$1

run_game() {
  e2e_scratch "$game_dir" $E2E_GAME_FILES
  rm -f "$E2E_SCRATCH/status" "$E2E_SCRATCH/game.pid"
  # The game alone in the background (not a list with cd): $! is its id.
  (cd / || exit
   PATH="$E2E_SCRATCH/.bin:$PATH" "$E2E_SCRATCH/borlin" \
       >"$E2E_SCRATCH/stdout.txt" 2>"$E2E_SCRATCH/stderr.txt" &
   echo $! >"$E2E_SCRATCH/game.pid"
   wait $!
   echo $? >"$E2E_SCRATCH/status") &
  E2E_PIDS+=("$!")
  E2E_WINDOW=$(e2e_window) || e2e_fail "the game window did not appear"
  sleep 1.5
  GAME_PID=$(cat "$E2E_SCRATCH/game.pid")
}

# Waits up to 3 s; the status must be one of those allowed.
expect_gone() {
  local what=$1 allowed=$2 status
  status=$(e2e_wait_exit 3)
  case " $allowed " in
    *" $status "*) ;;
    *) e2e_fail "$what: status $status (allowed: $allowed; 134 is SIGABRT, 137 SIGKILL, 143 SIGTERM)" ;;
  esac
  echo "$what: status $status"
  [ "$status" = 1 ] && { e2e_stderr | grep -q 'lost its connection to the X display' ||
    e2e_fail "$what: status 1 without the message"; }
  rm -rf "$E2E_SCRATCH"
  E2E_SCRATCH=""
}

for run in $(seq 1 "$runs"); do
  e2e_start_xvfb
  server=${E2E_PIDS[-1]}
  run_game
  kill -STOP "$server"
  kill -TERM "$GAME_PID"
  sleep 0.5
  kill -CONT "$server"
  expect_gone "stalled server, run $run" 0

  run_game
  kill -TERM "$GAME_PID" "$server"
  expect_gone "SIGTERM with the server's end, run $run" "0 1"
done

# A game from the menu ("Play" is selected), then the pause.
pause_a_game() {
  e2e_hold Return 0.3
  sleep 1.5
  e2e_hold p 0.3
  sleep 0.3
}

e2e_start_xvfb
run_game
pause_a_game
kill -TERM "$GAME_PID"
expect_gone "SIGTERM in the pause" 0

run_game
pause_a_game
e2e_hold End 0.3
expect_gone "End in the pause" 0

run_game
pause_a_game
e2e_hold Shift_L 0.3
e2e_hold p 0.2
e2e_hold End 0.3
expect_gone "End in single-step mode" 0

# Options, Advanced, Graphics Mode, the DGA 2.0 soft driver (two down), its
# first size: the X server has no DGA, and a message box says so.
run_game
for k in Down Return Down Down Return Return Down Down Return Return; do
  e2e_hold "$k" 0.2
  sleep 0.2
done
e2e_message_box_up 10 || e2e_fail "no message box appeared"
box_pid=$(cat "$E2E_SCRATCH/message.pid")
kill -TERM "$GAME_PID"
expect_gone "SIGTERM with a message box up" 0
kill -0 "$box_pid" 2>/dev/null && e2e_fail "the message box outlived the game"
e2e_pass
