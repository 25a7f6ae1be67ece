#!/bin/bash
# Fuzzes the game's file loaders with libFuzzer (Debian's clang).
#
#   tools/fuzz/run.sh                 each target for a few seconds (as CI would)
#   tools/fuzz/run.sh long [RUNS [TARGET...]]
#                                     each target (or the ones named) for RUNS
#                                     executions (default 1000000), one after
#                                     the other; start two at once to use both
#                                     cores, once the build is done
#
# Builds into build-fuzz/ (clang, -DBORLIN_FUZZ=ON). New inputs collect in
# build-fuzz/tools/fuzz/corpus/<target>/, findings are written as
# build-fuzz/tools/fuzz/crash-<target>-* and a long run's whole output as
# build-fuzz/tools/fuzz/log-<target>.txt; replay one with
#   build-fuzz/tools/fuzz/fuzz_<target> FILE
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD="$ROOT/build-fuzz"
TARGETS="config hiscore mapdata smapdata enemy_map datafile"

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DBORLIN_FUZZ=ON -DBORLIN_DISTRO_FLAGS=OFF \
  -DBUILD_TESTING=OFF >/dev/null
# shellcheck disable=SC2046
cmake --build "$BUILD" -j2 --target fuzz_seeds $(printf 'fuzz_%s ' $TARGETS)

if [ "$1" != long ]; then
  exec ctest --test-dir "$BUILD" -L fuzz --output-on-failure
fi

RUNS=${2:-1000000}
[ $# -gt 2 ] && TARGETS="${*:3}"
DIR="$BUILD/tools/fuzz"
for t in $TARGETS; do
  echo "== $t: $RUNS executions"
  mkdir -p "$DIR/corpus/$t"
  MAX_LEN=
  # The structure check unpacks whole files: many short variations here,
  # the real files whole (up to 64 KiB) under ctest.
  [ "$t" = datafile ] && MAX_LEN=-max_len=8192
  # The whole output stays beside the findings (stack traces, sanitizer
  # reports); the summary lines are shown.
  LOG="$DIR/log-$t.txt"
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 "$DIR/fuzz_$t" -runs="$RUNS" $MAX_LEN \
    -print_final_stats=1 -artifact_prefix="$DIR/crash-$t-" \
    "$DIR/corpus/$t" "$DIR/seeds/$t" >"$LOG" 2>&1 || echo "stopped early: see $LOG"
  grep -E '^stat::|ERROR|SUMMARY|broken|runtime error|fuzz harness|exited' "$LOG" || true
done
