#!/usr/bin/env bash
# The game in a real window under Xvfb: 3 s after the first frame the title's sign must be on
# screen and its line typed out; two key presses take it through the help page into play, the pub
# must be on screen with the window's icon set, also after Alt+Enter, and Escape must end it with
# exit code 0.
# Usage: real_window.sh <game> <shots folder> <bmps folder> [<folder to start in>]
#   <game> is the game or its launcher, started in its own folder unless told otherwise; the
#   sign's colours are read from the pictures in <bmps folder>.
#   XVFB=<command> starts the X server in another way (the default is Xvfb). TYPED_AFTER=<seconds>
#   gives the line longer than its 3 s, and TYPED_WITHIN=<seconds> keeps looking until then, where
#   frames come slowly (the game under Wine on a busy machine).
set -uo pipefail
game="$(realpath "$1")"
shots="$2"
pictures="$3"
start_in="${4:-$(dirname "$game")}"
colours_of="$(dirname "$0")/xwd_colours.py"

read -ra xvfb_command <<<"${XVFB:-Xvfb}"
xvfb=""
game_pid=""
trap 'kill $xvfb 2>/dev/null; kill $game_pid 2>/dev/null' EXIT
display=""
for n in $(seq 91 120); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  "${xvfb_command[@]}" ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.1
  done
  # Another test on this machine may have taken the number a moment before: this server has ended.
  sleep 0.2
  if kill -0 $xvfb 2>/dev/null; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }
export DISPLAY="$display"
mkdir -p "$shots"

(cd "$start_in" && SDL_AUDIODRIVER=dummy exec "$game") &
game_pid=$!
# The title's blinking cursor stands at (15, 372) of the 800 by 600 picture from the first frame
# on, and moves a cell of 13 to the right with every letter typed; the 1024 by 768 screen shows the
# picture 1.28 times as large. Any of the line's cells lit, by the cursor or a letter, tells that
# the title is showing: a watch slowed by a busy machine may miss the blinking cursor at its start,
# never all of the line. Start-up measures the processor for one second first.
cells=$(python3 -c "print(':'.join(f'{round((21 + 13 * i) * 1.28)},489' for i in range(18)))")
first=""
for _ in $(seq 200); do
  kill -0 $game_pid || { echo "the game ended on its own"; exit 1; }
  xwd -root -silent > "$shots/watch.xwd"
  if python3 "$colours_of" --lit "$cells" "$shots/watch.xwd" | grep -q 1; then first=$(date +%s.%N); break; fi
  sleep 0.02
done
[ -n "$first" ] || { echo "the title never showed"; exit 1; }
# Typed on the tick, the line is complete about 2.5 s after the first frame: 3 s after it, the
# last of its three dots (at 254..259, 384..388) shows, and the cursor no longer stands over it.
sleep "$(python3 -c "import time; print(max(0.0, $first + ${TYPED_AFTER:-3} - time.time()))")"
xwd -root -silent > "$shots/title.xwd"
typed=$(python3 "$colours_of" --lit "328,494:328,484" "$shots/title.xwd")
# TYPED_WITHIN=<seconds> looks again, until then, where the frames may come slowly.
while [ "$typed" != "1 0" ] && python3 -c "import sys, time; sys.exit(time.time() > $first + ${TYPED_WITHIN:-0})"; do
  sleep 0.5
  xwd -root -silent > "$shots/title.xwd"
  typed=$(python3 "$colours_of" --lit "328,494:328,484" "$shots/title.xwd")
done
# By then explosions have blasted the whole sign into view. At 1.28 times the smooth second step
# of the scale blends the edges of its pixels, so about 37000 pixels of the screen keep the sign's
# own colours.
sign=$(python3 "$colours_of" --sign "$pictures" "$shots/title.xwd" "$shots/title.png")
echo "title screen shows $sign pixels of the sign; the typed line's last dot and above it: $typed"

xdotool key Return
sleep 0.5
xdotool key Return
sleep 1
xwd -root -silent > "$shots/play.xwd"
colours=$(python3 "$colours_of" "$shots/play.xwd" "$shots/play.png")
echo "play screen shows $colours colours"

# The window's icon, which the taskbar shows: full screen, and in a window after Alt+Enter; a
# second Alt+Enter brings full screen back.
icon() { xprop -name Brannoc _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | head -1; }
icons="full screen: $(icon)"
xdotool key alt+Return
sleep 1
icons="$icons; in a window: $(icon)"
xdotool key alt+Return
sleep 1
echo "the window's icon, $icons"

# Held for a while: the game asks the keyboard whether Escape is down when the press arrives, and
# under the sanitizers on a busy machine a frame may take longer than a quick tap.
xdotool keydown Escape
sleep 1.5
xdotool keyup Escape
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $game_pid 2>/dev/null; then echo "the game did not end on Escape"; exit 1; fi
wait $game_pid
code=$?
[ "$code" -eq 0 ] || { echo "exit code $code"; exit 1; }
[ "$sign" -ge 28000 ] || { echo "the title shows no sign"; exit 1; }
[ "$typed" = "1 0" ] || { echo "the typed line is not complete ${TYPED_WITHIN:-${TYPED_AFTER:-3}} s after the first frame"; exit 1; }
[ "$colours" -ge 16 ] || { echo "the play screen is nearly blank"; exit 1; }
[ "$icons" = "full screen: Icon (32 x 32); in a window: Icon (32 x 32)" ] || { echo "the window has no icon"; exit 1; }
echo "ok"
