#!/bin/bash
# The game under AddressSanitizer and UndefinedBehaviorSanitizer, built in
# build-asan/ apart from the normal build. Any finding fails the run.
#
#   tools/sanitize.sh         the unit tests as ONE process (faults that one
#                             test leaves for another show up too) and the
#                             demo's expected run of 20,000 frames; CI runs this
#   tools/sanitize.sh soak    500,000 frames of the demo, then the scripted
#                             games of tests/replay/ with seed after seed until
#                             they add up to 500,000 frames
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-asan"
FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

launcher=
command -v ccache >/dev/null && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S "$ROOT" -B "$BUILD" $launcher -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBORLIN_DISTRO_FLAGS=OFF \
  -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_EXE_LINKER_FLAGS="$FLAGS" >/dev/null
cmake --build "$BUILD" -j"${BORLIN_JOBS:-2}" --target unit_tests replay game_data
REPLAY="$BUILD/tools/replay/replay"
SCRIPTS="$ROOT/tests/replay"

if [ "$1" != soak ]; then
  "$BUILD/tests/unit_tests" --gtest_brief=1
  "$REPLAY" "$SCRIPTS/demo.replay" --expect "$SCRIPTS/demo.expected" >/dev/null
  echo "sanitizers: unit tests and the demo's 20,000 frames clean"
  exit 0
fi

SOAK_FRAMES=500000
"$REPLAY" "$SCRIPTS/demo.replay" --frames $SOAK_FRAMES | tail -1
played=0
seed=1
while [ $played -lt $SOAK_FRAMES ]; do
  for s in "$SCRIPTS"/*.replay; do
    [ "$(basename "$s")" = demo.replay ] && continue
    last=$("$REPLAY" "$s" --seed $seed | tail -1)
    played=$((played + $(echo "$last" | awk '{print $1}')))
  done
  seed=$((seed + 1))
done
echo "sanitizers: soak clean, $SOAK_FRAMES demo frames and $played frames of scripted play (seeds 1 to $((seed - 1)))"
