#!/usr/bin/env bash
# Whether the game's quick sound buffer holds up for minutes of play while both cores are busy: the
# release game plays in an X server at 1920 by 1080 beside two busy loops, to a private PulseAudio
# server's null sink, with keys tapped all along (moves, pours, and Enter past the game's end). The
# server counts every time the game's stream ran dry (a gap the player would hear); the game says
# whether it moved to its larger buffer. Beside it, a bare SDL program that only plays, at the
# game's quick buffer (bench/latency_starves.cpp), on a sound server of its own, is counted the same
# way: the floor of the machine. Prints its figures last, on one line.
#
# Usage: bench/sound_gaps.sh [<game> [<minutes>]]
#   <game> defaults to build/release/brannoc; <minutes> to 10. BUSY_LOOPS (default 2) sets how many
#   busy loops run beside it.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
game="$(realpath "${1:-$root/build/release/brannoc}")"
minutes="${2:-10}"
# shellcheck source=sound_servers.sh
source "$root/bench/sound_servers.sh"
[ -x "$game" ] || { echo "no game at $game: build the release preset first"; exit 2; }
for tool in Xvfb xdotool pulseaudio cc sdl2-config; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done

work="$(mktemp -d)"
pids=""
sound_servers=""
trap 'kill $pids $sound_servers 2>/dev/null; rm -rf "$work"' EXIT
cc -O2 "$root/bench/latency_keys.c" -o "$work/keys" -lXtst -lX11 || exit 2
read -ra sdl_flags <<<"$(sdl2-config --cflags --libs | tr "\n" " ")"
c++ -std=c++20 -O2 -I"$root/src" "$root/bench/latency_starves.cpp" -o "$work/starves" "${sdl_flags[@]}" || exit 2

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
pids="$!"
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(cat "$work/display")"
# At the debug level a server logs each underrun of a stream.
start_sound_servers "$work" pulse bare-pulse -- --log-level=debug --log-target=stderr
underruns() { grep -ac "Implicit underrun" "$work/$1.log"; }

(cd "$(dirname "$game")" && DISPLAY="$display" PULSE_SERVER="unix:$work/pulse/native" SDL_AUDIODRIVER=pulseaudio \
  exec "$game" 2>"$work/game.err") &
game_pid=$!
pids="$pids $game_pid"
sleep 4
kill -0 $game_pid 2>/dev/null || { echo "the game ended early"; cat "$work/game.err"; exit 1; }
# Past the output's first second, which starts with an underrun of its own.
underruns_before="$(underruns pulse)"
PULSE_SERVER="unix:$work/bare-pulse/native" SDL_AUDIODRIVER=pulseaudio "$work/starves" $((minutes * 60 + 1)) \
  >"$work/starves.txt" 2>&1 &
starves=$!
pids="$pids $starves"
sleep 1 # the bare output's first second
bare_before="$(underruns bare-pulse)"
for _ in $(seq "${BUSY_LOOPS:-2}"); do
  (while :; do :; done) &
  pids="$pids $!"
done
gap_ms=300
DISPLAY="$display" "$work/keys" $((minutes * 60 * 1000 / gap_ms)) $gap_ms Down Up space Return >/dev/null
underruns="$(($(underruns pulse) - underruns_before))"
bare="$(($(underruns bare-pulse) - bare_before))"
wait $starves
load="$(cut -d' ' -f1 /proc/loadavg)"

DISPLAY="$display" xdotool keydown Escape
sleep 0.3
DISPLAY="$display" xdotool keyup Escape
for _ in $(seq 50); do kill -0 $game_pid 2>/dev/null || break; sleep 0.1; done
cat "$work/game.err"
moved="kept its quick buffer"
grep -q "moving to" "$work/game.err" && moved="moved to its larger buffer"
echo "a bare sound output on a server of its own $(cat "$work/starves.txt")"
echo "sound gaps desktop: $underruns underruns in $minutes min of play (bare $bare), load $load; the game $moved"
