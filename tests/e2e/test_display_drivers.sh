# The driver list under X11: the full-screen driver lists only sizes too
# wide to offer and gets the fixed list; a DGA driver fails with one message
# box and the mode before it comes back; F5 goes back to the window; the
# full-screen driver saved in config.dat is the one restored.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_start_game "$1"
shots=${E2E_SHOTS:-$E2E_SCRATCH}

sleep 3
# Options, Advanced, Graphics Mode, X11 fullscreen; in the fixed list the
# cursor stands on 448 x 512: two up is 640 x 480.
e2e_key Down; e2e_key Return; e2e_key Down; e2e_key Down; e2e_key Return
e2e_key Return; e2e_key Return
sleep 0.5
e2e_screenshot "$shots/fullscreen_sizes.png"
e2e_key Up; e2e_key Up; e2e_key Return
sleep 1.5
e2e_expect_title "Borlin : XWFS  640x480 32 bpp @ 0 hz" "the full-screen driver"
e2e_screenshot "$shots/fullscreen.png"

# Graphics Mode again: the cursor starts on X11 fullscreen; DGA 2.0 soft
# is two down, and its fixed list starts on 640 x 480.
e2e_key Return; e2e_key Down; e2e_key Down; e2e_key Return
e2e_key Return
said=$(e2e_message_box 10)
[ "$said" = "Failed to set gfx: driver DGAS  640x480" ] || e2e_fail "the message box said '$said'"
sleep 2
if timeout 2 xdotool search --sync --onlyvisible --classname xmessage >/dev/null 2>&1; then
  e2e_fail "a second message box after the DGA driver failed"
fi
e2e_expect_title "Borlin : XWFS  640x480 32 bpp @ 0 hz" "after the DGA driver failed"

# A refresh rate of 75 Hz is asked for in a new mode; the X server
# reports none, so the title still shows 0.
e2e_key Down; e2e_key Down; e2e_key Return
e2e_key Up; e2e_key Up; e2e_key Return
sleep 1
e2e_expect_title "Borlin : XWFS  640x480 32 bpp @ 0 hz" "after asking for 75 Hz"

# Save Settings in full screen, then leave and start again.
e2e_key Escape
e2e_key Down; e2e_key Return
e2e_key Escape; e2e_key Escape
[ "$(e2e_wait_exit 10)" = 0 ] || e2e_fail "Escape at the main menu did not quit"
rm -f "$E2E_SCRATCH/message.txt"
e2e_run
sleep 3
e2e_expect_title "Borlin : XWFS  640x480 32 bpp @ 0 hz" "after a restart"
[ ! -e "$E2E_SCRATCH/message.txt" ] || e2e_fail "message box: $(cat "$E2E_SCRATCH/message.txt")"

# F5 in the menu: back to the 448 x 512 window at the desktop's depth.
e2e_key F5
sleep 1.5
e2e_expect_title "Borlin : XWIN  448x512 32 bpp @ 0 hz" "after F5"
e2e_screenshot "$shots/window_again.png"
e2e_hold End 0.3
[ "$(e2e_wait_exit 10)" = 0 ] || e2e_fail "End did not quit"
e2e_pass
