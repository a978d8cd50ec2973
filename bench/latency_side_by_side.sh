#!/usr/bin/env bash
# How soon a key shows and a sound sounds: the release game in play beside the bare SDL loop, at
# once, each in its own X server at 1920 by 1080. Keys are tapped through XTest at random phases of
# the frame (Down and Up for the game, which move the bartender a bar; any key turns the loop's
# top-left square white or black). A preloaded probe reads, before each present, the squares that
# show the change: where the bartender stands on each bar, and the loop's square. A key's latency
# runs from its press to the first present that shows it.
# The game plays to a private PulseAudio server's null sink, and each move sounds: a sound's
# latency runs from the frame that starts it (its last call into the sound device before that
# frame's present) to its first samples at the sink's monitor.
# Prints its figures last, on one line.
#
# Usage: bench/latency_side_by_side.sh [<game> [<presses>]]
#   <game> defaults to build/release/brannoc (cmake --preset release && cmake --build
#   --preset release); it is started in its own folder, where bmps/ lies. <presses> defaults to 60.
#   The loop is compiled from bare-sdl-loop.c in BRANNOC_SHARED_BENCH (default: ../shared/bench
#   beside the checkout); it is not part of this repository.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=latency_pairs.sh
source "$root/bench/latency_pairs.sh"
# shellcheck source=sound_servers.sh
source "$root/bench/sound_servers.sh"
game="$(realpath "${1:-$root/build/release/brannoc}")"
presses="${2:-60}"
shared="${BRANNOC_SHARED_BENCH:-$root/../shared/bench}"

if [ ! -f "$shared/bare-sdl-loop.c" ]; then
  echo "missing $shared/bare-sdl-loop.c: the bare SDL loop is kept outside this repository; point"
  echo "BRANNOC_SHARED_BENCH at the folder that holds it"
  exit 2
fi
[ -x "$game" ] || { echo "no game at $game: build the release preset first"; exit 2; }
for tool in Xvfb xdotool pulseaudio cc sdl2-config pkg-config awk; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done

work="$(mktemp -d)"
read -ra sdl_flags <<<"$(sdl2-config --cflags --libs | tr "\n" " ")"
read -ra sdl_cflags <<<"$(sdl2-config --cflags)"
cc -O2 "$shared/bare-sdl-loop.c" -o "$work/bare-sdl-loop" "${sdl_flags[@]}" || exit 2
cc -O2 -shared -fPIC "$root/bench/latency_probe.c" -o "$work/probe.so" "${sdl_cflags[@]}" -ldl || exit 2
cc -O2 "$root/bench/latency_keys.c" -o "$work/keys" -lXtst -lX11 || exit 2
cc -O2 "$root/bench/latency_listen.c" -o "$work/listen" -lpulse-simple -lpulse || exit 2
c++ -std=c++20 -O2 -I"$root/src" "$root/bench/latency_starves.cpp" -o "$work/starves" "${sdl_flags[@]}" || exit 2

xvfbs=""
loop=""
game_pid=""
sound_servers=""
listener=""
starves=""
trap 'kill $listener $starves $loop $game_pid 2>/dev/null; kill $sound_servers $xvfbs 2>/dev/null; rm -rf "$work"' EXIT
# Starts an X server at the first free display from <number> on, and prints its pid and display.
start_x() {
  for n in $(seq "$1" 200); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    echo "$! :$n"
    return 0
  done
  return 1
}
read -r pid loop_display <<<"$(start_x 161)"
[ -n "$loop_display" ] || { echo "no free X display"; exit 2; }
xvfbs="$pid"
read -r pid game_display <<<"$(start_x $((${loop_display#:} + 1)))"
[ -n "$game_display" ] || { echo "no free X display"; exit 2; }
xvfbs="$xvfbs $pid"
for display in "$loop_display" "$game_display"; do
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
done
# The game's sound server, and one of its own for the bare sound output.
start_sound_servers "$work" pulse bare-pulse
export PULSE_SERVER="unix:$work/pulse/native"

