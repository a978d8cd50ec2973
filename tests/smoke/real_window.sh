#!/usr/bin/env bash
# The game in a real window under Xvfb: the title's sign must be on screen; two key presses take
# it through the help page into play, the pub must be on screen, and Escape must end it with exit
# code 0.
# Usage: real_window.sh <game> <shots folder> <bmps folder> [<folder to start in>]
#   <game> is the game or its launcher, started in its own folder unless told otherwise; the
#   sign's colours are read from the pictures in <bmps folder>.
#   XVFB=<command> starts the X server in another way (the default is Xvfb).
set -uo pipefail
game="$(realpath "$1")"
shots="$2"
pictures="$3"
start_in="${4:-$(dirname "$game")}"
colours_of="$(dirname "$0")/xwd_colours.py"

display=""
for n in $(seq 91 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }

read -ra xvfb_command <<<"${XVFB:-Xvfb}"
"${xvfb_command[@]}" "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kill $game_pid 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display"
mkdir -p "$shots"

(cd "$start_in" && SDL_AUDIODRIVER=dummy exec "$game") &
game_pid=$!
# Start-up measures the processor for one second, then explosions blast the sign into view from
# left to right: watched until most of it shows (the whole sign covers about 57000 pixels of a
# 1024 by 768 screen).
sleep 1
for _ in $(seq 30); do
  sleep 0.5
  kill -0 $game_pid || { echo "the game ended on its own"; exit 1; }
  xwd -root -silent > "$shots/title.xwd"
  sign=$(python3 "$colours_of" --sign "$pictures" "$shots/title.xwd" "$shots/title.png")
  [ "$sign" -ge 40000 ] && break
done
echo "title screen shows $sign pixels of the sign"

xdotool key Return
sleep 0.5
xdotool key Return
sleep 1
xwd -root -silent > "$shots/play.xwd"
colours=$(python3 "$colours_of" "$shots/play.xwd" "$shots/play.png")
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
[ "$sign" -ge 40000 ] || { echo "the title shows no sign"; exit 1; }
[ "$colours" -ge 16 ] || { echo "the play screen is nearly blank"; exit 1; }
echo "ok"
