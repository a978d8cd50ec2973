#!/usr/bin/env bash
# The page's browser test on a built site: playwright-core installed beside the site in the build
# folder, Debian's Chromium, the site served on 127.0.0.1.
# Usage: tests/web/run.sh <site folder>   (build/web/site)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
site="$(realpath "${1:?usage: $0 <site folder>}")"
node_dir="$(dirname "$site")/node"
"$here/install.sh" "$node_dir"
exec node "$here/page.test.mjs" "$site" "$node_dir"
