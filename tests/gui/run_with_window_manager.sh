#!/bin/sh
# Runs a command on the current X display with openbox managing its windows,
# as on a user's desktop: maximising, restoring and decorations then behave
# as they do there, not as on a bare X server.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# The window manager announces itself on the root window when it is ready.
tries=0
while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ]; then
    echo "run_with_window_manager: openbox did not start" >&2
    kill "$wm" 2>/dev/null
    exit 1
  fi
  sleep 0.1
done
KELMIO_WINDOW_MANAGER=openbox "$@"
status=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit "$status"
