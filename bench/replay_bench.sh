#!/bin/bash
# Whole frames from a replay (input, world step, drawing, presentation into
# memory) at 640 x 480 and 448 x 512 in 8 and 32 bits, beside the two
# full-frame copies measured in the same run:
#   bench/replay_bench.sh [BUILD]      (default build/)
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
cmake --build "$BUILD" --target replay >/dev/null
for script in demo fortress1; do
  for mode in "640 480 8" "640 480 32" "448 512 8" "448 512 32"; do
    printf '%-10s ' "$script"
    # shellcheck disable=SC2086
    "$BUILD/tools/replay/replay" "$ROOT/tests/replay/$script.replay" --mode $mode --time | grep '^timing'
  done
done
