#!/usr/bin/env bash
# The game installed into a fresh prefix: every file in its place, the desktop entry, the AppStream
# metadata and the manual page pass their validators, and the launcher, started from /, shows the
# title's sign and ends with exit code 0 on Escape in play.
# Usage: installed_game.sh <build folder> <work folder>
set -uo pipefail
build="$1"
work="$2"
smoke="$(cd "$(dirname "$0")/../smoke" && pwd)"
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

[ -x "$prefix/games/brannoc" ] || fail "no launcher in games/"
[ -x "$prefix/lib/games/brannoc/brannoc" ] || fail "no game in lib/games/brannoc/"
pictures=$(find "$prefix/share/games/brannoc/bmps" -name '*.bmp' 2>/dev/null | wc -l)
[ "$pictures" -eq 8 ] || fail "$pictures pictures in share/games/brannoc/bmps/, not 8"
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/brannoc.png"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "no $size-pixel icon"
done
desktop="$prefix/share/applications/org.brannoc.Brannoc.desktop"
grep -qx "Icon=brannoc" "$desktop" || fail "the desktop entry names another icon"
[ -s "$prefix/share/doc/brannoc/copyright" ] || fail "no copyright file"

# Hints too: a desktop entry without a main category shows up in no menu but a catch-all one.
desktop-file-validate "$desktop" >"$work/desktop.txt" 2>&1
[ -s "$work/desktop.txt" ] && { cat "$work/desktop.txt"; fail "desktop-file-validate"; }
metainfo="$prefix/share/metainfo/org.brannoc.Brannoc.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.txt" || { cat "$work/appstream.txt"; fail "appstreamcli validate"; }
# The tree as a whole: the metadata's launchable is the installed desktop entry.
appstreamcli validate-tree --no-net "$prefix" >"$work/appstream-tree.txt" || { cat "$work/appstream-tree.txt"; fail "appstreamcli validate-tree"; }

manual="$prefix/share/man/man6/brannoc.6.gz"
MANWIDTH=80 man --warnings -l "$manual" >"$work/manual.txt" 2>"$work/manual-warnings.txt" || fail "man -l"
[ -s "$work/manual-warnings.txt" ] && { cat "$work/manual-warnings.txt"; fail "the manual page has warnings"; }
for section in NAME SYNOPSIS DESCRIPTION OPTIONS CONTROLS FILES "EXIT STATUS"; do
  grep -q "^$section" "$work/manual.txt" || fail "the manual page has no $section"
done

BARS="$build/bars.json" "$smoke/real_window.sh" "$prefix/games/brannoc" "$work/shots" "$prefix/share/games/brannoc/bmps" / \
  || fail "the installed launcher, started from /"

[ "$failures" -eq 0 ] && echo ok
exit "$failures"