# Squares of 16 pixels, in the screen's pixels: the 800 by 600 picture is shown 1.8 times as large
# from x 240. The bartender standing at a bar covers (baseX + 35..100, baseY + 12..138) of the
# picture; the loop's square is (0..99, 0..99).
spot() { awk -v x="$1" -v y="$2" 'BEGIN { printf "%d,%d,16", 240 + x * 1.8 - 8, y * 1.8 - 8 }'; }
game_spots="$(spot 142 185);$(spot 107 340);$(spot 77 505)"
gap_ms=400
DISPLAY="$loop_display" PROBE_OUT="$work/loop.txt" PROBE_SPOTS="$(spot 50 50)" LD_PRELOAD="$work/probe.so" \
  "$work/bare-sdl-loop" $((presses * gap_ms * 2 / 1000 + 30)) &
loop=$!
# Each line the game says is stamped with the time it said it, to tell how long after its start.
stamp() {
  local line
  while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done
}
game_started="$EPOCHREALTIME"
(cd "$(dirname "$game")" && DISPLAY="$game_display" PROBE_OUT="$work/game.txt" PROBE_SPOTS="$game_spots" \
  LD_PRELOAD="$work/probe.so" SDL_AUDIODRIVER=pulseaudio exec "$game" 2> >(stamp >"$work/game.err")) &
game_pid=$!
# A second of measuring the processor, then the title; a key leaves it, another the help page.
sleep 4
DISPLAY="$game_display" xdotool key Return
sleep 0.7
DISPLAY="$game_display" xdotool key Return
sleep 2
kill -0 $game_pid 2>/dev/null || { echo "the game ended early"; cat "$work/game.err"; exit 1; }

# Presses at least 400 ms apart: a move is read again only once its sound has ended.
"$work/listen" nowhere.monitor $((presses * gap_ms * 2 / 1000 + 3)) >"$work/heard.txt" &
listener=$!
# A bare sound output beside the game, watched as the game watches its own.
PULSE_SERVER="unix:$work/bare-pulse/native" SDL_AUDIODRIVER=pulseaudio "$work/starves" $((presses * gap_ms * 2 / 1000)) >"$work/starves.txt" 2>&1 &
starves=$!
sleep 0.5
DISPLAY="$loop_display" "$work/keys" "$presses" $gap_ms space >"$work/loop_keys.txt" &
loop_keys=$!
DISPLAY="$game_display" "$work/keys" "$presses" $gap_ms Down Up >"$work/game_keys.txt"
wait $loop_keys
kill $listener 2>/dev/null
wait $listener 2>/dev/null
listener=""
wait $starves
starves=""

kill -TERM $loop
DISPLAY="$game_display" xdotool keydown Escape
sleep 0.3
DISPLAY="$game_display" xdotool keyup Escape
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
wait $loop 2>/dev/null
wait $game_pid
game_code=$?
loop=""
game_pid=""
[ "$game_code" -eq 0 ] || { echo "the game exited with $game_code"; cat "$work/game.err"; exit 1; }

pair "$work/game_keys.txt" "$work/heard.txt" "$work/game.txt" >"$work/game_pairs.txt"
: >"$work/none.txt"
pair "$work/loop_keys.txt" "$work/none.txt" "$work/loop.txt" >"$work/loop_pairs.txt"

read -r key50 key90 keys_seen <<<"$(percentiles key "$work/game_pairs.txt")"
read -r bare50 bare90 bare_seen <<<"$(percentiles key "$work/loop_pairs.txt")"
read -r sound50 sound90 sounds_heard <<<"$(percentiles sound "$work/game_pairs.txt")"
# A busy machine may starve the game's quick sound buffer, which it then trades for a larger one.
sleep 0.2 # the last of the stamps
awk -v started="$game_started" '{ said = $1; sub(/^[^ ]* /, ""); printf "the game said, %.1f s after its start: %s\n", said - started, $0 }' "$work/game.err"
echo "a bare sound output beside the game $(cat "$work/starves.txt")"
echo "of $presses presses each: the game showed $keys_seen and sounded $sounds_heard, the loop showed $bare_seen"
echo "latency desktop: key p50 $key50 p90 $key90 ms (bare p50 $bare50 p90 $bare90); sound p50 $sound50 p90 $sound90 ms"
