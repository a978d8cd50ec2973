#!/usr/bin/env bash
# The page in play beside the bare web page, the floor for any web game of this size (an 800 by
# 600 frame drawn on every display frame, scaled in the same two steps), each in a headless
# Chromium of its own at 1920 by 1080, over the same seconds: browser CPU (all of each browser's
# processes), frames a second, 99th-percentile frame interval; then the game's first frame after
# the page's load and the site's size with gzip -9. Passes when the game's CPU is at most 1.3
# times the bare page's, its p99 at most the bare page's plus 1 ms, it shows 60 frames a second,
# its first frame comes within 2 s and the site is at most 3 MB with gzip -9. Leaves two
# screenshots (in play at 1920x1080, and a narrow touch screen) in build/web/screenshots/.
#
# Usage: bench/web_side_by_side.sh [<site> [<seconds of play>]]
#   <site> defaults to build/web/site (cmake --preset web && cmake --build --preset web
#   --target brannoc_site). bare-web-page.html is served from BRANNOC_SHARED_BENCH (default:
#   ../shared/bench beside the checkout); it is not part of this repository.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
site="$(realpath "${1:-$root/build/web/site}")"
seconds="${2:-20}"
shared="${BRANNOC_SHARED_BENCH:-$root/../shared/bench}"

if [ ! -f "$shared/bare-web-page.html" ]; then
  echo "missing $shared/bare-web-page.html: the bare web page is kept outside this repository;"
  echo "point BRANNOC_SHARED_BENCH at the folder that holds it"
  exit 2
fi
[ -f "$site/index.html" ] || { echo "no site at $site: build the web preset's brannoc_site first"; exit 2; }
for tool in node python3 gzip /usr/bin/chromium; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done
build="$(dirname "$site")"
"$root/tests/web/install.sh" "$build/node" || exit 2
exec node "$root/bench/web_side_by_side.mjs" "$site" "$(realpath "$shared")" "$seconds" "$build/node" "$build/screenshots"
