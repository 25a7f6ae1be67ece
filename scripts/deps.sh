# Installs the Debian packages the build and the tests need, only those
# that are missing, so running it twice costs nothing. Sourced by play.sh
# and test.sh.
borlin_install_deps() {
  local wanted="$*" missing="" p
  for p in $wanted; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing || return 1
}

BORLIN_BUILD_DEPS="cmake g++ make pkg-config liballegro4-dev libloadpng4-dev"
BORLIN_TEST_DEPS="python3 libgtest-dev dpkg-dev lintian xvfb xdotool x11-utils imagemagick clang libclang-rt-14-dev"

# borlin_build [CMAKE_OPTION...] [-- TARGET...]: configures build/ with the
# options given and builds the targets named, or everything.
borlin_build() {
  local options=() targets=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  for t in "$@"; do targets+=(--target "$t"); done
  cmake -S "$BORLIN_ROOT" -B "$BORLIN_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null || return 1
  cmake --build "$BORLIN_ROOT/build" -j"$(nproc)" "${targets[@]}"
}
