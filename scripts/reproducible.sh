#!/usr/bin/env bash
# Builds each shipped output twice from the last commit, in two clones that differ in their folder
# (the second's path holds spaces), start time, umask, locale and time zone, and compares them byte
# for byte. Where a pair differs it stops and shows, with diffoscope, which file inside differs.
# Usage: scripts/reproducible.sh [deb] [windows] [web]     (all three without arguments)
#   deb      the Debian binary package, as dpkg-buildpackage builds it from debian/
#   windows  brannoc-windows.zip, with its brannoc.exe
#   web      brannoc-web.zip and the site's folder
# Each output builds only what it needs; the cross builds' libraries come from scripts/deps-libs.sh
# (kept outside the checkout), the same for both builds. Work goes to build/reproducible/.
set -euo pipefail
cd "$(dirname "$0")/.."
# Beside other work on the machine, at a lower priority.
renice -n 10 $$ >/dev/null
outputs=("$@")
[ ${#outputs[@]} -gt 0 ] || outputs=(deb windows web)
for output in "${outputs[@]}"; do
  case "$output" in
    deb | windows | web) ;;
    *) echo "usage: $0 [deb] [windows] [web]" >&2; exit 2 ;;
  esac
done
command -v diffoscope >/dev/null || { echo "diffoscope is missing: scripts/deps.sh check installs it" >&2; exit 1; }

commit="$(git rev-parse HEAD)"
work="$PWD/build/reproducible"
first="$work/first/brannoc"
second="$work/second build/of the same commit/brannoc"
rm -rf "$work"
mkdir -p "$work"
say() { printf '== reproducible: %s (%d s)\n' "$*" "$SECONDS"; }

# A locale other than the first build's, where the machine has one.
other_locale=C
if locale -a 2>/dev/null | grep -qix 'fr_FR.utf8'; then other_locale=fr_FR.UTF-8; fi

# The clone of the commit for one build, checked out under that build's umask.
clone() {
  mkdir -p "$(dirname "$1")"
  git clone --quiet --no-checkout . "$1"
  git -C "$1" checkout --quiet --detach "$commit"
}

# build <clone> <output>: the output's files, listed one a line on stdout, relative to the clone.
build() {
  local tree="$1" output="$2"
  case "$output" in
    deb)
      (cd "$tree" && dpkg-buildpackage -us -uc -b >"$tree.log" 2>&1) || { tail -n 40 "$tree.log" >&2; exit 1; }
      mkdir -p "$tree/build"
      mv "$tree"/../brannoc_*.deb "$tree/build/"
      (cd "$tree" && ls build/*.deb)
      ;;
    windows)
      cmake -S "$tree" --preset windows -DBRANNOC_TESTS=OFF >/dev/null
      cmake --build "$tree/build/windows" --target brannoc_windows_zip >/dev/null
      echo build/windows/brannoc-windows.zip
      ;;
    web)
      cmake -S "$tree" --preset web -DBRANNOC_TESTS=OFF >/dev/null
      cmake --build "$tree/build/web" --target brannoc_site >/dev/null
      echo build/web/brannoc-web.zip
      echo build/web/site
      ;;
  esac
}

# The two builds, one after the other: their start times differ by the first's length.
# shellcheck disable=SC2030,SC2031 # each build's settings are meant to stay in its own subshell
in_first() { (umask 022 && export LC_ALL=C.UTF-8 TZ=UTC && "$@"); }
# shellcheck disable=SC2030,SC2031
in_second() { (umask 077 && export LC_ALL="$other_locale" TZ=Pacific/Kiritimati && "$@"); }

for output in "${outputs[@]}"; do
  rm -rf "$work/first" "$work/second build"
  in_first clone "$first"
  in_second clone "$second"
  say "$output: the first build"
  files="$(in_first build "$first" "$output")"
  say "$output: the second build, in '$second'"
  in_second build "$second" "$output" >/dev/null
  for file in $files; do
    if diff -r --no-dereference -q "$first/$file" "$second/$file" >/dev/null; then
      say "$output: $file is the same"
      continue
    fi
    say "$output: $file differs"
    diffoscope --no-progress --max-report-size 200000 --text - "$first/$file" "$second/$file" | head -n 200
    exit 1
  done
done
say "every output the same"
