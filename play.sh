#!/bin/bash
# Builds the game and its data files and starts it on the current X display.
set -e
BORLIN_ROOT=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "Borlin needs an X display: DISPLAY is not set. Start it from a desktop session" >&2
  echo "(or over ssh -X) and run ./play.sh again." >&2
  exit 1
fi
. "$BORLIN_ROOT/scripts/deps.sh"
borlin_install_deps $BORLIN_BUILD_DEPS
# Only the game and its data: the tests and their framework are not needed to play.
borlin_build -DBUILD_TESTING=OFF -- borlin game_data
exec "$BORLIN_ROOT/build/game/borlin"
