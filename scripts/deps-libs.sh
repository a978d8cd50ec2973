#!/usr/bin/env bash
# Builds the game's four C libraries (SDL2, FreeType, pixman, cairo) for a target that Debian
# ships no libraries for, as static libraries, from Debian's own source packages of the very
# versions that the desktop build links (read from the installed -dev packages): the game there
# then draws and sounds as the desktop's does. The target's recipe, deps-libs/<target>.sh, says
# how each library is built with that target's compiler; deps-libs/<target>/ holds its patches.
# Sources come from apt-get source with a private apt configuration (the machine's is left
# alone); nothing else is downloaded. The result is kept outside the checkout, keyed by the
# versions, the compiler, this script and the target's recipe with its patches: a run that finds
# it only prints where it is.
# Usage: prefix=$(scripts/deps-libs.sh web|windows)
#   The last line of stdout is the prefix: include/, lib/*.a, lib/pkgconfig/*.pc (their Libs hold
#   all that a static link needs) and what the recipe adds. CMake's pkg-config finds the
#   libraries with PKG_CONFIG_LIBDIR=<prefix>/lib/pkgconfig. Progress goes to stderr.
#   BRANNOC_DEPS_CACHE=<folder> keeps the caches elsewhere than ~/.cache/brannoc (each target's in
#   <target>-deps/); MIRROR=<url> picks the Debian mirror.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
target="${1:-}"
case "$target" in
  web | windows) ;;
  *) echo "usage: $0 web|windows" >&2; exit 2 ;;
esac
recipe="$here/deps-libs/$target.sh"
patches="$here/deps-libs/$target"
jobs=2

say() { echo "deps-libs $target: $*" >&2; }
fail() { say "$*"; exit 1; }

# The desktop links these; their source packages, at the installed versions, are what is built.
desktop_packages=(libsdl2-dev libfreetype-dev libpixman-1-dev libcairo2-dev)
sources=()
for package in "${desktop_packages[@]}"; do
  installed="$(dpkg-query -W -f='${Status}|${source:Package}=${source:Version}' "$package" 2>/dev/null || true)"
  [[ "$installed" == "install ok installed|"* ]] || fail "$package is missing: scripts/deps.sh $target installs it"
  sources+=("${installed#*|}")
done

# The recipe names its tools, its compiler's versions (toolchain), the files of the repository it
# reads (key_files), and defines prepare, build_libraries and check_libraries.
key_files=()
# shellcheck source=deps-libs/windows.sh
source "$recipe"
for tool in "${tools[@]}" make pkg-config dpkg-source apt-get apt-cache flock; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/deps.sh $target installs what this needs"
done

