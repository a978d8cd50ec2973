#!/usr/bin/env bash
# The built game in a real window under Xvfb: two key presses take it from the title through the
# help page into play, the pub must be on screen, and Escape must end it with exit code 0.
set -uo pipefail
game="$1"
shots="$2"
cd "$(dirname "$game")"

display=""
for n in $(seq 91 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kill $game_pid 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display"

SDL_AUDIODRIVER=dummy "./$(basename "$game")" &
game_pid=$!
# Start-up measures the processor for one second.
sleep 3
kill -0 $game_pid || { echo "the game ended on its own"; exit 1; }

xdotool key Return
sleep 0.5
xdotool key Return
sleep 1
mkdir -p "$shots"
xwd -root -silent > "$shots/play.xwd"
colours=$(python3 "$(dirname "$0")/xwd_colours.py" "$shots/play.xwd" "$shots/play.png")
echo "play screen shows $colours colours"

# Held for a moment: the game asks the keyboard whether Escape is down when the press arrives.
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $game_pid 2>/dev/null; then echo "the game did not end on Escape"; exit 1; fi
wait $game_pid
code=$?
[ "$code" -eq 0 ] || { echo "exit code $code"; exit 1; }
[ "$colours" -ge 16 ] || { echo "the play screen is nearly blank"; exit 1; }
echo "ok"
