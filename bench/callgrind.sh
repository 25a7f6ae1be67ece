#!/bin/bash
# Instructions per whole frame under callgrind for a fixed replay (the
# demo's first 2,000 frames at 448 x 512 in 8 bits), start-up subtracted;
# written to bench/frame_instructions.txt, which is committed so that a
# change that makes frames dearer shows in review:
#   bench/callgrind.sh [BUILD]      (default build/)
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
FRAMES=2000
cmake --build "$BUILD" --target replay >/dev/null
instructions() {
  local out
  out=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file="$out" "$BUILD/tools/replay/replay" \
    "$ROOT/tests/replay/demo.replay" --frames "$1" >/dev/null 2>&1
  callgrind_annotate "$out" | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'
  rm -f "$out"
}
base=$(instructions 1)
total=$(instructions $FRAMES)
per=$(((total - base) / (FRAMES - 1)))
{
  echo "# Instructions per frame: demo replay, 448x512x8, frames 2 to $FRAMES, under callgrind."
  echo "# Rewritten by bench/callgrind.sh; review a change like code."
  echo "instructions_per_frame $per"
} >"$ROOT/bench/frame_instructions.txt"
cat "$ROOT/bench/frame_instructions.txt"
