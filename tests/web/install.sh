#!/usr/bin/env bash
# Installs the browser drivers, as the lockfile pins them, into a folder of the build: playwright-core
# (Chromium), puppeteer-core (Firefox) and selenium-webdriver (WebKit), with no browser: the tests
# drive Debian's own. Does nothing when that folder already has this lockfile's.
# Usage: tests/web/install.sh <folder>   (build/web/node)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 PUPPETEER_SKIP_DOWNLOAD=1 \
  exec "$here/../../scripts/npm-ci.sh" "$here" "${1:?usage: $0 <folder>}"
