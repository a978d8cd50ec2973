#!/usr/bin/env bash
# The platform layer's boundary: outside src/platform, the game, its tools and the tests of the
# game include neither SDL, FreeType, fontconfig nor cairo (in any spelling), nor a header from
# inside a platform sub-folder; only the face headers at src/platform's root. The platform's own
# tests and benchmarks, the latency bench's own programs (they stand beside an SDL program, not in
# the game) and the asset generator's tests, may look inside. Nor does any of them
# draw from the C library's rand: the platform's generator is the same on every target.
# Inside src/platform, a target is asked for (#if _WIN32, __EMSCRIPTEN__, __linux__) only in that
# target's own folder, and Windows' own headers are included only in platform/windows/.
set -euo pipefail
cd "$(dirname "$0")/.."

files=$(git ls-files -- src tools fuzz tests bench \
          ':!src/platform' ':!tests/platform' ':!tests/assets' \
          ':!bench/platform_*' ':!bench/latency_*' | grep -E '\.(c|cc|cpp|h|hpp)$' || true)
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

# Each target's room is its folder, which CMake picks; no other platform file asks which target it
# is built for. ("nowhere" is for the systems the game is not built for.)
platform=$(git ls-files -- src/platform | grep -E '\.(c|cc|cpp|h|hpp)$' || true)
[ -n "$platform" ] || { echo "check-boundaries: no platform files to check" >&2; exit 1; }
outside() { grep -v "^src/platform/$1/" <<<"$platform" || true; }
for room in "windows:_WIN32|_WIN64|WIN32|__MINGW32__|__MINGW64__|_MSC_VER|__CYGWIN__" \
            "web:__EMSCRIPTEN__|EMSCRIPTEN" "linux:__linux__|__linux|__gnu_linux__|linux" \
            "posix:__unix__|__unix|unix|_POSIX_VERSION" "nowhere:__APPLE__|__MACH__|__ANDROID__"; do
  name="${room%%:*}" macros="${room#*:}"
  if outside "$name" | xargs -r grep -nHE "^[[:space:]]*#[[:space:]]*(if|ifdef|ifndef|elif)\b.*\b($macros)\b"; then
    echo "check-boundaries: the lines above ask for the $name target outside src/platform/$name/" >&2
    status=1
  fi
done
windows_headers='windows|winsock2|ws2tcpip|windef|winbase|winuser|wingdi|winnls|mmsystem|shellapi|shlobj|objbase|xinput'
if outside windows | xargs -r grep -niHE "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($windows_headers)\.h>"; then
  echo "check-boundaries: the lines above include Windows' own headers outside src/platform/windows/" >&2
  status=1
fi
exit $status
