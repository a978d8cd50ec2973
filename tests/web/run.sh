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
exec node "$here/${2:-page}.test.mjs" "$site" "$node_dir" "${3:-chromium}"
