# shellcheck shell=bash
# The Windows programs the benches run under Wine, sourced by bench/wine_side_by_side.sh and
# bench/latency_wine.sh: the bare SDL loop cross-built with the windows build's own SDL, and the
# game relinked from that build's own link line, each with objects of the bench's that wrap SDL's
# calls (a .exe carries its SDL inside, where no preload reaches it); and the wait for the title.

# The Windows libraries the windows build in <build> links, or nothing.
wine_deps() { sed -n 's/^BRANNOC_WINDOWS_DEPS_FOUND:INTERNAL=//p' "$1/CMakeCache.txt"; }

# Builds <exe> from <loop source> with the SDL of the libraries in <deps>, and <objects and flags>.
# Usage: wine_bare_loop <deps> <loop source> <exe> <objects and flags>...
wine_bare_loop() {
  local deps="$1" source="$2" exe="$3"
  shift 3
  local sdl_flags
  read -ra sdl_flags <<<"$(PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" pkg-config --static --cflags --libs sdl2)"
  x86_64-w64-mingw32-gcc-posix -O2 "$source" "$@" -o "$exe" -static -lmingw32 -lSDL2main "${sdl_flags[@]}" -mwindows
}

# Relinks the game of the windows build in <build> with <objects and flags>, and unpacks the
# build's zip into <work> with that game in place of its own: <work>/Brannoc/brannoc.exe.
# Usage: wine_relinked_game <build> <work> <objects and flags>...
wine_relinked_game() {
  local build="$1" work="$2"
  shift 2
  local link
  link=$(ninja -C "$build" -t commands brannoc | tail -1)
  [[ "$link" == *" -o brannoc.exe "* ]] || { echo "the build's link line for brannoc.exe is not as expected"; return 1; }
  link="${link/ -o brannoc.exe / -o $work/brannoc.exe $* }"
  link="${link/ -Wl,--out-implib,src\/libbrannoc.dll.a / }"
  (cd "$build" && eval "$link") || { echo "relinking the game failed"; return 1; }
  (cd "$work" && cmake -E tar xf "$build/brannoc-windows.zip") || return 1
  cp "$work/brannoc.exe" "$work/Brannoc/brannoc.exe"
}

# Waits, for up to two minutes, until the game <pid> shows its title on the X server of $DISPLAY,
# of <width>x<height>: any cell of the title's line of text lit. <file> holds the screen read.
# Usage: wine_wait_for_title <pid> <width>x<height> <file>
wine_wait_for_title() {
  local pid="$1" screen="$2" file="$3" cells
  # The line's cells, at the screen's scale of the 800 by 600 picture.
  cells=$(python3 -c "
w, h = ${screen%x*}, ${screen#*x}
k = min(w / 800, h / 600)
x0, y0 = (w - 800 * k) / 2, (h - 600 * k) / 2
print(':'.join(f'{round(x0 + (21 + 13 * i) * k)},{round(y0 + 382 * k)}' for i in range(18)))")
  for _ in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || { echo "the game ended early"; return 1; }
    xwd -root -silent >"$file"
    python3 "$(dirname "${BASH_SOURCE[0]}")/../tests/smoke/xwd_colours.py" --lit "$cells" "$file" | grep -q 1 && return 0
    sleep 0.2
  done
  echo "the title never showed"
  return 1
}
