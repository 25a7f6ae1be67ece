# From the menus: the X11 window driver at 640 x 480, then 16 bits, then
# Save Settings; after a restart the window opens in that mode without a
# message box. A damaged or cut config.dat still gives the default window.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_start_game "$1"
shots=${E2E_SHOTS:-$E2E_SCRATCH}

title_now() { e2e_title "$(e2e_window)"; }
key() { e2e_hold "$1" 0.2; sleep 0.2; }
no_message_box() {
  [ ! -e "$E2E_SCRATCH/message.txt" ] || e2e_fail "a message box said: $(cat "$E2E_SCRATCH/message.txt")"
}

sleep 3  # the fade-in and the logo's zoom
t=$(title_now)
[ "$t" = "Borlin : AUTO  448x512 32 bpp @ 0 hz" ] || e2e_fail "first title '$t'"

# Main: Options. Options: Advanced. Advanced: Graphics Mode.
key Down; key Return
key Down; key Down; key Return
key Return
sleep 0.5
e2e_screenshot "$shots/drivers.png"
# The drivers: X11 fullscreen, X11 window, then the DGA ones; the cursor
# starts on the first, as the autodetected window is none of them.
key Down; key Return
sleep 0.5
e2e_screenshot "$shots/resolutions.png"
# The window lists no sizes: the fixed list, the cursor on 448 x 512 (the
# fourth); two up is 640 x 480.
key Up; key Up; key Return
sleep 1
t=$(title_now)
[ "$t" = "Borlin : XWIN  640x480 32 bpp @ 0 hz" ] || e2e_fail "after the driver list, title '$t'"

# Advanced again: Colour Depth, from "Desktop depth" (32) down to 16 bpp.
key Down; key Return
sleep 0.5
e2e_screenshot "$shots/depths.png"
key Down; key Down; key Down; key Return
sleep 1
t=$(title_now)
[ "$t" = "Borlin : XWIN  640x480 16 bpp @ 0 hz" ] || e2e_fail "after the depth list, title '$t'"
e2e_screenshot "$shots/menu_16bpp.png"

# Back to Options, Save Settings, then leave.
key Escape
key Down; key Return
[ -s "$E2E_SCRATCH/config.dat" ] || e2e_fail "Save Settings wrote no config.dat"
key Escape; key Escape
status=$(e2e_wait_exit 10)
[ "$status" = 0 ] || e2e_fail "exit status $status, expected 0"
no_message_box

# The saved mode comes back.
e2e_run
sleep 2
t=$(title_now)
[ "$t" = "Borlin : XWIN  640x480 16 bpp @ 0 hz" ] || e2e_fail "after a restart, title '$t'"
no_message_box
sleep 1
e2e_screenshot "$shots/restarted.png"
colours=$(convert "$shots/restarted.png" -crop 640x480+0+0 +repage -format %k info:)
[ "$colours" -gt 2 ] || e2e_fail "the restored window shows $colours colours"
e2e_hold End 0.3
[ "$(e2e_wait_exit 10)" = 0 ] || e2e_fail "End did not quit after the restart"

# A file cut short, then one that is only damage after the packfile
# signature: each time the default window, no message box.
cp "$E2E_SCRATCH/config.dat" "$E2E_SCRATCH/saved.dat"
for damage in cut junk; do
  if [ $damage = cut ]; then
    head -c 7 "$E2E_SCRATCH/saved.dat" >"$E2E_SCRATCH/config.dat"
  else
    { printf 'slh!'; head -c 40 /dev/urandom; } >"$E2E_SCRATCH/config.dat"
  fi
  e2e_run
  sleep 2
  t=$(title_now)
  [ "$t" = "Borlin : AUTO  448x512 32 bpp @ 0 hz" ] || e2e_fail "with a $damage config.dat, title '$t'"
  no_message_box
  e2e_hold End 0.3
  [ "$(e2e_wait_exit 10)" = 0 ] || e2e_fail "End did not quit with a $damage config.dat"
done
e2e_pass
