#!/usr/bin/env bash
# How soon a key shows and a sound sounds on the page, in headless Chromium and Firefox at 1920 by
# 1080 (bench/latency_web.mjs says how each is timed), each playing to a private PulseAudio null
# sink whose monitor bench/latency_listen.c hears. Prints, for each browser, its figures on one
# line, and whether a key shows within a display frame and 4 ms at p90 and a sound within the
# browser's own reported latency and 8 ms.
#
# Usage: bench/latency_web.sh [<site> [<presses> [<browser>...]]]
#   <site> defaults to build/web/site (cmake --preset web && cmake --build --preset web --target
#   brannoc_site brannoc_bars: the bars' table beside it tells where the bartender stands); <presses>
#   to 60; the browsers to chromium and firefox.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
site="$(realpath "${1:-$root/build/web/site}")"
presses="${2:-60}"
browsers=("${@:3}")
[ ${#browsers[@]} -gt 0 ] || browsers=(chromium firefox)

if [ ! -f "$site/index.html" ] || [ ! -f "$site/../bars.json" ]; then
  echo "no site and bars' table at $site: build the web preset's brannoc_site and brannoc_bars first"
  exit 2
fi
for tool in node cc pulseaudio /usr/bin/chromium /usr/lib/firefox-esr/firefox-esr; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done
build="$(dirname "$site")"
"$root/tests/web/install.sh" "$build/node" || exit 2
mkdir -p "$build/bench"
cc -O2 "$root/bench/latency_listen.c" -o "$build/bench/latency_listen" -lpulse-simple -lpulse || exit 2
exec node "$root/bench/latency_web.mjs" "$site" "$build/node" "$build/bench/latency_listen" "$presses" "${browsers[@]}"
