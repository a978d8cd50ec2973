#!/usr/bin/env bash
# Installs the browser drivers, as the lockfile pins them, into a folder of the build: playwright-core
# (Chromium), puppeteer-core (Firefox) and selenium-webdriver (WebKit), with no browser: the tests
# drive Debian's own. Does nothing when that folder already has this lockfile's.
# Usage: tests/web/install.sh <folder>   (build/web/node)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
folder="${1:?usage: $0 <folder>}"
if cmp -s "$here/package-lock.json" "$folder/package-lock.json" && [ -d "$folder/node_modules" ]; then
  exit 0
fi
command -v npm >/dev/null || { echo "needs npm, which comes with Node.js (apt-get install npm)" >&2; exit 1; }
mkdir -p "$folder"
cp "$here/package.json" "$here/package-lock.json" "$folder/"
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error
