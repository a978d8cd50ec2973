#!/usr/bin/env bash
# The tree's Python through Debian's own tools: it compiles (python3 -m py_compile, its bytecode
# kept out of the tree) and pyflakes finds nothing (unused names, undefined ones, imports).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.py')
[ ${#files[@]} -gt 0 ] || { echo "check-python: no files to check" >&2; exit 1; }
bytecode="$(mktemp -d)"
trap 'rm -rf "$bytecode"' EXIT
PYTHONPYCACHEPREFIX="$bytecode" /usr/bin/python3 -m py_compile "${files[@]}"
pyflakes3 "${files[@]}"
