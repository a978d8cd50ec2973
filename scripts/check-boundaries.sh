#!/usr/bin/env bash
# The platform layer's boundary: outside src/platform, the game, its tools and the tests of the
# game include neither SDL, FreeType, fontconfig nor cairo (in any spelling), nor a header from
# inside a platform sub-folder; only the face headers at src/platform's root. The platform's own
# tests and benchmarks, and the asset generator's tests, may look inside. Nor does any of them
# draw from the C library's rand: the platform's generator is the same on every target.
set -euo pipefail
cd "$(dirname "$0")/.."

files=$(git ls-files -- src tools fuzz tests bench \
          ':!src/platform' ':!tests/platform' ':!tests/assets' \
          ':!bench/platform_*' | grep -E '\.(c|cc|cpp|h|hpp)$' || true)
[ -n "$files" ] || { echo "check-boundaries: no files to check" >&2; exit 1; }

libraries='SDL[^/]*|SDL2/|cairo|ft2build|freetype|FT_|fontconfig'
status=0
# shellcheck disable=SC2086
if grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($libraries)" $files; then
  echo "check-boundaries: the lines above include a library that only src/platform may use" >&2
  status=1
fi
# shellcheck disable=SC2086
if grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]platform/[^/\">]+/" $files; then
  echo "check-boundaries: the lines above include a header from inside a platform sub-folder" >&2
  status=1
fi
# One random generator on every target: the platform's, never the C library's.
# shellcheck disable=SC2086
if grep -nE "(std::|[^:a-zA-Z_.>]|^)s?rand[[:space:]]*\(" $files | grep -v "crt::s\?rand"; then
  echo "check-boundaries: the lines above draw from the C library's rand; use crt::rand from platform/crt.h" >&2
  status=1
fi
# The game is one for every target: only the platform knows it is in a browser.
# shellcheck disable=SC2086
if grep -nE "__EMSCRIPTEN__|emscripten" $files; then
  echo "check-boundaries: the lines above ask for the web outside src/platform" >&2
  status=1
fi
exit $status
