# The game names a level file that is missing or cut short, and fails.
# (That it reads the level the build made is test_data_files_load.)
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_scratch "$1" $E2E_GAME_FILES
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
