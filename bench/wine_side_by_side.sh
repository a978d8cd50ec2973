#!/usr/bin/env bash
# The Windows game in play beside the bare SDL loop, both under Wine in one X server: the loop,
# cross-built with the Windows build's own SDL, uploads an 800 by 600 frame and presents it at
# screen size 60 times a second, the floor for any SDL game of this size. Over the same seconds of
# play it compares their process CPU (the Wine server and the X server, which both share, are not
# counted) and their frame intervals. Each program is linked with -Wl,--wrap=SDL_RenderPresent and
# bench/present_stamps.c, which stamps every present: the game is relinked so from the objects of
# the windows build. Wine draws through software OpenGL here (or SDL's software renderer, with
# SDL_RENDER_DRIVER=software), so the absolute figures say little about Windows: only the ratio of
# the game to the loop means anything. A report, with no budget to pass.
#
# Usage: bench/wine_side_by_side.sh [<seconds of play>]
#   Wants the windows preset built (cmake --preset windows && cmake --build --preset windows).
#   SCREEN=<width>x<height> sizes the X server (default 1920x1080). The loop is compiled from
#   bare-sdl-loop.c in BRANNOC_SHARED_BENCH (default: ../shared/bench beside the checkout), which is
#   not part of this repository.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=wine_programs.sh
source "$root/bench/wine_programs.sh"
seconds="${1:-20}"
screen="${SCREEN:-1920x1080}"
build="$root/build/windows"
shared="${BRANNOC_SHARED_BENCH:-$root/../shared/bench}"

if [ ! -f "$shared/bare-sdl-loop.c" ]; then
  echo "missing $shared/bare-sdl-loop.c: the bare SDL loop is kept outside this repository;"
  echo "point BRANNOC_SHARED_BENCH at the folder that holds it"
  exit 2
fi
if [ ! -f "$build/brannoc-windows.zip" ] || [ ! -x "$build/wine.sh" ]; then echo "build the windows preset first"; exit 2; fi
for tool in Xvfb xdotool ninja x86_64-w64-mingw32-gcc-posix pkg-config python3; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done
deps=$(wine_deps "$build")
[ -d "$deps/lib/pkgconfig" ] || { echo "no Windows libraries named in $build/CMakeCache.txt"; exit 2; }

work="$(mktemp -d)"
xvfb=""
loop=""
game_pid=""
trap 'kill $loop $game_pid 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

# The stamps, the loop, and the game relinked with them.
x86_64-w64-mingw32-gcc-posix -O2 -c "$root/bench/present_stamps.c" -o "$work/present_stamps.o" || exit 2
wine_bare_loop "$deps" "$shared/bare-sdl-loop.c" "$work/bare-sdl-loop.exe" "$work/present_stamps.o" \
  -Wl,--wrap=SDL_RenderPresent || exit 2
wine_relinked_game "$build" "$work" "$work/present_stamps.o" -Wl,--wrap=SDL_RenderPresent || exit 2

display=""
for n in $(seq 161 200); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 2; }
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display"

# The loop runs first and ends on its own; the game, mapped last, lies on top and takes the keys.
# Both are measured from the moment the game's pub shows until <seconds> later.
BENCH_PRESENTS="$work/loop.txt" "$build/wine.sh" "$work/bare-sdl-loop.exe" $((seconds + 120)) &
loop=$!
sleep 3
(cd "$work/Brannoc" && BENCH_PRESENTS="$work/game.txt" SDL_AUDIODRIVER=dummy exec "$build/wine.sh" brannoc.exe) &
game_pid=$!
# The title, then two keys through the help page into play.
wine_wait_for_title $game_pid "$screen" "$work/watch.xwd" || exit 1
sleep 2
xdotool key Return
sleep 1
xdotool key Return
sleep 3

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
kill -0 $game_pid 2>/dev/null || { echo "the game ended early"; exit 1; }
kill -0 $loop 2>/dev/null || { echo "the loop ended early"; exit 1; }
from=$(date +%s.%N)
game_start=$(cpu_ticks $game_pid)
loop_start=$(cpu_ticks $loop)
sleep "$seconds"
game_used=$(($(cpu_ticks $game_pid) - game_start))
loop_used=$(($(cpu_ticks $loop) - loop_start))
to=$(date +%s.%N)

# The game ends on Escape in play; the loop on the close message that Wine's taskkill sends its
# window (SDL's quit event). Both write their stamps on the way out.
xdotool keydown Escape
sleep 0.5
xdotool keyup Escape
for _ in $(seq 100); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
wait $game_pid
game_code=$?
game_pid=""
"$build/wine.sh" taskkill /im bare-sdl-loop.exe >/dev/null 2>&1
for _ in $(seq 100); do kill -0 $loop 2>/dev/null || break; sleep 0.1; done
wait $loop
loop_code=$?
loop=""

# fps, p50 and p99 of the intervals between presents stamped from <from> to <to> in <stamps>.
intervals() {
  python3 - "$@" <<'EOF'
import sys
try:
    stamps = [float(line) for line in open(sys.argv[1])]
except OSError:
    stamps = []
start, end = float(sys.argv[2]), float(sys.argv[3])
window = [t for t in stamps if start <= t <= end]
gaps = sorted((b - a) * 1000 for a, b in zip(window, window[1:]))
if len(gaps) < 10:
    print(f"{'-':>8} {'-':>8} {'-':>8}  ({len(window)} presents)")
else:
    print(f"{len(gaps) * 1000 / sum(gaps):8.2f} {gaps[len(gaps) // 2]:8.2f} {gaps[int(len(gaps) * 0.99)]:8.2f}")
EOF
}
hz=$(getconf CLK_TCK)
echo "under Wine, over $seconds s of play at $screen (renderer: ${SDL_RENDER_DRIVER:-the default, direct3d}):"
printf "%-6s %12s %8s %8s %8s\n" "" "CPU ms/s" "fps" "p50 ms" "p99 ms"
for who in game loop; do
  used=$([ $who = game ] && echo $game_used || echo $loop_used)
  printf "%-6s %12.1f %s\n" $who "$(awk -v u="$used" -v hz="$hz" -v s="$seconds" 'BEGIN { print u * 1000 / hz / s }')" \
    "$(intervals "$work/$who.txt" "$from" "$to")"
done
[ "$game_code" -eq 0 ] || { echo "the game exited with $game_code"; exit 1; }
[ "$loop_code" -eq 0 ] || { echo "the loop exited with $loop_code"; exit 1; }
[ "$loop_used" -gt 0 ] || { echo "the loop used no processor time"; exit 1; }
printf "CPU ratio game/loop %.2f: only this ratio means anything; Wine draws through software here\n" \
  "$(awk -v g="$game_used" -v l="$loop_used" 'BEGIN { print g / l }')"
