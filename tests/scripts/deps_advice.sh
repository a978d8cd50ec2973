#!/usr/bin/env bash
# scripts/deps.sh as a user who is not root, with a package missing: where sudo is there and
# refuses, or is not there at all, it says what to install and how and installs nothing; where
# sudo agrees, it installs through it.
# Usage: deps_advice.sh <source dir>
set -uo pipefail
deps="$1/scripts/deps.sh"
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
failures=0

# A bin folder of stand-ins: every package installed but xvfb, a user who is not root.
stand_ins() {
  rm -rf "${fake:?}/bin" "$fake/apt.log"
  mkdir "$fake/bin"
  ln -s "$(command -v grep)" "$fake/bin/grep"
  printf '#!/bin/sh\necho 1000\n' > "$fake/bin/id"
  # shellcheck disable=SC2016 # the stand-ins' own arguments
  printf '#!/bin/sh\n[ "$3" = xvfb ] || echo "install ok installed"\n' > "$fake/bin/dpkg-query"
  printf '#!/bin/sh\necho "apt-get $*" >> %s/apt.log\n' "$fake" > "$fake/bin/apt-get"
  chmod +x "$fake/bin/"*
}

expect() { # what, condition...
  local what="$1"; shift
  if ! "$@"; then echo "FAIL: $what"; failures=$((failures + 1)); fi
}

run_deps() {
  PATH="$fake/bin" /bin/bash "$deps" check </dev/null >"$fake/out" 2>"$fake/err"
}

# sudo is there but will not run anything for this user.
stand_ins
printf '#!/bin/sh\necho "sudo: a password is required" >&2\nexit 1\n' > "$fake/bin/sudo"
chmod +x "$fake/bin/sudo"
run_deps; code=$?
expect "refused sudo: exit code 1, not $code" [ "$code" -eq 1 ]
expect "refused sudo: names the command" grep -q "apt-get install xvfb" "$fake/err"
expect "refused sudo: says sudo is the trouble" grep -q "sudo" "$fake/err"
expect "refused sudo: installs nothing" [ ! -e "$fake/apt.log" ]

# No sudo at all.
stand_ins
run_deps; code=$?
expect "no sudo: exit code 1, not $code" [ "$code" -eq 1 ]
expect "no sudo: names the command" grep -q "apt-get install xvfb" "$fake/err"
expect "no sudo: installs nothing" [ ! -e "$fake/apt.log" ]

# sudo that agrees runs apt-get.
stand_ins
# shellcheck disable=SC2016 # the stand-in's own arguments
printf '#!/bin/sh\n[ "$1" = -n ] && shift\n"$@"\n' > "$fake/bin/sudo"
chmod +x "$fake/bin/sudo"
run_deps; code=$?
expect "willing sudo: exit code 0, not $code" [ "$code" -eq 0 ]
expect "willing sudo: installs the missing package, waiting out apt's lock" grep -q "apt-get install -o DPkg::Lock::Timeout=600 -y -qq xvfb" "$fake/apt.log"

[ "$failures" -eq 0 ] && echo ok
exit "$failures"
