# play.sh as a player meets it: without a display it says so before any
# work, and with one it installs and builds only what the game needs.
# cmake, dpkg-query and the game are stand-ins that record their calls.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
t=$(mktemp -d /tmp/borlin-play-XXXXXX)
trap 'rm -rf "$t"' EXIT
fail() { echo "FAIL test_play_script: $*"; exit 1; }

mkdir -p "$t/src/scripts" "$t/bin"
cp "$root/play.sh" "$t/src/"
cp "$root/scripts/deps.sh" "$t/src/scripts/"
cat >"$t/bin/cmake" <<STUB
#!/bin/sh
echo "cmake \$*" >>"$t/calls"
mkdir -p "$t/src/build/game"
printf '#!/bin/sh\necho game started >>"$t/calls"\n' >"$t/src/build/game/borlin"
chmod +x "$t/src/build/game/borlin"
STUB
cat >"$t/bin/dpkg-query" <<STUB
#!/bin/sh
echo "dpkg-query \$*" >>"$t/calls"
echo "install ok installed"
STUB
chmod +x "$t/bin/cmake" "$t/bin/dpkg-query"

# No display: a hint and status 1, nothing built.
out=$(env -u DISPLAY PATH="$t/bin:$PATH" bash "$t/src/play.sh" 2>&1)
status=$?
[ "$status" = 1 ] || fail "status $status without a display, expected 1"
echo "$out" | grep -q "needs an X display" || fail "no hint about the display: $out"
[ -e "$t/calls" ] && fail "it worked without a display: $(cat "$t/calls")"

# A display: the game and its data only, and then the game.
DISPLAY=:99 PATH="$t/bin:$PATH" bash "$t/src/play.sh" >/dev/null 2>&1 || fail "play.sh failed"
grep -q "libgtest" "$t/calls" && fail "asks for GoogleTest"
grep -q "liballegro4-dev" "$t/calls" || fail "does not check the library"
grep -q -- "-DBUILD_TESTING=OFF" "$t/calls" || fail "configures the tests"
grep "cmake --build" "$t/calls" | grep -q -- "--target borlin --target game_data" ||
  fail "builds more than the game and its data: $(grep 'cmake --build' "$t/calls")"
grep -qx "game started" "$t/calls" || fail "the game was not started"
echo "PASS test_play_script"
