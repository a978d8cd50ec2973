#!/usr/bin/env bash
# Builds the game's four C libraries (SDL2, FreeType, pixman, cairo) for WebAssembly with Debian's
# emscripten, as static libraries, from Debian's own source packages of the very versions that the
# desktop build links: the web game then draws and sounds as the desktop one does. Sources come
# from apt-get source with a private apt configuration (the machine's is left alone); nothing else
# is downloaded. The result is kept outside the checkout, keyed by the versions, the compiler and
# this script with its patches: a run that finds it only prints where it is.
# Usage: prefix=$(scripts/deps-libs.sh)
#   The last line of stdout is the prefix: include/, lib/*.a, lib/pkgconfig/*.pc, and
#   link-flags.txt, what a program linking these must add, for emcc as @<prefix>/link-flags.txt
#   (a response file keeps its $ from CMake and the shell). Under emcmake, CMake's pkg-config
#   finds the libraries with -DCMAKE_FIND_ROOT_PATH=<prefix>. Progress goes to stderr.
#   BRANNOC_WEB_DEPS_CACHE=<folder> keeps the cache elsewhere; MIRROR=<url> picks the Debian mirror.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
patches="$here/deps-libs/web"

sources=(libsdl2=2.26.5+dfsg-1 freetype=2.12.1+dfsg-5+deb12u4 pixman=0.42.2-1 cairo=1.16.0-7)
jobs=2

say() { echo "web-deps: $*" >&2; }
fail() { say "$*"; exit 1; }

for tool in emcc emcmake emconfigure emar meson ninja cmake pkg-config make dpkg-source apt-get; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/deps.sh web installs what this needs"
done

