#!/bin/bash
# Builds the game and runs every test: the unit tests headless, the
# end-to-end tests under a private X server.
set -e
BORLIN_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$BORLIN_ROOT/scripts/deps.sh"
borlin_install_deps $BORLIN_BUILD_DEPS $BORLIN_TEST_DEPS
# The tests are switched back on in case play.sh configured build/ without them.
borlin_build -DBUILD_TESTING=ON
cd "$BORLIN_ROOT/build"
ctest --output-on-failure -j"$(nproc)"
