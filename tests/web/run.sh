#!/usr/bin/env bash
# One of the page's browser tests on a built site: the drivers installed beside the site in the
# build folder, Debian's browsers, the site served on 127.0.0.1.
# Usage: tests/web/run.sh <site folder> [<test> [<engine>]]
#   <test>: page (the default), frame, offline, pace or audits, as in <test>.test.mjs
#   <engine>: chromium (the default), firefox or webkit
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
site="$(realpath "${1:?usage: $0 <site folder> [<test> [<engine>]]}")"
node_dir="$(dirname "$site")/node"
"$here/install.sh" "$node_dir"
test="${2:-page}" engine="${3:-chromium}"
[ "$engine" = webkit ] || exec node "$here/$test.test.mjs" "$site" "$node_dir" "$engine"

# WebKit's driver now and then loses its page on a busy machine ("Could not parse script result",
# then "session deleted because of page crash or hang"): such a run is played once more, and says so.
# Any other failure, or the same one twice, fails the test.
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
node "$here/$test.test.mjs" "$site" "$node_dir" "$engine" 2>&1 | tee "$log" && exit 0
grep -qE 'Could not parse script result|session deleted because of page crash or hang' "$log" || exit 1
echo "== WebKit's driver lost its page (above): the test is run once more"
exec node "$here/$test.test.mjs" "$site" "$node_dir" "$engine"
