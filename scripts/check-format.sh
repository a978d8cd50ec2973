#!/usr/bin/env bash
# The house style: every C and C++ file as clang-format (from Debian) writes it with .clang-format.
# scripts/check-format.sh --fix rewrites them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/brannoc-format.$$; then
  grep -oE '^[^: ]+:[0-9]+' /tmp/brannoc-format.$$ | cut -d: -f1 | sort -u >&2
  rm -f /tmp/brannoc-format.$$
  echo "check-format: the files above are not in the house style; scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/brannoc-format.$$
