# End-to-end harness: runs the real game under a private X server.
# Source it from a test script; every process it starts is stopped on exit.
#
#   e2e_start_xvfb              private server on a free display; sets DISPLAY
#   e2e_scratch GAME_DIR FILE.. fresh folder with the binary and the named files
#   e2e_run                     starts the game there (stdout/stderr captured)
#   e2e_start_game GAME_DIR     scratch with every file the game needs, run,
#                               and wait for its window (id in E2E_WINDOW);
#                               not in $(...): the scratch must stay known
#   e2e_wait_exit SECONDS       waits for the game to end; prints its status
#   e2e_stdout / e2e_stderr     what the game printed
#   e2e_window                  waits for the game's visible window; prints its id
#   e2e_hold KEY SECONDS        holds a key (short taps are missed by polled keys)
#   e2e_key KEY                 a key held briefly, also in full screen
#   e2e_expect_title TITLE WHAT fails unless the game's title is TITLE,
#                               also in full screen
#   e2e_screenshot FILE         the whole screen as a PNG
#   e2e_title WINDOW            the window's title
#   e2e_message_box SECONDS     waits for a library message box, prints its
#                               text and dismisses it
#   e2e_message_box_up SECONDS  true when a message box shows within the time
#   e2e_fail TEXT / e2e_pass    report and leave

set -u
E2E_PIDS=()
E2E_SCRATCH=""
E2E_TEST_NAME=$(basename "$0" .sh)

e2e_cleanup() {
  local pid
  [ -n "$E2E_SCRATCH" ] && pkill -f "^$E2E_SCRATCH/borlin" 2>/dev/null
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
  done
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null
  done
  if [ -n "$E2E_SCRATCH" ] && [ -z "${E2E_KEEP:-}" ]; then
    rm -rf "$E2E_SCRATCH"
  fi
}
trap e2e_cleanup EXIT

e2e_fail() {
  echo "FAIL $E2E_TEST_NAME: $*"
  if [ -n "$E2E_SCRATCH" ]; then
    echo "--- game stdout"; cat "$E2E_SCRATCH/stdout.txt" 2>/dev/null
    echo "--- game stderr"; tail -20 "$E2E_SCRATCH/stderr.txt" 2>/dev/null
  fi
  exit 1
}

e2e_pass() {
  echo "PASS $E2E_TEST_NAME"
  exit 0
}

e2e_start_xvfb() {
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    local i
    for i in $(seq 1 50); do
      if ! kill -0 "$pid" 2>/dev/null; then break; fi   # lost the race for :n
      # Another test's server may answer on :n before ours has noticed that
      # it lost the race: the lock file names the server that owns it.
      if xdpyinfo -display ":$n" >/dev/null 2>&1 &&
        [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ]; then
        E2E_PIDS+=("$pid")
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
  done
  e2e_fail "no free display for Xvfb"
}

e2e_scratch() {
  local game_dir=$1
  shift
  E2E_SCRATCH=$(mktemp -d /tmp/borlin-e2e-XXXXXX)
  cp "$game_dir/borlin" "$E2E_SCRATCH/" || e2e_fail "no borlin binary in $game_dir"
  local f
  for f in "$@"; do
    cp "$game_dir/$f" "$E2E_SCRATCH/" || e2e_fail "no $f in $game_dir"
  done
  # The library shows messages by running xmessage; this stand-in records
  # the text and then shows the real box.
  mkdir -p "$E2E_SCRATCH/.bin"
  cat >"$E2E_SCRATCH/.bin/xmessage" <<WRAP
#!/bin/sh
for a in "\$@"; do last=\$a; done
printf '%s' "\$last" > "$E2E_SCRATCH/message.txt"
echo \$\$ > "$E2E_SCRATCH/message.pid"
exec /usr/bin/xmessage "\$@"
WRAP
  chmod +x "$E2E_SCRATCH/.bin/xmessage"
}

# The game is started from another folder on purpose: it must find its
# files beside itself.
e2e_run() {
  rm -f "$E2E_SCRATCH/status"
  (cd / && PATH="$E2E_SCRATCH/.bin:$PATH" "$E2E_SCRATCH/borlin" \
     >"$E2E_SCRATCH/stdout.txt" 2>"$E2E_SCRATCH/stderr.txt"
   echo $? >"$E2E_SCRATCH/status") &
  E2E_PIDS+=("$!")
}

# Every file start-up loads.
E2E_GAME_FILES="borlin.dat kestal.dat mapdatap.dat smapdatap.dat enemymapp.dat"

e2e_start_game() {
  e2e_scratch "$1" $E2E_GAME_FILES
  e2e_run
  E2E_WINDOW=$(e2e_window) || e2e_fail "the game window did not appear"
}

e2e_wait_exit() {
  local limit=$1 i
  for i in $(seq 1 $((limit * 10))); do
    if [ -s "$E2E_SCRATCH/status" ]; then
      cat "$E2E_SCRATCH/status"
      return 0
    fi
    sleep 0.1
  done
  echo timeout
}

e2e_stdout() { cat "$E2E_SCRATCH/stdout.txt"; }
e2e_stderr() { cat "$E2E_SCRATCH/stderr.txt"; }

e2e_window() {
  local w
  w=$(timeout 20 xdotool search --sync --onlyvisible --classname allegro 2>/dev/null | head -1)
  [ -n "$w" ] || e2e_fail "the game window did not appear"
  echo "$w"
}

e2e_hold() {
  local keyname=$1 secs=$2 w
  w=$(e2e_window)
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  xdotool keydown "$keyname"
  sleep "$secs"
  xdotool keyup "$keyname"
}

# A key held briefly; the full-screen window takes keys without focus.
e2e_key() {
  local w
  w=$(xdotool search --onlyvisible --classname allegro 2>/dev/null | head -1)
  [ -n "$w" ] && xdotool windowfocus --sync "$w" 2>/dev/null
  xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.2
}

# The full-screen driver's titled window stays unmapped: find it by name.
e2e_expect_title() {
  local w t
  w=$(timeout 10 xdotool search --sync --name '^Borlin : ' 2>/dev/null | head -1)
  [ -n "$w" ] || e2e_fail "no window titled 'Borlin : '"
  t=$(e2e_title "$w")
  [ "$t" = "$1" ] || e2e_fail "$2: title '$t', expected '$1'"
}

e2e_screenshot() { import -window root "$1"; }

e2e_title() { xprop -id "$1" WM_NAME | sed -e 's/^WM_NAME(STRING) = "//' -e 's/"$//'; }

e2e_message_box_up() {
  timeout "$1" xdotool search --sync --onlyvisible --classname xmessage >/dev/null 2>&1
}

e2e_message_box() {
  local limit=$1 w=""
  w=$(timeout "$limit" xdotool search --sync --onlyvisible --classname xmessage 2>/dev/null | head -1)
  [ -n "$w" ] || e2e_fail "no message box appeared"
  cat "$E2E_SCRATCH/message.txt"
  xdotool key --window "$w" Return 2>/dev/null
  sleep 0.3
  # A box that ignored the key is closed by force; only our own, since
  # other tests may be showing theirs on their own servers.
  kill "$(cat "$E2E_SCRATCH/message.pid")" 2>/dev/null || true
}
