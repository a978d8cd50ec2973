#!/usr/bin/env bash
# How soon a key shows and a sound sounds in the Windows game under Wine, and in the bare SDL loop
# cross-built with the windows build's own SDL just before it, in one X server at 1920 by 1080,
# both drawing through SDL's software renderer (Wine's Direct3D crawls on software OpenGL here).
# As bench/latency_side_by_side.sh does on the desktop, with its keys and its listener: keys tapped
# through XTest at random phases of the frame; each program linked with bench/latency_probe.c and
# -Wl,--wrap=SDL_RenderPresent,--wrap=SDL_LockAudioDevice reads the squares that show the change
# before each present; the game plays through SDL's wasapi driver and Wine's PulseAudio driver to
# a private null sink, whose monitor the listener hears. Prints its figures on one line, then
# whether the game's key latency is within a millisecond of the loop's at p50 and p90.
#
# Usage: bench/latency_wine.sh [<presses>]
#   Wants the windows preset built (cmake --preset windows && cmake --build --preset windows
#   --target brannoc brannoc_windows_zip). <presses> defaults to 60. SDL_RENDER_DRIVER=direct3d draws as Windows would.
#   The loop is compiled from bare-sdl-loop.c in BRANNOC_SHARED_BENCH (default: ../shared/bench
#   beside the checkout); it is not part of this repository.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=latency_pairs.sh
source "$root/bench/latency_pairs.sh"
# shellcheck source=wine_programs.sh
source "$root/bench/wine_programs.sh"
presses="${1:-60}"
build="$root/build/windows"
shared="${BRANNOC_SHARED_BENCH:-$root/../shared/bench}"
export SDL_RENDER_DRIVER="${SDL_RENDER_DRIVER:-software}"

if [ ! -f "$shared/bare-sdl-loop.c" ]; then
  echo "missing $shared/bare-sdl-loop.c: the bare SDL loop is kept outside this repository; point"
  echo "BRANNOC_SHARED_BENCH at the folder that holds it"
  exit 2
fi
if [ ! -f "$build/brannoc-windows.zip" ] || [ ! -x "$build/wine.sh" ]; then echo "build the windows preset first"; exit 2; fi
for tool in Xvfb xdotool xwd pulseaudio cc ninja x86_64-w64-mingw32-gcc-posix pkg-config python3 awk; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done
deps=$(wine_deps "$build")
[ -d "$deps/lib/pkgconfig" ] || { echo "no Windows libraries named in $build/CMakeCache.txt"; exit 2; }

work="$(mktemp -d)"
read -ra sdl_cflags <<<"$(PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" pkg-config --cflags sdl2)"
x86_64-w64-mingw32-gcc-posix -O2 -c "$root/bench/latency_probe.c" -o "$work/probe.o" "${sdl_cflags[@]}" || exit 2
wrap=("-Wl,--wrap=SDL_RenderPresent" "-Wl,--wrap=SDL_LockAudioDevice")
wine_bare_loop "$deps" "$shared/bare-sdl-loop.c" "$work/bare-sdl-loop.exe" "$work/probe.o" "${wrap[@]}" || exit 2
wine_relinked_game "$build" "$work" "$work/probe.o" "${wrap[@]}" || exit 2
cc -O2 "$root/bench/latency_keys.c" -o "$work/keys" -lXtst -lX11 || exit 2
cc -O2 "$root/bench/latency_listen.c" -o "$work/listen" -lpulse-simple -lpulse || exit 2

xvfb=""
loop=""
game_pid=""
sound_server=""
listener=""
trap 'kill $listener $loop $game_pid 2>/dev/null; kill $sound_server $xvfb 2>/dev/null; rm -rf "$work"' EXIT
display=""
for n in $(seq 171 200); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 2; }
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display"
mkdir "$work/pulse"
"$root/tests/support/sound_server.sh" "$work/pulse" >/dev/null 2>&1 &
sound_server=$!
for _ in $(seq 100); do [ -e "$work/pulse/native" ] && break; sleep 0.1; done
[ -e "$work/pulse/native" ] || { echo "the sound server did not start"; exit 2; }
export PULSE_SERVER="unix:$work/pulse/native"

