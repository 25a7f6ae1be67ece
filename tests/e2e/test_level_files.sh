# The game reads the level the build made, and names a level file that is
# missing or cut short.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_scratch "$1" borlin.dat kestal.dat mapdatap.dat smapdatap.dat enemymapp.dat
e2e_run
e2e_window >/dev/null
e2e_hold End 0.3
status=$(e2e_wait_exit 30)
[ "$status" = 0 ] || e2e_fail "exit status $status with the built level, expected 0"

rm "$E2E_SCRATCH/enemymapp.dat"
e2e_run
status=$(e2e_wait_exit 30)
[ "$status" = 1 ] || e2e_fail "exit status $status without the enemy map, expected 1"
e2e_stdout | grep -qx 'Could not read file: enemymapp.dat' || e2e_fail "the enemy map is not named"

head -c 2000 "$1/smapdatap.dat" >"$E2E_SCRATCH/smapdatap.dat"
e2e_run
status=$(e2e_wait_exit 30)
[ "$status" = 1 ] || e2e_fail "exit status $status with a cut map file, expected 1"
e2e_stdout | grep -qx 'Could not read file: smapdatap.dat' || e2e_fail "the cut map file is not named"
e2e_pass
