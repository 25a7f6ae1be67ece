# Fortress 1, reached by flying on from the start of a game (Play from the
# menu), and the way into fortress 2, reached by the warp code W 2, as the
# game draws them: the placed objects on the floor, hidden by the walls in
# front of them, the ship's shadow and the HUD. The pictures are kept in
# $E2E_SHOTS (default: the scratch folder) as fortress1.png, fortress2.png.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_start_game "$1"
shots=${E2E_SHOTS:-$E2E_SCRATCH}
mkdir -p "$shots"
sleep 0.5
e2e_hold Return 0.3
size=448x512

shot() {
  if [ "$1" != - ]; then
    e2e_hold w 0.15
    e2e_hold "$1" 0.15
  fi
  sleep "$2"
  e2e_screenshot "$E2E_SCRATCH/root.png"
  convert "$E2E_SCRATCH/root.png" -crop ${size}+0+0 +repage "$shots/$3"
}
shot - 5 fortress1.png
shot 2 3 fortress2.png

for f in fortress1 fortress2; do
  colours=$(convert "$shots/$f.png" -format %k info:)
  [ "$colours" -gt 40 ] || e2e_fail "$f shows only $colours colours"
  # The HUD's fuel gauge: its brightest line colour is in the picture.
  mask=$(convert "$shots/$f.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
         -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null)
  [ "$mask" = 0 ] || e2e_fail "$f: $mask pixels show the transparent colour"
done
a=$(convert "$shots/fortress1.png" rgb:- | md5sum)
b=$(convert "$shots/fortress2.png" rgb:- | md5sum)
[ "$a" != "$b" ] || e2e_fail "both fortresses look the same"

e2e_hold End 0.3
status=$(e2e_wait_exit 10)
[ "$status" = 0 ] || e2e_fail "exit status $status after End, expected 0"
e2e_pass
