# With both data files and the level the game gets through its start-up;
# the joystick and the sound card are missing here and it says so.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_start_game "$1"
e2e_hold End 0.3
status=$(e2e_wait_exit 20)
e2e_stdout | grep -q 'Error loading' && e2e_fail "a data file did not load"
e2e_stdout | grep -qx 'Could not initialize joystick' || e2e_fail "no joystick message"
e2e_stdout | grep -qx 'Error initialising sound system' || e2e_fail "no sound message"
[ "$status" = 0 ] || e2e_fail "exit status $status, expected 0"
e2e_pass
