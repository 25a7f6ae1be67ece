# With both data files and the level the game gets through its start-up;
# the joystick and the sound card are missing here and it says so, one
# line each, without the sound library's own lines.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_start_game "$1"
e2e_hold End 0.3
status=$(e2e_wait_exit 20)
e2e_stdout | grep -q 'Error loading' && e2e_fail "a data file did not load"
errors=$(e2e_stderr)
[ "$errors" = "No joystick: playing with the keyboard.
No sound device: playing without sound." ] || e2e_fail "standard error was: $errors"
[ "$status" = 0 ] || e2e_fail "exit status $status, expected 0"
e2e_pass
