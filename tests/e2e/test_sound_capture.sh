# Every sample of borlin.dat makes sound when the library plays it.
. "$(dirname "$0")/harness.sh"
probe="$1/../tests/sound_capture"
[ -x "$probe" ] || e2e_fail "no sound_capture program beside the game folder"
e2e_start_xvfb
e2e_scratch "$1" borlin.dat
out=$("$probe" "$E2E_SCRATCH/borlin.dat" "$E2E_SCRATCH/capture.raw" 2>"$E2E_SCRATCH/stderr.txt") \
  || e2e_fail "no sound captured: $out"
echo "$out"
e2e_pass
