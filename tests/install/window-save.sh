#!/usr/bin/env bash
# Runs inside an X server (xvfb-run): starts the window, saves the picture
# with File > Save Image (Ctrl+S) under EXPECTED_PICTURE's name in the folder
# the save dialog offers, then closes the window with File > Exit (Ctrl+X).
# Usage: window-save.sh TESSALY_EXECUTABLE EXPECTED_PICTURE
set -u
"$1" &
pid=$!
shot="$2"
window=""
for _ in $(seq 1 120); do
  window="$(xdotool search --onlyvisible --name 'Tessaly$' 2>/dev/null | head -1)"
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "no window"; kill -KILL "$pid"; exit 1; }
# A start-up warning box, if any, goes first.
sleep 3
for box in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
  [ "$box" != "$window" ] && xdotool windowfocus --sync "$box" && xdotool key Return
done
# Ctrl+S until the save dialog shows (the window may still be starting).
dialog=""
for _ in $(seq 1 12); do
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --clearmodifiers ctrl+s
  for _ in $(seq 1 10); do
    dialog="$(xdotool search --onlyvisible --name '^Save' 2>/dev/null | head -1)"
    [ -n "$dialog" ] && break 2
    sleep 0.5
  done
done
[ -n "$dialog" ] || { echo "no save dialog"; kill -KILL "$pid"; exit 1; }
sleep 1
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool type --delay 50 "$(basename "$shot")"
xdotool key Return
for _ in $(seq 1 60); do
  [ -s "$shot" ] && break
  sleep 0.5
done
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --clearmodifiers ctrl+x
for _ in $(seq 1 40); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && { echo "window did not close"; kill -KILL "$pid"; }
wait "$pid"
[ -s "$shot" ]
