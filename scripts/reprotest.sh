#!/usr/bin/env bash
# The Debian package built twice from the last commit's source by reprotest, the second build under
# its variations: another folder, time, time zone, locale, umask, file order, host and domain name,
# HOME, PATH, kernel, processor count and address layout. Only another user is not tried: it needs
# one made for it. Exits non-zero, with reprotest's diffoscope report, where the packages differ.
# Work goes to build/reprotest/. Not part of ./check: scripts/reproducible.sh is CI's comparison.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh reprotest
work="$PWD/build/reprotest"
rm -rf "$work"
mkdir -p "$work"
git archive --prefix=brannoc/ HEAD | tar -x -C "$work"
cd "$work/brannoc"
nice -n 10 reprotest --vary=-user_group --store-dir="$work/packages" . -- null >"$work/log.txt" 2>&1 \
  || { tail -n 60 "$work/log.txt"; echo "reprotest: the package differs between the two builds ($work/log.txt)"; exit 1; }
tail -n 4 "$work/log.txt"
