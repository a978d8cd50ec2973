# The libraries for 64-bit Windows, built with Debian's mingw-w64 (GCC, the posix thread model),
# static, so that the game's .exe imports only Windows' own DLLs. Sourced by deps-libs.sh.
# Nothing here runs Windows programs: Wine is never started, so it makes no prefix anywhere.
host=x86_64-w64-mingw32
toolchain_file="$here/../cmake/windows-toolchain.cmake"
tools=("$host-gcc-posix" "$host-g++-posix" "$host-ar" "$host-ranlib" "$host-objdump" meson ninja cmake
       autoreconf libtoolize)
toolchain="$(dpkg-query -W -f='${Package}=${Version}\n' gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
               binutils-mingw-w64-x86-64 2>/dev/null || true)"
key_files=("$toolchain_file" "$here/windows-imports.sh")

prepare() {
  # Should a build step try to run what it built, it finds no Wine prefix of the user's to change.
  export WINEPREFIX="$build/wine-prefix" WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
  export CFLAGS="-O2" CXXFLAGS="-O2"
  progress "checking that $host-gcc-posix links a program"
  echo 'int main(void) { return 0; }' >"$build/hello.c"
  logged mingw "$host-gcc-posix" -O2 "$build/hello.c" -o "$build/hello.exe"
}

build_libraries() {
  # --- SDL2: its Windows video (direct3d renderer), WASAPI sound, XInput and DirectInput pads ----
  progress "building SDL2"
  logged sdl2 cmake -S "$build/libsdl2" -B "$build/libsdl2/out" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$stage" -DCMAKE_INSTALL_LIBDIR=lib \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF
  logged sdl2 cmake --build "$build/libsdl2/out" -j "$jobs"
  logged sdl2 cmake --install "$build/libsdl2/out"

  # --- FreeType: no compressed fonts, no PNG glyphs, no shaping --------------------------------
  progress "building FreeType"
  (cd "$build/freetype" && logged freetype ./configure --host="$host" CC="$host-gcc-posix" \
     --prefix="$stage" --libdir="$stage/lib" --enable-static --disable-shared \
     --without-zlib --without-bzip2 --without-png --without-harfbuzz --without-brotli)
  logged freetype make -C "$build/freetype" -j "$jobs"
  logged freetype make -C "$build/freetype" install

  # --- pixman: with its SSE2 and SSSE3 paths, as the desktop's --------------------------------
  progress "building pixman"
  # needs_exe_wrapper without a wrapper: meson's sanity check then runs nothing (under Wine it
  # would make a prefix in the home folder).
  cat >"$build/mingw.cross" <<EOF
[binaries]
c = '$host-gcc-posix'
cpp = '$host-g++-posix'
ar = '$host-ar'
strip = '$host-strip'
windres = '$host-windres'
pkgconfig = 'pkg-config'

[properties]
needs_exe_wrapper = true

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
  logged pixman meson setup "$build/pixman/out" "$build/pixman" --cross-file "$build/mingw.cross" \
    --prefix "$stage" --libdir lib --buildtype release --default-library static \
    -Dtests=disabled -Dgtk=disabled -Dlibpng=disabled -Dopenmp=disabled
  logged pixman ninja -C "$build/pixman/out" -j "$jobs"
  logged pixman meson install -C "$build/pixman/out"

  # --- cairo: the image surface with FreeType's fonts, its library alone ----------------------
  progress "building cairo"
  local cairo_src="$build/cairo" cairo_off=() feature
  # Debian's patches touch configure.ac and Makefile.am, and mingw's libtool must be the one that
  # makes the library: regenerate. gtk-doc is not needed (build/gtk-doc.m4 serves).
  (cd "$cairo_src" && logged cairo env GTKDOCIZE=true autoreconf -fi)
  for feature in xlib xlib-xrender xcb xlib-xcb xcb-shm qt quartz quartz-font quartz-image os2 beos \
                 drm gallium png gl glesv2 glesv3 cogl directfb vg egl glx wgl script fc ps pdf svg \
                 test-surfaces tee xml gobject trace interpreter symbol-lookup valgrind gtk-doc; do
    cairo_off+=("--disable-$feature")
  done
  # A static cairo has no DllMain: CAIRO_WIN32_STATIC_BUILD keeps its headers from asking for
  # dllimport, and its locks are set up by the first image surface or pattern it makes.
  mkdir -p "$cairo_src/out"
  (cd "$cairo_src/out" && logged cairo ../configure --host="$host" CC="$host-gcc-posix" \
     --prefix="$stage" --libdir="$stage/lib" --enable-static --disable-shared \
     --enable-win32 --enable-win32-font --enable-ft "${cairo_off[@]}" \
     CPPFLAGS="-DCAIRO_WIN32_STATIC_BUILD=1")
  # One of Debian's patches adds a second list of exported symbols, which libtool refuses on
  # Windows; a static library exports nothing anyway.
  logged cairo make -C "$cairo_src/out/src" -j "$jobs" export_symbols=
  logged cairo make -C "$cairo_src/out/src" install export_symbols=
}

check_libraries() {
  # cairo's .pc leaves out its win32 surface's libraries; its configure turns on _FORTIFY_SOURCE,
  # whose checks mingw's C library leaves to GCC's libssp.
  sed -i '/^Libs:/ s/$/ -lgdi32 -lmsimg32 -lssp/' "$stage/lib/pkgconfig/cairo.pc"
  sed -i '/^Cflags:/ s/$/ -DCAIRO_WIN32_STATIC_BUILD=1/' "$stage/lib/pkgconfig/cairo.pc"
  # SDL2's would make every program a windowed one started through SDL's own WinMain: the game has
  # its own main and says itself that it is windowed, and the suites are console programs.
  sed -i -e '/^Libs:/ s/ *-lmingw32 -mwindows -lSDL2main//g' -e '/^Cflags:/ s/ *-Dmain=SDL_main//' \
    "$stage/lib/pkgconfig/sdl2.pc"
  progress "linking a program with all four"
  cat >"$build/all-four.c" <<'EOF'
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <cairo-ft.h>
#include <cairo.h>
int main(int argc, char** argv) {
    (void)argv;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 8);
    FT_Library ft;
    if (argc > 1 && FT_Init_FreeType(&ft) == 0) cairo_ft_font_face_create_for_ft_face(NULL, 0);
    cairo_surface_destroy(surface);
    return SDL_Init(0);
}
EOF
  local flags
  read -ra flags < <(pkg-config --cflags --libs sdl2 cairo freetype2)
  logged smoke "$host-gcc-posix" -O2 "$build/all-four.c" "${flags[@]}" -static -o "$build/all-four.exe"
  logged smoke "$here/windows-imports.sh" "$build/all-four.exe"
}