emscripten_version="$(dpkg-query -W -f='${Version}' emscripten)"
key="$({ printf '%s\n' "${sources[@]}" "emscripten=$emscripten_version"
         cat "$0" "$patches"/*; } | sha256sum | cut -c1-16)"
cache="${BRANNOC_WEB_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brannoc/web-deps}"
prefix="$cache/$key"
if [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
# One build at a time per key; a second caller waits and then finds the first one's prefix.
exec 9>"$cache/$key.lock"
flock 9
if [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/work"
logs="$work/$key/logs"
build="$work/$key/build"
rm -rf "${work:?}/$key"
mkdir -p "$logs" "$build" "$work/downloads"
rm -rf "$cache/.stage-$key-"*  # left by a build that was killed
stage="$(mktemp -d "$cache/.stage-$key-XXXXXX")"
trap 'rm -rf "$stage"' EXIT
started=$(date +%s)
progress() { say "[$(($(date +%s) - started)) s] $*"; }

# WebAssembly traps on a call through a function pointer of another type than the function's:
# pixman and cairo are built with -Wcast-function-type, and a cast that clang finds stops the build.
casts=-Wcast-function-type
no_function_casts() {
  if grep 'converts to incompatible function type' "$logs/$1.log" >&2; then
    fail "$1 calls functions through pointers of other types: patch them in deps-libs/web/$1-*.patch"
  fi
}

# Runs a step with its output in logs/<name>.log; on failure shows the log's tail.
logged() {
  local name="$1"
  shift
  if ! "$@" >>"$logs/$name.log" 2>&1; then
    tail -n 40 "$logs/$name.log" >&2
    fail "$name failed; the whole log is $logs/$name.log"
  fi
}

# emcc runs its JavaScript optimizer with the machine's node, which does not look where Debian's
# node-acorn lives. Debian's emscripten ships its system libraries prebuilt in a frozen cache,
# so emcc needs nothing written there.
acorn="$(dpkg -L node-acorn 2>/dev/null | grep -m1 '/acorn/package.json$' || true)"
[ -n "$acorn" ] || fail "node-acorn is missing: scripts/deps.sh web installs it"
NODE_PATH="$(dirname "$(dirname "$acorn")")${NODE_PATH:+:$NODE_PATH}"
export NODE_PATH
# Debian's emcc wrappers run whichever python3 comes first in PATH: use Debian's.
export EMSDK_PYTHON=/usr/bin/python3
export CFLAGS="-O2" CXXFLAGS="-O2"
progress "checking that emcc links a program"
echo 'int main(void) { return 0; }' >"$build/hello.c"
logged emcc emcc -O2 "$build/hello.c" -o "$build/hello.js"

# --- Sources, through apt with a configuration of our own -----------------------------------
mirror="${MIRROR:-$(apt-cache policy | awk '$3 == "bookworm/main" { print $2; exit }')}"
security="$(apt-cache policy | awk '$3 == "bookworm-security/main" { print $2; exit }')"
[ -n "$mirror" ] || fail "no bookworm mirror in apt's sources; set MIRROR"
apt_dir="$work/apt"
mkdir -p "$apt_dir/sources" "$apt_dir/state/lists/partial" "$apt_dir/cache/archives/partial"
{
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\n' "$mirror"
  printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
  if [ -n "$security" ]; then
    printf '\nTypes: deb-src\nURIs: %s\nSuites: bookworm-security\nComponents: main\n' "$security"
    printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
  fi
} >"$apt_dir/sources/debian-src.sources"
apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources"
             -o Dir::State="$apt_dir/state" -o Dir::Cache="$apt_dir/cache"
             -o APT::Sandbox::User="$(id -un)")
progress "fetching Debian's sources: ${sources[*]}"
logged apt apt-get "${apt_options[@]}" update
# apt-get fails the whole download when one file is missing from the mirror; unpack() below says
# what is missing and whether the source can be had without it.
(cd "$work/downloads" && apt-get "${apt_options[@]}" source --download-only "${sources[@]}") \
  >>"$logs/apt.log" 2>&1 || true

# Unpacks a source package, Debian's patches applied, into build/<package>, then applies ours
# (deps-libs/web/<package>-*.patch). Debian's 1.0-format packages carry their changes in one .diff.gz;
# where the mirror lacks it, the upstream tarball (checked against the .dsc) is built as it is,
# and a warning says so.
unpack() {
  local package="${1%%=*}" version="${1#*=}" dsc files missing=() line sum file
  dsc="$work/downloads/${package}_${version#*:}.dsc"
  [ -f "$dsc" ] || { tail -n 20 "$logs/apt.log" >&2; fail "apt found no source of $1"; }
  files="$(sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$dsc" | grep '^ ')"
  while read -r sum _ file; do
    if [ ! -f "$work/downloads/$file" ]; then
      missing+=("$file")
    elif [ "$(sha256sum "$work/downloads/$file" | cut -d' ' -f1)" != "$sum" ]; then
      fail "$file does not match its checksum in $dsc"
    fi
  done <<<"$files"
  if [ ${#missing[@]} -eq 0 ]; then
    logged unpack dpkg-source -x "$dsc" "$build/$package"
  elif [ ${#missing[@]} -eq 1 ] && [[ "${missing[0]}" == *.diff.gz ]] && grep -q '^Format: 1.0$' "$dsc"; then
    say "warning: the mirror has no ${missing[0]}; building $package from its upstream tarball without Debian's changes"
    line="$(grep -m1 -E '\.orig\.tar\.' <<<"$files")"
    mkdir -p "$build/$package"
    logged unpack tar -xf "$work/downloads/${line##* }" -C "$build/$package" --strip-components=1
  else
    fail "the mirror lacks ${missing[*]} of $1"
  fi
  for patch in "$patches/$package"-*.patch; do
    [ -f "$patch" ] || continue
    logged unpack patch -d "$build/$package" -p1 -i "$patch"
  done
}
for source in "${sources[@]}"; do
  unpack "$source"
done

export PKG_CONFIG_LIBDIR="$stage/lib/pkgconfig"
export EM_PKG_CONFIG_PATH="$PKG_CONFIG_LIBDIR"

# --- SDL2: the emscripten video, audio and joystick, without threads --------------------------
progress "building SDL2"
logged sdl2 emcmake cmake -S "$build/libsdl2" -B "$build/libsdl2/out" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$stage" -DCMAKE_INSTALL_LIBDIR=lib \
  -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF -DSDL_THREADS=OFF \
  -DSDL_JOYSTICK=ON -DSDL_AUDIO=ON -DSDL_VIDEO=ON
logged sdl2 cmake --build "$build/libsdl2/out" -j "$jobs"
logged sdl2 cmake --install "$build/libsdl2/out"

# --- FreeType: no compressed fonts, no PNG glyphs, no shaping --------------------------------
progress "building FreeType"
logged freetype emcmake cmake -S "$build/freetype" -B "$build/freetype/out" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$stage" -DCMAKE_INSTALL_LIBDIR=lib \
  -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
logged freetype cmake --build "$build/freetype/out" -j "$jobs"
logged freetype cmake --install "$build/freetype/out"

# --- pixman: plain C, no SIMD, one thread -----------------------------------------------------
progress "building pixman"
cat >"$build/emscripten.cross" <<'EOF'
[binaries]
c = 'emcc'
cpp = 'em++'
ar = 'emar'
pkgconfig = 'pkg-config'

[host_machine]
system = 'emscripten'
cpu_family = 'wasm32'
cpu = 'wasm32'
endian = 'little'
EOF
pixman_off=()
for option in loongson-mmi mmx sse2 ssse3 vmx arm-simd neon a64-neon iwmmxt mips-dspr2 \
              gnu-inline-asm tls openmp gtk libpng tests; do
  pixman_off+=("-D$option=disabled")
done
pixman_off+=(-Diwmmxt2=false)
logged pixman meson setup "$build/pixman/out" "$build/pixman" --cross-file "$build/emscripten.cross" \
  --prefix "$stage" --libdir lib --buildtype release --default-library static "${pixman_off[@]}" \
  -Dc_args="$CFLAGS $casts -DPIXMAN_NO_TLS"
logged pixman ninja -C "$build/pixman/out" -j "$jobs"
no_function_casts pixman
logged pixman meson install -C "$build/pixman/out"

# --- cairo: the image surface only, its library alone ----------------------------------------
progress "building cairo"
cairo_src="$build/cairo"
# Debian's patches touch configure.ac and Makefile.am; the generated files are made newer, so
# that make does not ask for autotools to regenerate what only the shared library needs.
later="@$(($(date +%s) + 1))"
find "$cairo_src" \( -name aclocal.m4 -o -name configure -o -name Makefile.in -o -name config.h.in \) \
  -exec touch -d "$later" {} +
cairo_off=()
for feature in xlib xlib-xrender xcb xlib-xcb xcb-shm qt quartz quartz-font quartz-image win32 \
               win32-font os2 beos drm gallium png gl glesv2 glesv3 cogl directfb vg egl glx wgl \
               script ft fc ps pdf svg test-surfaces tee xml pthread gobject trace interpreter \
               symbol-lookup valgrind gtk-doc; do
  cairo_off+=("--disable-$feature")
done
# cairo's config.sub knows no emscripten triplet; a 32-bit little-endian Linux host is what
# wasm32 looks like, and configure cannot run a program to find the float word order.
mkdir -p "$cairo_src/out"
(cd "$cairo_src/out" && logged cairo emconfigure ../configure --host=i686-pc-linux-gnu \
   --prefix="$stage" --libdir="$stage/lib" --enable-static --disable-shared "${cairo_off[@]}" \
   ax_cv_c_float_words_bigendian=no CFLAGS="$CFLAGS $casts -DCAIRO_NO_MUTEX=1")
logged cairo emmake make -C "$cairo_src/out/src" -j "$jobs"
no_function_casts cairo
logged cairo emmake make -C "$cairo_src/out/src" install

# Every library here is static: what pkg-config --static would add, every link needs.
for pc in "$stage"/lib/pkgconfig/*.pc; do
  awk '/^Requires\.private:/ { sub(/^[^:]*:[ \t]*/, ""); requires = requires " " $0; next }
       /^Libs\.private:/ { sub(/^[^:]*:[ \t]*/, ""); libs = libs " " $0; next }
       { lines[++n] = $0 }
       END {
         for (i = 1; i <= n; i++) {
           if (lines[i] ~ /^Requires:/) { lines[i] = lines[i] requires; requires = "" }
           if (lines[i] ~ /^Libs:/) { lines[i] = lines[i] libs }
           print lines[i]
         }
         if (requires ~ /[^ ]/) print "Requires:" requires
       }' "$pc" >"$pc.folded"
  mv "$pc.folded" "$pc"
