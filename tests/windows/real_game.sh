#!/usr/bin/env bash
# The real game from its zip under Wine in Xvfb, as a player gets it: unpacked into a folder whose
# name has spaces and letters beyond ASCII, started from another folder, it must find its pictures
# and fonts beside the .exe and pass the desktop's real-window test (tests/smoke/real_window.sh),
# its sound going through SDL's WASAPI driver and Wine's PulseAudio driver to the test's server.
# Usage: real_game.sh <build folder>
set -euo pipefail
build="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
unpacked="$build/real-game/Spiele für Brannoc"
rm -rf "$build/real-game"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$build/brannoc-windows.zip")
launcher="$unpacked/Brannoc/start under Wine"
printf '#!/bin/sh\nexec "%s" "%s"\n' "$build/wine.sh" "$unpacked/Brannoc/brannoc.exe" >"$launcher"
chmod +x "$launcher"
# Under Wine in Xvfb, SDL's direct3d renderer goes through Wine's Direct3D on software OpenGL,
# whose presents crawl on a busy machine (four letters of the title in 10 s): the game draws here
# through SDL's software renderer, which Windows has as well. On a machine busy with other builds
# the title may still come slowly: the line is looked for until 60 s after the first frame.
SDL_RENDER_DRIVER=software TYPED_AFTER=3 TYPED_WITHIN=60 LISTEN=wasapi \
  "$here/../smoke/real_window.sh" "$launcher" "$build/real-game/shots" "$build/bmps" /
