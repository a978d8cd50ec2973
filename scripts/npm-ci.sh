#!/usr/bin/env bash
# Installs a folder's npm packages, as its lockfile pins them, into a folder of the build, with the
# machine's Node.js and npm. Does nothing when that folder already has this lockfile's.
# Usage: scripts/npm-ci.sh <folder with package.json and package-lock.json> <folder to install into>
set -euo pipefail
packages="${1:?usage: $0 <package folder> <folder>}"
folder="${2:?usage: $0 <package folder> <folder>}"
if cmp -s "$packages/package-lock.json" "$folder/package-lock.json" && [ -d "$folder/node_modules" ]; then
  exit 0
fi
command -v npm >/dev/null || { echo "needs npm, which comes with Node.js (apt-get install npm)" >&2; exit 1; }
mkdir -p "$folder"
cp "$packages/package.json" "$packages/package-lock.json" "$folder/"
npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error
