#!/usr/bin/env bash
# Lays out a sysroot of another Debian architecture's libraries for a cross build: Debian's own
# -dev packages of SDL2, cairo, FreeType and fontconfig (at the desktop's versions, so that the game
# draws as the desktop's does) with all that apt says they depend on, fetched through a private apt
# configuration (the machine's dpkg and apt are left alone: no foreign architecture is added) and
# unpacked with dpkg-deb -x. The cross compiler brings its own C library and libstdc++ to link
# against; the sysroot's are the ones the program runs on under qemu-user (-L <sysroot>).
# The result is kept outside the checkout, keyed by the wanted versions and this script: a run
# that finds it only prints where it is. It holds versions.txt, every package unpacked in it.
# Usage: sysroot=$(scripts/deps-sysroot.sh arm64)
#   The last line of stdout is the sysroot; progress goes to stderr. The cross build's pkg-config
#   reads it with PKG_CONFIG_SYSROOT_DIR=<sysroot> and PKG_CONFIG_LIBDIR=<sysroot>/usr/lib/<triplet>/pkgconfig:
#   <sysroot>/usr/share/pkgconfig. BRANNOC_DEPS_CACHE=<folder> keeps the caches elsewhere than
#   ~/.cache/brannoc (in linux-<arch>-sysroot/); MIRROR=<url> picks the Debian mirror.
set -euo pipefail
arch="${1:-}"
case "$arch" in
  arm64) ;;
  *) echo "usage: $0 arm64" >&2; exit 2 ;;
esac

say() { echo "deps-sysroot $arch: $*" >&2; }
fail() { say "$*"; exit 1; }
for tool in apt-get apt-cache dpkg-deb dpkg-query dpkg-architecture flock sha256sum; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/deps.sh linux-$arch installs what this needs"
done
triplet="$(dpkg-architecture -a"$arch" -qDEB_HOST_MULTIARCH 2>/dev/null)"

# The desktop's -dev packages and the game's fonts (fontconfig finds them in the sysroot under
# qemu), at the desktop's versions; the C++ runtime the game runs on beside them.
desktop_packages=(libsdl2-dev libcairo2-dev libfreetype-dev libfontconfig-dev fonts-liberation2)
wanted=()
for package in "${desktop_packages[@]}"; do
  installed="$(dpkg-query -W -f='${Status}|${Version}' "$package" 2>/dev/null || true)"
  [[ "$installed" == "install ok installed|"* ]] || fail "$package is missing: scripts/deps.sh linux-$arch installs it"
  wanted+=("$package=${installed#*|}")
done
wanted+=(libstdc++6)

key="$({ printf '%s\n' "${wanted[@]}"; cat "$0"; } | sha256sum | cut -c1-16)"
cache="${BRANNOC_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brannoc}/linux-$arch-sysroot"
sysroot="$cache/$key"
if [ -d "$sysroot" ]; then
  echo "$sysroot"
  exit 0
fi

mkdir -p "$cache"
# One fetch at a time per key; a second caller waits and then finds the first one's sysroot.
exec 9>"$cache/$key.lock"
flock 9
if [ -d "$sysroot" ]; then
  echo "$sysroot"
  exit 0
fi
started=$(date +%s)
progress() { say "[$(($(date +%s) - started)) s] $*"; }
rm -rf "$cache/.stage-$key-"*  # left by a fetch that was killed
stage="$(mktemp -d "$cache/.stage-$key-XXXXXX")"
trap 'rm -rf "$stage"' EXIT

# --- Packages, through apt with a configuration of our own ------------------------------------
# Its own sources (this architecture alone), its own state with nothing installed (so that apt
# resolves every dependency), its own archives; Debian's keyring as the machine has it.
mirror="${MIRROR:-$(apt-cache policy | awk '$3 == "bookworm/main" { print $2; exit }')}"
security="$(apt-cache policy | awk '$3 == "bookworm-security/main" { print $2; exit }')"
[ -n "$mirror" ] || fail "no bookworm mirror in apt's sources; set MIRROR"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -f "$keyring" ] || fail "$keyring is missing: apt-get install debian-archive-keyring"
apt_dir="$cache/apt"
archives="$cache/work/$key/archives"
rm -rf "$cache/work/$key"
mkdir -p "$apt_dir/sources" "$apt_dir/preferences" "$apt_dir/state/lists/partial" "$apt_dir/cache" \
         "$archives/partial"
: >"$apt_dir/state/status"
{
  printf 'Types: deb\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\n' "$mirror"
  printf 'Architectures: %s\nSigned-By: %s\n' "$arch" "$keyring"
  if [ -n "$security" ]; then
    printf '\nTypes: deb\nURIs: %s\nSuites: bookworm-security\nComponents: main\n' "$security"
    printf 'Architectures: %s\nSigned-By: %s\n' "$arch" "$keyring"
  fi
} >"$apt_dir/sources/debian.sources"
apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources"
             -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts="$apt_dir/preferences"
             -o Dir::State="$apt_dir/state" -o Dir::State::status="$apt_dir/state/status"
             -o Dir::Cache="$apt_dir/cache" -o Dir::Cache::archives="$archives"
             -o APT::Architecture="$arch" -o APT::Architectures::="$arch"
             -o Acquire::Languages=none -o APT::Install-Recommends=false
             -o APT::Sandbox::User="$(id -un)" -o Debug::NoLocking=true)
