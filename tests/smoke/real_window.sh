#!/usr/bin/env bash
# The game in a real window under Xvfb: the title's sign must be on screen once its line is typed
# out (looked for from 3 s after the first frame on); two key presses take it through the help page into play, where
# the bartender stands at the top bar and a tap of Down moves him one bar down, and no further.
# Alt+Enter puts the game in a window of its windowed size and a second one brings full screen
# back, the window's icon set in both; Escape must end it with exit code 0.
# Usage: real_window.sh <game> <shots folder> <bmps folder> [<folder to start in>]
#   <game> is the game or its launcher, started in its own folder unless told otherwise; the
#   sign's and the bartender's colours are read from the pictures in <bmps folder>, and where the
#   bartender stands from the bars' table that the build wrote beside it (BARS=<file> names another).
#   XVFB=<command> starts the X server in another way (the default is Xvfb). TYPED_AFTER=<seconds>
#   gives the line longer than its 3 s, and TYPED_WITHIN=<seconds> (default 20) keeps looking until
#   then: on a busy machine the game's frames may come late. How fast the line is typed is the
#   golden replays' to hold, frame by frame; here it must come at all.
#   LISTEN=<SDL audio driver> plays the game's sound through that driver to a private PulseAudio
#   server of the test's own (tests/support/sound_server.sh) and listens to its sink: the title's
#   blasts and letters must reach it. Without it the game plays on SDL's silent driver.
#   WINDOWED=<width>x<height> is the size of the X window the game's window makes (the default,
#   800x600, is the game's windowed size on this screen; a program whose system draws a frame
#   around the window makes a larger one).
set -uo pipefail
game="$(realpath "$1")"
shots="$2"
pictures="$3"
start_in="${4:-$(dirname "$game")}"
here="$(cd "$(dirname "$0")" && pwd)"
colours_of="$here/xwd_colours.py"
bars="${BARS:-$pictures/../bars.json}"
[ -f "$bars" ] || { echo "no bars' table at $bars" >&2; exit 1; }

read -ra xvfb_command <<<"${XVFB:-Xvfb}"
xvfb=""
game_pid=""
sound_server=""
listener=""
sound_home=""
trap 'kill $listener $sound_server $xvfb $game_pid 2>/dev/null; [ -z "$sound_home" ] || rm -rf "$sound_home"' EXIT
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

if [ -n "${LISTEN:-}" ]; then
  sound_home="$(mktemp -d)"
  "$here/../support/sound_server.sh" "$sound_home" >/dev/null 2>&1 &
  sound_server=$!
  for _ in $(seq 100); do [ -e "$sound_home/native" ] && break; sleep 0.1; done
  [ -e "$sound_home/native" ] || { echo "the sound server did not start"; exit 1; }
  export PULSE_SERVER="unix:$sound_home/native"
  parec -d nowhere.monitor --raw --format=s16le --rate=44100 --channels=2 >"$shots/heard.raw" &
  listener=$!
fi
(cd "$start_in" && SDL_AUDIODRIVER="${LISTEN:-dummy}" exec "$game") &
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
while [ "$typed" != "1 0" ] && python3 -c "import sys, time; sys.exit(time.time() > $first + ${TYPED_WITHIN:-20})"; do
  sleep 0.5
  xwd -root -silent > "$shots/title.xwd"
  typed=$(python3 "$colours_of" --lit "328,494:328,484" "$shots/title.xwd")
done
# By then explosions have blasted the whole sign into view. At 1.28 times the smooth second step
# of the scale blends the edges of its pixels, so about 37000 pixels of the screen keep the sign's
# own colours.
sign=$(python3 "$colours_of" --sign "$pictures" "$shots/title.xwd" "$shots/title.png")
echo "title screen shows $sign pixels of the sign; the typed line's last dot and above it: $typed"

if [ -n "$listener" ]; then
  kill $listener
  wait $listener 2>/dev/null
  listener=""
  heard=$(python3 -c "import array, sys; a = array.array('h', open(sys.argv[1], 'rb').read()); print(max(map(abs, a), default=0))" "$shots/heard.raw")
  echo "the sound server heard a peak of $heard (of 32768) from the title"
fi

# Where the bartender stands: the bar with most of his own colours, or 0 while none has them.
bartender_bar() {
  xwd -root -silent > "$shots/bar.xwd"
  python3 "$colours_of" --bartender "$pictures" "$bars" "$shots/bar.xwd" |
    awk '{ best = 0; for (i = 1; i <= 3; i++) if ($i >= 300 && (best == 0 || $i > $best)) best = i; print best }'
}
# Waits up to <seconds> for the bartender to stand at <bar>.
wait_for_bar() {
  local deadline=$(($(date +%s) + $2))
  while [ "$(bartender_bar)" != "$1" ] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.1; done
  bartender_bar
}

xdotool key Return
sleep 0.5
xdotool key Return
start_bar=$(wait_for_bar 1 20)
xwd -root -silent > "$shots/play.xwd"
colours=$(python3 "$colours_of" "$shots/play.xwd" "$shots/play.png")
echo "play screen shows $colours colours; the bartender stands at bar $start_bar"

# A tap, held shorter than the move's sound: a held key moves him again each time it ends. Long
# after that he must still stand one bar down.
xdotool keydown Down
sleep 0.2
xdotool keyup Down
moved_bar=$(wait_for_bar 2 10)
sleep 1
moved_bar="$moved_bar $(bartender_bar)"
echo "after a tap of Down he stands at bar $moved_bar"

# The window from the X side: full screen covers the screen; Alt+Enter makes it a window of the
# game's windowed size, and a second one covers the screen again. Its icon, which the taskbar
# shows, stays in both.
geometry() {
  xwininfo -name Brannoc 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print w "x" h "+" x "+" y }'
}
# Waits up to 10 s for the window's size to match <pattern>.
wait_for_geometry() {
  local deadline=$(($(date +%s) + 10))
  # shellcheck disable=SC2053 # matched as a pattern
  while [[ "$(geometry)" != $1 ]] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.1; done
  geometry
}
windowed="${WINDOWED:-800x600}"
icon() { xprop -name Brannoc _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | head -1; }
windows="full screen $(geometry)"
icons="full screen: $(icon)"
xdotool key alt+Return
windows="$windows, in a window $(wait_for_geometry "$windowed+*")"
icons="$icons; in a window: $(icon)"
xdotool key alt+Return
windows="$windows, full screen $(wait_for_geometry "1024x768+0+0")"
echo "the window: $windows"
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
[ "$typed" = "1 0" ] || { echo "the typed line is not complete ${TYPED_WITHIN:-20} s after the first frame"; exit 1; }
[ "$colours" -ge 16 ] || { echo "the play screen is nearly blank"; exit 1; }
[ "$start_bar" = 1 ] || { echo "the bartender does not stand at the top bar when play starts"; exit 1; }
[ "$moved_bar" = "2 2" ] || { echo "a tap of Down did not move the bartender one bar"; exit 1; }
[[ "$windows" == "full screen 1024x768+0+0, in a window $windowed+"*", full screen 1024x768+0+0" ]] ||
  { echo "Alt+Enter did not switch to a window of $windowed and back"; exit 1; }
[ -z "${LISTEN:-}" ] || [ "$heard" -ge 1000 ] || { echo "no sound from the title reached the sound server"; exit 1; }
[ "$icons" = "full screen: Icon (32 x 32); in a window: Icon (32 x 32)" ] || { echo "the window has no icon"; exit 1; }
echo "ok"
