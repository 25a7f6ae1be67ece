# An installed game is started through a symbolic link in another folder,
# or by its bare name found on the PATH; either way it finds its files.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_scratch "$1" $E2E_GAME_FILES
mkdir "$E2E_SCRATCH/.link"
ln -s "$E2E_SCRATCH/borlin" "$E2E_SCRATCH/.link/borlin"

# $1: how the program is named on its command line; $2: the PATH prefix.
run_as() {
  rm -f "$E2E_SCRATCH/status"
  (cd / && PATH="$2:$E2E_SCRATCH/.bin:$PATH" "$1" \
     >"$E2E_SCRATCH/stdout.txt" 2>"$E2E_SCRATCH/stderr.txt"
   echo $? >"$E2E_SCRATCH/status") &
  E2E_PIDS+=("$!")
  (e2e_window) >/dev/null 2>&1 || e2e_fail "started as $1, no window appeared"
  e2e_hold End 0.3
  local status
  status=$(e2e_wait_exit 20)
  e2e_stdout | grep -q 'Error loading' && e2e_fail "started as $1, a data file was not found"
  [ "$status" = 0 ] || e2e_fail "started as $1: exit status $status, expected 0"
}

run_as "$E2E_SCRATCH/.link/borlin" ""
run_as borlin "$E2E_SCRATCH/.link"
e2e_pass