log="$cache/work/$key/apt.log"
logged() {
  if ! "$@" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    fail "$1 failed; the whole log is $log"
  fi
}
progress "fetching Debian's $arch packages: ${wanted[*]} and what they depend on"
logged apt-get "${apt_options[@]}" update
# The archive keeps a version only while it is current: a desktop not brought up to date links a
# version that is gone here too.
if ! apt-get "${apt_options[@]}" install --download-only -y "${wanted[@]}" >>"$log" 2>&1; then
  tail -n 30 "$log" >&2
  fail "apt could not fetch ${wanted[*]} for $arch (the whole log is $log); if a version is gone," \
       "bring the desktop's packages up to date (apt-get update; apt-get install --only-upgrade" \
       "${desktop_packages[*]}) and run this again"
fi

# --- The sysroot --------------------------------------------------------------------------------
# A dpkg database of the sysroot's own, which the machine's dpkg never reads: dpkg-shlibdeps
# (--admindir) finds there which package holds each library, by its path in the sysroot, and
# the package's shlibs and symbols, to give a cross-built package its Depends.
progress "unpacking $(find "$archives" -maxdepth 1 -name '*.deb' | wc -l) packages"
admin="$stage/var/lib/dpkg"
control="$cache/work/$key/control"
mkdir -p "$admin/info" "$admin/updates" "$admin/triggers" "$control"
echo 1 >"$admin/info/format"
printf '%s\n' "$(dpkg --print-architecture)" "$arch" | sort -u >"$admin/arch"
: >"$admin/available"
for deb in "$archives"/*.deb; do
  dpkg-deb -x "$deb" "$stage"
  # shellcheck disable=SC2016 # dpkg-deb's own fields
  dpkg-deb -W --showformat='${Package} ${Version} ${Architecture}\n' "$deb" >>"$stage/versions.txt"
  package="$(dpkg-deb -f "$deb" Package)"
  [ "$(dpkg-deb -f "$deb" Multi-Arch)" = same ] && package="$package:$(dpkg-deb -f "$deb" Architecture)"
  { dpkg-deb -f "$deb" | awk '{ print } /^Package:/ { print "Status: install ok installed" }'; echo; } >>"$admin/status"
  # Each path as the merged /usr below has it too.
  dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' -e '/^$/d' |
    sed -e 'p' -e 's#^/\(bin\|sbin\|lib\)/#/usr/\1/#' | awk -v root="$sysroot" '!seen[$0]++ { print root $0 }' \
    >"$admin/info/$package.list"
  rm -rf "${control:?}"/*
  dpkg-deb -e "$deb" "$control"
  for file in shlibs symbols; do
    if [ -f "$control/$file" ]; then cp "$control/$file" "$admin/info/$package.$file"; fi
  done
done
sort -o "$stage/versions.txt" "$stage/versions.txt"

# As a merged /usr has it: the dynamic loader and the libraries of /lib in one folder with the rest.
for top in bin sbin lib; do
  if [ -d "$stage/$top" ] && [ ! -L "$stage/$top" ]; then
    mkdir -p "$stage/usr/$top"
    cp -a "$stage/$top/." "$stage/usr/$top/"
    rm -rf "${stage:?}/$top"
  fi
  [ -e "$stage/usr/$top" ] && ln -s "usr/$top" "$stage/$top"
done
# Links that name a path of the target's root point inside the sysroot instead.
while IFS= read -r -d '' link; do
  target="$(readlink "$link")"
  [[ "$target" == /* ]] && ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$stage$target")" "$link"
done < <(find "$stage" -type l -print0)
# The cross compiler links with its own C library: the sysroot's linker scripts (libc.so and the
# like) name paths of the target's root, which the linker would look for on this machine.
while IFS= read -r -d '' script; do
  [ "$(head -c 4 "$script" | od -An -tx1 | tr -d ' ')" = 7f454c46 ] || rm -f "$script"
done < <(find "$stage/usr/lib/$triplet" -maxdepth 1 -name '*.so' -type f -print0)
# The loader finds the libraries in its own folders; the machine's cache of them is another
# architecture's, and qemu-user would show it the machine's.
mkdir -p "$stage/etc"
: >"$stage/etc/ld.so.cache"

for pc in sdl2 cairo freetype2 fontconfig; do
  [ -n "$(find "$stage/usr/lib/$triplet/pkgconfig" "$stage/usr/share/pkgconfig" -name "$pc.pc" 2>/dev/null)" ] ||
    fail "the packages left no $pc.pc"
done
[ -e "$stage/usr/lib/$triplet/libstdc++.so.6" ] || fail "the packages left no libstdc++.so.6"

rm -rf "$stage/usr/share/doc" "$stage/usr/share/man" "$stage/usr/share/info" "$stage/usr/share/locale"
chmod 755 "$stage"
mv -T "$stage" "$sysroot"
rm -rf "${cache:?}/work/$key"
progress "done: $(wc -l <"$sysroot/versions.txt") packages"
echo "$sysroot"
