# The harness itself: a message box shown through the library's route is
# found, read and dismissed, and a held key reaches a window.
. "$(dirname "$0")/harness.sh"
e2e_start_xvfb
e2e_scratch "$1"
(PATH="$E2E_SCRATCH/.bin:$PATH" xmessage -buttons OK:101 -default OK -center "Hello from the box") &
E2E_PIDS+=("$!")
text=$(e2e_message_box 10)
[ "$text" = "Hello from the box" ] || e2e_fail "read '$text' from the message box"
sleep 0.5
kill -0 "$(cat "$E2E_SCRATCH/message.pid")" 2>/dev/null && e2e_fail "the message box stayed open"
e2e_pass
