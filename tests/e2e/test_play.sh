# A real game, started with Play from the menu: the ship climbs, turns and
# fires (the shot is heard in the captured sound), dives into the scenery
# until its ships are gone, GAME OVER shows, and the front end comes back:
# Escape leaves the score table if the shot earned a line, and then the
# main menu, which ends the program.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_scratch "$1" $E2E_GAME_FILES
s=$E2E_SCRATCH
# The sound driver writes into a file for this run (nothing is written to
# the user's settings).
printf '[sound]\nalsa_device = file:FILE=%s/capture.raw,FORMAT=raw\n' "$s" >"$s/allegro.cfg"
export ALLEGRO=$s
e2e_run
E2E_WINDOW=$(e2e_window) || e2e_fail "the game window did not appear"
sleep 1
e2e_hold Return 0.3
sleep 2
e2e_screenshot "$s/1-start.png"

# The loudest deviation from silence in the capture from byte $1 on
# (unsigned 16-bit stereo).
loudness() {
  python3 - "$s/capture.raw" "$1" "${2:-0}" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
a, b = int(sys.argv[2]) & ~3, int(sys.argv[3]) or len(data)
seg = data[a:b]
vals = struct.unpack('<%dH' % (len(seg) // 2), seg[:len(seg) // 2 * 2])
print(max((abs(v - 32768) for v in vals), default=0))
PY
}
capsize() { stat -c %s "$s/capture.raw" 2>/dev/null || echo 0; }
[ "$(capsize)" -gt 0 ] || e2e_fail "no sound was captured"

# Climb (with the default setting, Down climbs) and turn.
e2e_hold Down 0.6
e2e_hold Right 0.3
e2e_screenshot "$s/2-climbed-turned.png"

quiet_from=$(capsize)
sleep 0.5
engine=$(loudness "$quiet_from" "$(capsize)")
fire_from=$(capsize)
e2e_hold space 0.12
sleep 0.3
e2e_screenshot "$s/3-fired.png"
shot=$(loudness "$fire_from" "$(capsize)")
echo "engine alone $engine, with the shot $shot"
[ "$shot" -gt $((engine * 2)) ] || e2e_fail "the shot was not heard ($shot against $engine)"

# Dive to the floor and fly on into the walls; every ship crashes.
gone=""
for i in $(seq 1 90); do
  e2e_hold Up 0.4
  [ "$i" = 10 ] && e2e_screenshot "$s/4-flying-low.png"
  if [ -s "$s/status" ]; then e2e_fail "the game ended"; fi
  e2e_screenshot "$s/probe-$i.png"
  # GAME OVER is drawn in palette colour 22 (56, 12, 0 of 63) across the
  # middle of the screen.
  n=$(convert "$s/probe-$i.png" -crop 448x40+0+216 +repage -fuzz 6% -fill black +opaque '#e33000' \
      -fill white -opaque '#e33000' -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null)
  if [ "${n:-0}" -gt 200 ]; then
    cp "$s/probe-$i.png" "$s/5-game-over.png"
    gone=yes
    break
  fi
done
[ -n "$gone" ] || e2e_fail "no GAME OVER seen"
sleep 4
e2e_screenshot "$s/6-front-end.png"
[ -s "$s/status" ] && e2e_fail "the game ended after GAME OVER"

for i in 1 2; do
  e2e_hold Escape 0.3
  sleep 0.5
  [ -s "$s/status" ] && break
done
status=$(e2e_wait_exit 10)
[ "$status" = 0 ] || e2e_fail "exit status $status after Escape, expected 0"
e2e_pass
