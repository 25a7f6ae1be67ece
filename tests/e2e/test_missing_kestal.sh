# With only borlin.dat beside it the game names kestal.dat and fails.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_scratch "$1" borlin.dat
e2e_run
status=$(e2e_wait_exit 20)
[ "$status" = 1 ] || e2e_fail "exit status $status, expected 1"
e2e_stdout | head -1 | grep -qx 'Error loading kestal.dat!' || e2e_fail "no message naming kestal.dat"
e2e_pass
