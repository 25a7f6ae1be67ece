#!/bin/bash
# Builds the game and starts it on the current X display.
set -e
BORLIN_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$BORLIN_ROOT/scripts/deps.sh"
borlin_install_deps $BORLIN_BUILD_DEPS libgtest-dev
borlin_build
exec "$BORLIN_ROOT/build/game/borlin"