done
rm -f "$stage"/lib/*.la

# A few curves drawn through the built cairo must neither trap nor differ from the desktop's.
progress "drawing with the built cairo"
read -ra cairo_flags < <(pkg-config --cflags --libs cairo)
logged smoke emcc -O2 "$patches/cairo-smoke.c" "${cairo_flags[@]}" -o "$build/cairo-smoke.js"
logged smoke node --no-experimental-fetch "$build/cairo-smoke.js"
read -ra native_flags < <(env -u PKG_CONFIG_LIBDIR pkg-config --cflags --libs cairo)
logged smoke cc -O2 "$patches/cairo-smoke.c" "${native_flags[@]}" -lm -o "$build/cairo-smoke"
web="$(node --no-experimental-fetch "$build/cairo-smoke.js")"
desktop="$("$build/cairo-smoke")"
[ "$web" = "$desktop" ] || fail "cairo draws otherwise on the web ($web) than on the desktop ($desktop)"

# --- What a program linking these must add, and the finished prefix -------------------------
# SDL2's JavaScript calls these library functions; emcc's own SDL port brings them in, a hand-built
# SDL2 has to ask for them, or opening audio fails at run time.
echo "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=['\$autoResumeAudioContext','\$dynCall']" \
  >"$stage/link-flags.txt"
echo '#include <SDL.h>
int main(void) { return SDL_OpenAudio(NULL, NULL); }' >"$build/audio.c"
read -ra sdl2_flags < <(pkg-config --cflags --libs sdl2)
logged smoke emcc "$build/audio.c" "${sdl2_flags[@]}" "@$stage/link-flags.txt" -o "$build/audio.js"
grep -q 'function autoResumeAudioContext' "$build/audio.js" || fail "SDL2's audio links without its JavaScript"
for pc in sdl2 freetype2 pixman-1 cairo; do
  [ -f "$stage/lib/pkgconfig/$pc.pc" ] || fail "the build left no $pc.pc"
done
rm -rf "$stage/share/doc" "$stage/share/man" "$stage/share/gtk-doc"
grep -rlI --null -F "$stage" "$stage" | xargs -0 -r sed -i "s|$stage|$prefix|g"
chmod 755 "$stage"
mv -T "$stage" "$prefix"
rm -rf "$build"
progress "done; logs in $logs"
echo "$prefix"
