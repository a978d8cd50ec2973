#!/usr/bin/env bash
# Builds each shipped output twice from the last commit, in two clones that differ in their folder
# (the second's path holds spaces), start time, umask, locale and time zone, and compares them byte
# for byte. Where a pair differs it stops and shows, with diffoscope, which file inside differs.
# Usage: scripts/reproducible.sh [--after-check] [deb] [windows] [web] [deb-arm64]
#   (deb, windows and web without arguments)
#   deb        the Debian binary package, as dpkg-buildpackage builds it from debian/
#   windows    brannoc-windows.zip, with its brannoc.exe
#   web        brannoc-web.zip and the site's folder
#   deb-arm64  the Debian package cross-built for 64-bit ARM
#   --after-check  the first build is the one ./check has just made of this tree (the package of
#              its package test, build/windows and build/web, built with the tests), so that only
#              the second is built here; the tree must be the last commit, with nothing changed
# Each output builds only what it needs; the cross builds' libraries come from scripts/deps-libs.sh
# (kept outside the checkout), the same for both builds. Work goes to build/reproducible/.
set -euo pipefail
cd "$(dirname "$0")/.."
# Beside other work on the machine, at a lower priority.
renice -n 10 $$ >/dev/null
after_check=false
if [ "${1:-}" = --after-check ]; then
  after_check=true
  shift
fi
outputs=("$@")
[ ${#outputs[@]} -gt 0 ] || outputs=(deb windows web)
for output in "${outputs[@]}"; do
  case "$output" in
    deb | windows | web) ;;
    deb-arm64) $after_check && { echo "the check builds no ARM package: $output cannot come after it" >&2; exit 2; } ;;
    *) echo "usage: $0 [--after-check] [deb] [windows] [web] [deb-arm64]" >&2; exit 2 ;;
  esac
done
if $after_check && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "the tree has changes of its own: the check's build is not the last commit's" >&2
  exit 2
fi
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
    deb | deb-arm64)
      local arch=()
      [ "$output" = deb ] || arch=(-a arm64 -d)
      (cd "$tree" && dpkg-buildpackage "${arch[@]}" -us -uc -b >"$tree.log" 2>&1) \
        || { tail -n 40 "$tree.log" >&2; exit 1; }
      # Where the check's package test leaves its package, so that either can be the first.
      mkdir -p "$tree/build/default/package"
      mv "$tree"/../brannoc_*.deb "$tree/build/default/package/"
      (cd "$tree" && ls build/default/package/brannoc_*.deb)
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

# What the check built of an output, relative to the tree.
built_by_check() {
  case "$1" in
    deb) (ls build/default/package/brannoc_*_"$(dpkg --print-architecture)".deb) ;;
    windows) echo build/windows/brannoc-windows.zip ;;
    web) printf '%s\n' build/web/brannoc-web.zip build/web/site ;;
  esac
}

for output in "${outputs[@]}"; do
  rm -rf "$work/first" "$work/second build"
  in_second clone "$second"
  if $after_check; then
    first="$PWD"
    say "$output: the first build is the check's"
    files="$(built_by_check "$output")" || { echo "the check has not built $output here" >&2; exit 1; }
    for file in $files; do
      [ -e "$file" ] || { echo "the check has not built $file" >&2; exit 1; }
    done
  else
    in_first clone "$first"
    say "$output: the first build"
    files="$(in_first build "$first" "$output")"
  fi
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
