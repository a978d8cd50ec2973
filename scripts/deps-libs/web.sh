# The libraries for WebAssembly, built with Debian's emscripten: one thread, no SIMD, and no call
# through a function pointer of another type. Sourced by deps-libs.sh.
tools=(emcc emcmake emconfigure emar node meson ninja cmake)
toolchain="$(dpkg-query -W -f='${Package}=${Version}\n' emscripten node-acorn 2>/dev/null || true)"

# WebAssembly traps on a call through a function pointer of another type than the function's:
# pixman and cairo are built with -Wcast-function-type, and a cast that clang finds stops the build.
casts=-Wcast-function-type
no_function_casts() {
  if grep 'converts to incompatible function type' "$logs/$1.log" >&2; then
    fail "$1 calls functions through pointers of other types: patch them in deps-libs/web/$1-*.patch"
  fi
}

prepare() {
  # emcc runs its JavaScript optimizer with the machine's node, which does not look where Debian's
  # node-acorn lives; the web build reads the folder from node-path.txt in the prefix. Debian's
  # emscripten ships its system libraries prebuilt in a frozen cache, so emcc needs nothing
  # written there.
  local acorn
  acorn="$(dpkg -L node-acorn 2>/dev/null | grep -m1 '/acorn/package.json$' || true)"
  [ -n "$acorn" ] || fail "node-acorn is missing: scripts/deps.sh web installs it"
  node_modules="$(dirname "$(dirname "$acorn")")"
  NODE_PATH="$node_modules${NODE_PATH:+:$NODE_PATH}"
  export NODE_PATH
  # Debian's emcc wrappers run whichever python3 comes first in PATH: use Debian's.
  export EMSDK_PYTHON=/usr/bin/python3
  export CFLAGS="-O2" CXXFLAGS="-O2"
  progress "checking that emcc links a program"
  echo 'int main(void) { return 0; }' >"$build/hello.c"
  logged emcc emcc -O2 "$build/hello.c" -o "$build/hello.js"
}

build_libraries() {
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
  local option pixman_off=()
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
  local cairo_src="$build/cairo" later feature cairo_off=()
  # Debian's patches touch configure.ac and Makefile.am; the generated files are made newer, so
  # that make does not ask for autotools to regenerate what only the shared library needs.
  later="@$(($(date +%s) + 1))"
  find "$cairo_src" \( -name aclocal.m4 -o -name configure -o -name Makefile.in -o -name config.h.in \) \
    -exec touch -d "$later" {} +
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
}

check_libraries() {
  # A few curves drawn through the built cairo must neither trap nor differ from the desktop's.
  progress "drawing with the built cairo"
  local cairo_flags native_flags sdl2_flags web desktop
  read -ra cairo_flags < <(pkg-config --cflags --libs cairo)
  logged smoke emcc -O2 "$patches/cairo-smoke.c" "${cairo_flags[@]}" -o "$build/cairo-smoke.js"
  logged smoke node --no-experimental-fetch "$build/cairo-smoke.js"
  read -ra native_flags < <(env -u PKG_CONFIG_LIBDIR pkg-config --cflags --libs cairo)
  logged smoke cc -O2 "$patches/cairo-smoke.c" "${native_flags[@]}" -lm -o "$build/cairo-smoke"
  web="$(node --no-experimental-fetch "$build/cairo-smoke.js")"
  desktop="$("$build/cairo-smoke")"
  [ "$web" = "$desktop" ] || fail "cairo draws otherwise on the web ($web) than on the desktop ($desktop)"

  # SDL2's JavaScript calls these library functions; emcc's own SDL port brings them in, a hand-built
  # SDL2 has to ask for them, or opening audio fails at run time.
  echo "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=['\$autoResumeAudioContext','\$dynCall']" \
    >"$stage/link-flags.txt"
  echo '#include <SDL.h>
int main(void) { return SDL_OpenAudio(NULL, NULL); }' >"$build/audio.c"
  read -ra sdl2_flags < <(pkg-config --cflags --libs sdl2)
  logged smoke emcc "$build/audio.c" "${sdl2_flags[@]}" "@$stage/link-flags.txt" -o "$build/audio.js"
  grep -q 'function autoResumeAudioContext' "$build/audio.js" || fail "SDL2's audio links without its JavaScript"
  echo "$node_modules" >"$stage/node-path.txt"
}