# Squares of 16 pixels, in the screen's pixels, as on the desktop: the picture is shown 1.8 times
# as large from x 240; the bartender's chest at each bar, and the loop's square.
spot() { awk -v x="$1" -v y="$2" 'BEGIN { printf "%d,%d,16", 240 + x * 1.8 - 8, y * 1.8 - 8 }'; }
gap_ms=400
seconds=$((presses * gap_ms * 2 / 1000))
# One after the other: Wine has one foreground window for all its displays, and only that one
# takes keys. The probes write as they go and are flushed at the exit: on the close message that
# Wine's taskkill sends the loop's window, and on Escape for the game.
PROBE_OUT="$work/loop.txt" PROBE_SPOTS="$(spot 50 50)" "$build/wine.sh" "$work/bare-sdl-loop.exe" $((seconds + 60)) &
loop=$!
sleep 5
kill -0 $loop 2>/dev/null || { echo "the loop ended early"; exit 1; }
"$work/keys" "$presses" $gap_ms space >"$work/loop_keys.txt"
"$build/wine.sh" taskkill /im bare-sdl-loop.exe >/dev/null 2>&1
for _ in $(seq 100); do kill -0 $loop 2>/dev/null || break; sleep 0.1; done
wait $loop
loop=""

(cd "$work/Brannoc" && PROBE_OUT="$work/game.txt" PROBE_SPOTS="$(spot 142 185);$(spot 107 340);$(spot 77 505)" \
  SDL_AUDIODRIVER=wasapi exec "$build/wine.sh" brannoc.exe 2>"$work/game.err") &
game_pid=$!
wine_wait_for_title $game_pid 1920x1080 "$work/watch.xwd" || exit 1
sleep 2
xdotool key Return
sleep 1
xdotool key Return
sleep 3
kill -0 $game_pid 2>/dev/null || { echo "the game ended early"; exit 1; }
"$work/listen" nowhere.monitor $((seconds + 3)) >"$work/heard.txt" &
listener=$!
sleep 0.5
"$work/keys" "$presses" $gap_ms Down Up >"$work/game_keys.txt"
kill $listener 2>/dev/null
wait $listener 2>/dev/null
listener=""
xdotool keydown Escape
sleep 0.5
xdotool keyup Escape
for _ in $(seq 100); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
wait $game_pid
game_code=$?
game_pid=""
[ "$game_code" -eq 0 ] || { echo "the game exited with $game_code"; cat "$work/game.err"; exit 1; }

# The keys and the listener stamp the host's monotonic clock, the probe under Wine its wall clock.
to_wall=$(python3 -c 'import time; print(f"{time.time() - time.monotonic():.6f}")')
for file in loop_keys game_keys heard; do
  awk -v d="$to_wall" '{ $1 = sprintf("%.6f", $1 + d); print }' "$work/$file.txt" >"$work/$file.wall"
done
pair "$work/game_keys.wall" "$work/heard.wall" "$work/game.txt" >"$work/game_pairs.txt"
: >"$work/none.txt"
pair "$work/loop_keys.wall" "$work/none.txt" "$work/loop.txt" >"$work/loop_pairs.txt"
read -r key50 key90 keys_seen <<<"$(percentiles key "$work/game_pairs.txt")"
read -r bare50 bare90 bare_seen <<<"$(percentiles key "$work/loop_pairs.txt")"
read -r sound50 sound90 sounds_heard <<<"$(percentiles sound "$work/game_pairs.txt")"

# A busy machine may starve the game's quick sound buffer, which it then trades for a larger one.
sed 's/^/the game said: /' "$work/game.err"
echo "under Wine at 1920x1080, renderer $SDL_RENDER_DRIVER, sound through wasapi to PulseAudio"
echo "of $presses presses each: the game showed $keys_seen and sounded $sounds_heard, the loop showed $bare_seen"
echo "latency windows: key p50 $key50 p90 $key90 ms (bare p50 $bare50 p90 $bare90); sound p50 $sound50 p90 $sound90 ms"
awk -v k50="$key50" -v k90="$key90" -v b50="$bare50" -v b90="$bare90" 'BEGIN {
  met = k50 != "-" && b50 != "-" && k50 <= b50 + 1 && k90 <= b90 + 1
  printf "%s the game'\''s key at most the loop'\''s + 1 ms at p50 and p90\n", met ? "ok  " : "over" }'
