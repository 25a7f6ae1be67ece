# The game opens its window with the mode in its title, scrolls the floor
# and leaves with status 0 on End.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_start_game "$1"
w=$E2E_WINDOW
title=$(e2e_title "$w")
[ "$title" = "Borlin : AUTO  448x512 32 bpp @ 0 hz" ] || e2e_fail "window title '$title'"

# The floor moves: two screenshots a moment apart differ.
sleep 1
e2e_screenshot "$E2E_SCRATCH/a.png"
sleep 0.5
e2e_screenshot "$E2E_SCRATCH/b.png"
a=$(convert "$E2E_SCRATCH/a.png" -crop 448x512+0+0 +repage rgb:- | md5sum)
b=$(convert "$E2E_SCRATCH/b.png" -crop 448x512+0+0 +repage rgb:- | md5sum)
[ "$a" != "$b" ] || e2e_fail "the picture did not move"
colours=$(convert "$E2E_SCRATCH/a.png" -crop 448x512+0+0 +repage -format %k info:)
[ "$colours" -gt 2 ] || e2e_fail "the window shows $colours colours, no floor"
# The floor is opaque: no pixel may show the library's transparent colour.
mask=$(convert "$E2E_SCRATCH/b.png" -crop 448x512+0+0 +repage -fill black +opaque '#ff00ff' \
       -fill white -opaque '#ff00ff' -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null)
[ "$mask" = 0 ] || e2e_fail "$mask pixels show the transparent colour"

e2e_hold End 0.3
status=$(e2e_wait_exit 10)
[ "$status" = 0 ] || e2e_fail "exit status $status after End, expected 0"
e2e_pass