key="$({ printf '%s\n' "${sources[@]}" "$toolchain"
         cat "$0" "$recipe" "${key_files[@]}"
         if [ -d "$patches" ]; then cat "$patches"/*; fi; } | sha256sum | cut -c1-16)"
cache="${BRANNOC_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brannoc}/$target-deps"
prefix="$cache/$key"
if [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
# One build at a time per key; a second caller waits and then finds the first one's prefix.
exec 9>"$cache/$key.lock"
flock 9
if [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/work"
logs="$work/$key/logs"
build="$work/$key/build"
rm -rf "${work:?}/$key"
mkdir -p "$logs" "$build" "$work/downloads"
rm -rf "$cache/.stage-$key-"*  # left by a build that was killed
stage="$(mktemp -d "$cache/.stage-$key-XXXXXX")"
trap 'rm -rf "$stage"' EXIT
started=$(date +%s)
progress() { say "[$(($(date +%s) - started)) s] $*"; }

# Runs a step with its output in logs/<name>.log; on failure shows the log's tail.
logged() {
  local name="$1"
  shift
  if ! "$@" >>"$logs/$name.log" 2>&1; then
    tail -n 40 "$logs/$name.log" >&2
    fail "$name failed; the whole log is $logs/$name.log"
  fi
}

prepare

# --- Sources, through apt with a configuration of our own -----------------------------------
mirror="${MIRROR:-$(apt-cache policy | awk '$3 == "bookworm/main" { print $2; exit }')}"
security="$(apt-cache policy | awk '$3 == "bookworm-security/main" { print $2; exit }')"
[ -n "$mirror" ] || fail "no bookworm mirror in apt's sources; set MIRROR"
apt_dir="$work/apt"
mkdir -p "$apt_dir/sources" "$apt_dir/state/lists/partial" "$apt_dir/cache/archives/partial"
{
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\n' "$mirror"
  printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
  if [ -n "$security" ]; then
    printf '\nTypes: deb-src\nURIs: %s\nSuites: bookworm-security\nComponents: main\n' "$security"
    printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
  fi
} >"$apt_dir/sources/debian-src.sources"
apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources"
             -o Dir::State="$apt_dir/state" -o Dir::Cache="$apt_dir/cache"
             -o APT::Sandbox::User="$(id -un)")
progress "fetching Debian's sources: ${sources[*]}"
logged apt apt-get "${apt_options[@]}" update
# The archive keeps a source only while it is current: a desktop not brought up to date links a
# version that is gone, and building another would draw otherwise than the desktop.
for source in "${sources[@]}"; do
  package="${source%%=*}" version="${source#*=}"
  available="$(apt-cache "${apt_options[@]}" showsrc --only-source "$package" 2>/dev/null |
               awk '/^Version:/ { print $2 }' | sort -u | paste -sd' ' -)"
  if ! grep -qxF "$version" <<<"${available// /$'\n'}"; then
    fail "the desktop links $package $version, and Debian's archive has ${available:-no version of it}" \
         "now: bring the desktop's packages up to date (apt-get update; apt-get install --only-upgrade" \
         "${desktop_packages[*]}) and run this again"
  fi
done
# apt-get fails the whole download when one file is missing from the mirror; unpack() below says
# what is missing and whether the source can be had without it.
(cd "$work/downloads" && apt-get "${apt_options[@]}" source --download-only "${sources[@]}") \
  >>"$logs/apt.log" 2>&1 || true

# Unpacks a source package, Debian's patches applied, into build/<package>, then applies the
# target's (deps-libs/<target>/<package>-*.patch). Debian's 1.0-format packages carry their changes
# in one .diff.gz; where the mirror lacks it, the upstream tarball (checked against the .dsc) is
# built as it is, and a warning says so.
unpack() {
  local package="${1%%=*}" version="${1#*=}" dsc files missing=() line sum file
  dsc="$work/downloads/${package}_${version#*:}.dsc"
  [ -f "$dsc" ] || { tail -n 20 "$logs/apt.log" >&2; fail "apt found no source of $1"; }
  files="$(sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$dsc" | grep '^ ')"
  while read -r sum _ file; do
    if [ ! -f "$work/downloads/$file" ]; then
      missing+=("$file")
    elif [ "$(sha256sum "$work/downloads/$file" | cut -d' ' -f1)" != "$sum" ]; then
      fail "$file does not match its checksum in $dsc"
    fi
  done <<<"$files"
  if [ ${#missing[@]} -eq 0 ]; then
    logged unpack dpkg-source -x "$dsc" "$build/$package"
  elif [ ${#missing[@]} -eq 1 ] && [[ "${missing[0]}" == *.diff.gz ]] && grep -q '^Format: 1.0$' "$dsc"; then
    say "warning: the mirror has no ${missing[0]}; building $package from its upstream tarball without Debian's changes"
    line="$(grep -m1 -E '\.orig\.tar\.' <<<"$files")"
    mkdir -p "$build/$package"
    logged unpack tar -xf "$work/downloads/${line##* }" -C "$build/$package" --strip-components=1
  else
    fail "the mirror lacks ${missing[*]} of $1"
  fi
  for patch in "$patches/$package"-*.patch; do
    [ -f "$patch" ] || continue
    logged unpack patch -d "$build/$package" -p1 -i "$patch"
  done
}
for source in "${sources[@]}"; do
  unpack "$source"
done

export PKG_CONFIG_LIBDIR="$stage/lib/pkgconfig"
export PKG_CONFIG_PATH=""
build_libraries

# Every library here is static: what pkg-config --static would add, every link needs.
for pc in "$stage"/lib/pkgconfig/*.pc; do
  awk '/^Requires\.private:/ { sub(/^[^:]*:[ \t]*/, ""); requires = requires " " $0; next }
       /^Libs\.private:/ { sub(/^[^:]*:[ \t]*/, ""); libs = libs " " $0; next }
       { lines[++n] = $0 }
       END {
         for (i = 1; i <= n; i++) {
           if (lines[i] ~ /^Requires:/) { lines[i] = lines[i] requires; requires = "" }
           if (lines[i] ~ /^Libs:/) { lines[i] = lines[i] libs }
           print lines[i]
         }
         if (requires ~ /[^ ]/) print "Requires:" requires
       }' "$pc" >"$pc.folded"
  mv "$pc.folded" "$pc"
done
rm -f "$stage"/lib/*.la
for pc in sdl2 freetype2 pixman-1 cairo; do
  [ -f "$stage/lib/pkgconfig/$pc.pc" ] || fail "the build left no $pc.pc"
done

check_libraries

# --- The finished prefix ------------------------------------------------------------------------
rm -rf "$stage/share/doc" "$stage/share/man" "$stage/share/gtk-doc"
grep -rlI --null -F "$stage" "$stage" | xargs -0 -r sed -i "s|$stage|$prefix|g"
chmod 755 "$stage"
mv -T "$stage" "$prefix"
rm -rf "$build"
progress "done; logs in $logs"
echo "$prefix"
