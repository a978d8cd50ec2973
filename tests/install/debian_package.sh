#!/usr/bin/env bash
# The Debian source package (debian/) built as a distribution builds it, from a copy of the tree
# with nothing built in it: the binary package's name, section and dependencies, every file of
# the game in it, and neither an error nor a warning from lintian on the source or the binary.
# Usage: debian_package.sh <source tree> <work folder>
set -uo pipefail
tree="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work/brannoc"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The tree's files as git sees them, committed or not, without its builds.
git -C "$tree" ls-files -z --cached --others --exclude-standard \
  | (cd "$tree" && tar --null --no-recursion -T - -cf -) | tar -xf - -C "$work/brannoc"
(cd "$work/brannoc" && nice -n 10 dpkg-buildpackage -us -uc >"$work/build.txt" 2>&1) \
  || { tail -n 40 "$work/build.txt"; echo "FAIL: dpkg-buildpackage"; exit 1; }
deb=$(ls "$work"/brannoc_*_"$(dpkg --print-architecture)".deb 2>/dev/null)
[ -f "$deb" ] || { echo "FAIL: no brannoc_<version>_<arch>.deb in $work"; exit 1; }
basename "$deb"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section $(dpkg-deb -f "$deb" Section), not games"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in fonts-liberation2 libsdl2-2.0-0 libcairo2 libfontconfig1 libfreetype6; do
  [[ "$depends" == *"$package"* ]] || fail "no dependency on $package"
done

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/files.txt"
expected=(/usr/games/brannoc /usr/lib/games/brannoc/brannoc
          /usr/share/applications/org.brannoc.Brannoc.desktop
          /usr/share/metainfo/org.brannoc.Brannoc.metainfo.xml
          /usr/share/man/man6/brannoc.6.gz
          /usr/share/doc/brannoc/copyright /usr/share/doc/brannoc/changelog.gz)
for picture in floor bartender beer drunk klosed explosion fire vantor; do
  expected+=("/usr/share/games/brannoc/bmps/$picture.bmp")
done
for size in 16 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/brannoc.png")
done
for path in "${expected[@]}"; do
  grep -qx "$path" "$work/files.txt" || fail "$path is not in the package"
done
echo "$(grep -cv '/$' "$work/files.txt") files in the package"

lintian --fail-on none --tag-display-limit 0 "$work"/brannoc_*.changes >"$work/lintian.txt" 2>&1
grep -E '^[EW]: ' "$work/lintian.txt" && fail "lintian finds errors or warnings"

[ "$failures" -eq 0 ] && echo ok
exit "$failures"
