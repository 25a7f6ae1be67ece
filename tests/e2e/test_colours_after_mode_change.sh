# F5 from the 32-bit window to the 8-bit full screen keeps the colours: the
# orange logo stays orange (not blue), as in a game started in that mode
# (saved and started again). F5 back gives the window's colours again.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_start_game "$1"
shots=${E2E_SHOTS:-$E2E_SCRATCH}

# Pixels of the picture (GEOMETRY of the screen) that are orange, and those
# that are orange with red and blue swapped.
orange() {
  convert "$1" -crop "$2" +repage -fx 'r>0.7 && g>0.25 && g<0.8 && b<0.3' \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
swapped() {
  convert "$1" -crop "$2" +repage -fx 'b>0.7 && g>0.25 && g<0.8 && r<0.3' \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
WINDOW=448x512+0+0
FULL=640x480+192+144  # full screen is centred on the 1024 x 768 server

sleep 3  # the fade-in and the logo's zoom
e2e_expect_title "Borlin : AUTO  448x512 32 bpp @ 0 hz" "at start"
e2e_screenshot "$shots/window32.png"
w_orange=$(orange "$shots/window32.png" $WINDOW)
[ "$w_orange" -gt 500 ] || e2e_fail "the 32-bit window shows $w_orange orange pixels"

e2e_key F5
sleep 2
e2e_expect_title "Borlin : AUTO  640x480 8 bpp @ 0 hz" "after F5"
e2e_screenshot "$shots/full8_after_change.png"
a_orange=$(orange "$shots/full8_after_change.png" $FULL)
a_swapped=$(swapped "$shots/full8_after_change.png" $FULL)
[ "$a_orange" -gt 500 ] || e2e_fail "8 bits after F5: $a_orange orange pixels ($a_swapped blue ones)"
[ "$a_swapped" -lt $((a_orange / 10)) ] || e2e_fail "8 bits after F5: $a_swapped swapped pixels"

# Options, Save Settings (three down in Options), then start again in 8 bits.
e2e_key Down; e2e_key Return
e2e_key Down; e2e_key Down; e2e_key Down; e2e_key Return
e2e_key Escape; e2e_key Escape
[ "$(e2e_wait_exit 10)" = 0 ] || e2e_fail "Escape at the main menu did not quit"
e2e_run
sleep 3
e2e_expect_title "Borlin : AUTO  640x480 8 bpp @ 0 hz" "started in the saved mode"
e2e_screenshot "$shots/full8_at_start.png"
s_orange=$(orange "$shots/full8_at_start.png" $FULL)
[ "$s_orange" -gt 500 ] || e2e_fail "8 bits at start: $s_orange orange pixels"
# The same title page, give or take the demo behind it and the menu's
# highlighted item.
diff=$((a_orange - s_orange))
[ "${diff#-}" -lt $((s_orange / 2)) ] ||
  e2e_fail "orange pixels: $a_orange after F5, $s_orange at start in 8 bits"

# F5: the window at the desktop's depth, in its own colours.
e2e_key F5
sleep 2
e2e_expect_title "Borlin : AUTO  448x512 32 bpp @ 0 hz" "after F5 back"
e2e_screenshot "$shots/window32_again.png"
b_orange=$(orange "$shots/window32_again.png" $WINDOW)
[ "$b_orange" -gt 500 ] || e2e_fail "the window again shows $b_orange orange pixels"
e2e_hold End 0.3
[ "$(e2e_wait_exit 10)" = 0 ] || e2e_fail "End did not quit"
e2e_pass
