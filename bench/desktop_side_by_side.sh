#!/usr/bin/env bash
# The game in play beside the bare SDL loop, in one X server at 1920 by 1080: the loop uploads an
# 800 by 600 frame and presents it at desktop size 60 times a second, the floor for any SDL game
# of this size. Both run at once, each with the present probe preloaded; over the same seconds of
# play it compares their process CPU and their 99th-percentile frame intervals.
# Passes when the game's CPU is at most 1.25 times the loop's and its p99 frame interval at most
# the loop's plus 1 ms.
#
# Usage: bench/desktop_side_by_side.sh [<game> [<seconds of play>]]
#   <game> defaults to build/release/brannoc (cmake --preset release && cmake --build
#   --preset release); it is started in its own folder, where bmps/ lies.
#   The loop and the probe are compiled from bare-sdl-loop.c and present-probe.c in
#   BRANNOC_SHARED_BENCH (default: ../shared/bench beside the checkout); they are not part of
#   this repository.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
game="$(realpath "${1:-$root/build/release/brannoc}")"
seconds="${2:-20}"
shared="${BRANNOC_SHARED_BENCH:-$root/../shared/bench}"

for source in bare-sdl-loop.c present-probe.c; do
  if [ ! -f "$shared/$source" ]; then
    echo "missing $shared/$source: the bare SDL loop and the present probe are kept outside this"
    echo "repository; point BRANNOC_SHARED_BENCH at the folder that holds them"
    exit 2
  fi
done
[ -x "$game" ] || { echo "no game at $game: build the release preset first"; exit 2; }
for tool in Xvfb xdotool cc sdl2-config awk; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done

work="$(mktemp -d)"
read -ra sdl_flags <<<"$(sdl2-config --cflags --libs | tr "\n" " ")"
cc -O2 "$shared/bare-sdl-loop.c" -o "$work/bare-sdl-loop" "${sdl_flags[@]}" || exit 2
cc -O2 -shared -fPIC "$shared/present-probe.c" -o "$work/present-probe.so" -ldl || exit 2

display=""
for n in $(seq 121 160); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 2; }
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
loop=""
game_pid=""
trap 'kill $loop $game_pid 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display"

# The schedule, in seconds from the loop's start: the game starts at 1, reaches play by about 6
# (a second of measuring the processor, the title, two keys), and both are measured from 8.
measure_from=8
PROBE_OUT="$work/loop.txt" PROBE_SKIP_S=$measure_from LD_PRELOAD="$work/present-probe.so" \
  "$work/bare-sdl-loop" $((measure_from + seconds + 30)) &
loop=$!
sleep 1
(cd "$(dirname "$game")" && PROBE_OUT="$work/game.txt" PROBE_SKIP_S=$((measure_from - 1)) \
  LD_PRELOAD="$work/present-probe.so" SDL_AUDIODRIVER=dummy exec "$game") &
game_pid=$!
# The game is mapped last, so it lies on top and takes the keys (at 4.5 and 5.2).
sleep 3.5
xdotool key Return
sleep 0.7
xdotool key Return
sleep 2.8

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
kill -0 $game_pid 2>/dev/null || { echo "the game ended early"; exit 1; }
game_start=$(cpu_ticks $game_pid)
loop_start=$(cpu_ticks $loop)
sleep "$seconds"
game_used=$(( $(cpu_ticks $game_pid) - game_start ))
loop_used=$(( $(cpu_ticks $loop) - loop_start ))

# The loop quits on SIGTERM through SDL's quit event; the game on Escape in play. Both write
# their probe's figures on the way out.
kill -TERM $loop
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
wait $loop 2>/dev/null
wait $game_pid
game_code=$?
loop=""
game_pid=""

figure() { awk -v key="$2" '$1 == key { print $2 }' "$1"; }
hz=$(getconf CLK_TCK)
echo "over $seconds s of play at 1920x1080:"
printf "%-6s %12s %8s %8s %8s\n" "" "CPU ms/s" "fps" "p50 ms" "p99 ms"
for who in game loop; do
  used=$([ $who = game ] && echo $game_used || echo $loop_used)
  printf "%-6s %12.1f %8s %8s %8s\n" $who "$(awk -v u="$used" -v hz="$hz" -v s="$seconds" 'BEGIN { print u * 1000 / hz / s }')" \
    "$(figure "$work/$who.txt" fps)" "$(figure "$work/$who.txt" p50_ms)" "$(figure "$work/$who.txt" p99_ms)"
done
[ "$game_code" -eq 0 ] || { echo "the game exited with $game_code"; exit 1; }
[ "$loop_used" -gt 0 ] || { echo "the loop used no processor time"; exit 1; }
ratio=$(awk -v g="$game_used" -v l="$loop_used" 'BEGIN { print g / l }')
game_p99=$(figure "$work/game.txt" p99_ms)
loop_p99=$(figure "$work/loop.txt" p99_ms)
printf "CPU ratio game/loop %.2f (at most 1.25); p99 %s ms against %s + 1 ms\n" "$ratio" "$game_p99" "$loop_p99"
if awk -v r="$ratio" -v g="$game_p99" -v l="$loop_p99" 'BEGIN { exit !(r <= 1.25 && g != "" && g <= l + 1) }'; then
  echo "ok"
else
  echo "over budget"
  exit 1
fi
