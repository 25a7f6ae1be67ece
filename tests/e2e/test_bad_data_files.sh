# A data file cut short, one with bytes changed in the middle, and the two
# files swapped: each is reported like a missing file, status 1. Seventeen
# changed bytes hold at least one of the packed stream's flag bytes
# (changed picture bytes alone cannot be told from a picture).
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_scratch "$1" $E2E_GAME_FILES
game_dir=$1

# $1: the file the game must name; the scratch's data files are set up.
expect_named() {
  e2e_run
  local status
  status=$(e2e_wait_exit 20)
  [ "$status" = 1 ] || e2e_fail "$2: exit status $status, expected 1"
  e2e_stdout | head -1 | grep -qx "Error loading $1!" || e2e_fail "$2: no message naming $1"
}

restore() { cp "$game_dir/borlin.dat" "$game_dir/kestal.dat" "$E2E_SCRATCH/"; }

size=$(stat -c %s "$game_dir/borlin.dat")
head -c $((size / 2)) "$game_dir/borlin.dat" >"$E2E_SCRATCH/borlin.dat"
expect_named borlin.dat "borlin.dat cut in half"

restore
size=$(stat -c %s "$game_dir/kestal.dat")
printf '\xde\xad\xbe\xef\xde\xad\xbe\xef\xde\xad\xbe\xef\xde\xad\xbe\xef\xde' |
  dd of="$E2E_SCRATCH/kestal.dat" bs=1 seek=$((size / 2)) conv=notrunc 2>/dev/null
expect_named kestal.dat "kestal.dat with seventeen bytes changed"

cp "$game_dir/kestal.dat" "$E2E_SCRATCH/borlin.dat"
cp "$game_dir/borlin.dat" "$E2E_SCRATCH/kestal.dat"
expect_named borlin.dat "the two files swapped"
e2e_pass
