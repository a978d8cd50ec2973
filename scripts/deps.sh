#!/usr/bin/env bash
# Installs the Debian packages that a command needs, when they are missing.
# Usage: scripts/deps.sh play|check|web|windows|linux-arm64|reprotest
set -euo pipefail

play_packages=(g++ cmake ninja-build pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev
               libcairo2-dev fonts-liberation2)
# The linters: shellcheck for the shell scripts, pyflakes for the Python.
# The page's tests also drive Debian's Firefox and WebKit (with its WebDriver), each with a private
# PulseAudio server, beside Chromium; the real window's test listens to one (pulseaudio-utils).
# The latency bench taps keys through XTest (libxtst-dev) and listens with libpulse-simple (libpulse-dev).
check_packages=("${play_packages[@]}" libgtest-dev libgmock-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
                libxtst-dev libpulse-dev shellcheck pyflakes3
                xvfb xdotool x11-apps x11-utils python3 chromium
                desktop-file-utils appstream man-db dpkg-dev debhelper file lintian diffoscope-minimal debootstrap
                firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0 pulseaudio pulseaudio-utils)
# The web build's libraries: scripts/deps-libs.sh builds them from Debian's sources, at the versions
# of the desktop's -dev packages, with these.
web_packages=(emscripten node-acorn nodejs meson ninja-build cmake make pkg-config dpkg-dev patch xz-utils
              gcc g++ libsdl2-dev libfreetype-dev libpixman-1-dev libcairo2-dev googletest fonts-liberation2
              python3)
# The Windows build: Debian's mingw-w64 (the posix thread model) builds its libraries from Debian's
# sources (scripts/deps-libs.sh) and the game; Debian's Wine runs its suites and the game in Xvfb,
# whose sound the test hears on a private PulseAudio server.
windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  mingw-w64-x86-64-dev wine64 autoconf automake libtool meson ninja-build cmake make
                  pkg-config dpkg-dev patch xz-utils libsdl2-dev libfreetype-dev libcairo2-dev
                  libpixman-1-dev googletest fonts-liberation2 xvfb xdotool x11-apps x11-utils pulseaudio
                  pulseaudio-utils python3)

# Linux on 64-bit ARM: Debian's cross compiler, qemu-user to run what it builds, and the desktop's
# own -dev packages and fonts, whose versions scripts/deps-sysroot.sh fetches for arm64.
arm64_packages=(g++-aarch64-linux-gnu qemu-user cmake ninja-build pkg-config dpkg-dev googletest
                libsdl2-dev libfreetype-dev libfontconfig-dev libcairo2-dev fonts-liberation2 python3)

# The Debian package built twice under reprotest's variations (scripts/reprotest.sh): faketime for
# another time, disorderfs for another order of files in a folder.
reprotest_packages=(reprotest faketime disorderfs dpkg-dev debhelper "${play_packages[@]}")

case "${1:-play}" in
  play) wanted=("${play_packages[@]}") ;;
  check) wanted=("${check_packages[@]}" "${web_packages[@]}" "${windows_packages[@]}" "${arm64_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  linux-arm64) wanted=("${arm64_packages[@]}") ;;
  reprotest) wanted=("${reprotest_packages[@]}") ;;
  *) echo "usage: $0 play|check|web|windows|linux-arm64|reprotest" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

advise() {
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them as root (apt-get install ${missing[*]}) $1, then run this again." >&2
  exit 1
}

# sudo may be there and still refuse this user: ask it first (with a password prompt only where
# someone can answer), so that the advice comes instead of a failed install.
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif ! command -v sudo >/dev/null 2>&1; then
  advise "or install sudo"
elif sudo -n true 2>/dev/null || { [ -t 0 ] && sudo -v; }; then
  as_root=(sudo)
else
  advise "or ask for the right to use sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another install may hold apt's lock: wait for it rather than fail.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
if ! "${as_root[@]}" apt-get install "${wait_for_lock[@]}" -y -qq "${missing[@]}"; then
  "${as_root[@]}" apt-get update "${wait_for_lock[@]}" -qq
  "${as_root[@]}" apt-get install "${wait_for_lock[@]}" -y -qq "${missing[@]}" || {
    echo "Could not install: ${missing[*]}. Install them by hand (apt-get install ...) and run this again." >&2
    exit 1
  }
fi
