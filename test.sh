#!/bin/bash
# Builds the game and runs every test: the unit tests headless, the
# end-to-end tests under a private X server, the expected replays, then the
# sanitizer build (unit tests as one process, the demo's 20,000 frames) and
# each loader's fuzz target for a few seconds.
set -e
BORLIN_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$BORLIN_ROOT/scripts/deps.sh"
borlin_install_deps $BORLIN_BUILD_DEPS $BORLIN_TEST_DEPS
# The tests are switched back on in case play.sh configured build/ without them.
borlin_build -DBUILD_TESTING=ON
(cd "$BORLIN_ROOT/build" && ctest --output-on-failure -j"$(nproc)")
"$BORLIN_ROOT/tools/sanitize.sh"
"$BORLIN_ROOT/tools/fuzz/run.sh"
