#!/usr/bin/env bash
# A fresh Debian 12 in a temporary folder: debootstrap makes it from the mirror that apt uses here,
# apt installs the game's Debian package in it with whatever that package depends on, and the
# installed game is started there under Xvfb and played as the real-window test does (the title's
# sign, play, Escape ending it with exit code 0). Not run by CI: it needs root and takes minutes.
# Usage: scripts/fresh-machine.sh [brannoc_<version>_<arch>.deb]
#   Without a package, it builds one from debian/ as the package test does, in build/fresh-package/.
#   MIRROR=<url> picks the Debian mirror; by default, the one apt's sources give for bookworm.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine.sh must run as root: debootstrap and chroot need it." >&2; exit 1; }
scripts/deps.sh check
started=$(date +%s)
say() { echo "[$(($(date +%s) - started)) s] $*"; }

deb="${1:-}"
if [ -z "$deb" ]; then
  say "building the release package"
  tests/install/debian_package.sh "$PWD" "$PWD/build/fresh-package" >/dev/null \
    || { echo "the package does not build: tests/install/debian_package.sh $PWD build/fresh-package" >&2; exit 1; }
  deb="$(ls build/fresh-package/brannoc_*_"$(dpkg --print-architecture)".deb)"
fi
[ -f "$deb" ] || { echo "no package at $deb" >&2; exit 1; }
deb="$(realpath "$deb")"

mirror="${MIRROR:-$(apt-cache policy | awk '$3 == "bookworm/main" { print $2; exit }')}"
[ -n "$mirror" ] || { echo "no bookworm mirror in apt's sources; set MIRROR" >&2; exit 1; }

root="$(mktemp -d /tmp/brannoc-fresh-XXXXXX)"
chmod 755 "$root" # apt fetches as its own user
mounts=()
# Processes whose root is the new system: all of them started here.
inside() {
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && echo "${process#/proc/}"
  done
  return 0
}
cleanup() {
  # Its X server removes its socket on the way out, and holds the mount until then.
  for _ in $(seq 50); do [ -z "$(inside)" ] && break; sleep 0.1; done
  left=$(inside)
  # shellcheck disable=SC2086 # one process a word
  [ -z "$left" ] || kill -9 $left
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}"; done
  # Never through a mount that stayed: /tmp/.X11-unix of this machine is bound in there.
  for target in "${mounts[@]}"; do
    if mountpoint -q "$target"; then echo "$target is still mounted: $root is left in place" >&2; return; fi
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
mount_in() { # mount arguments..., target inside the new system
  local target="$root/${*: -1}"
  mkdir -p "$target"
  mount "${@:1:$#-1}" "$target"
  mounts+=("$target")
}

say "debootstrap bookworm from $mirror into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 \
  || { tail -20 "$root.debootstrap.log"; exit 1; }
rm -f "$root.debootstrap.log"
mount_in -t proc proc /proc
mount_in -t tmpfs tmpfs /dev/shm
# The X server inside makes its socket where the real-window test on this side finds it.
install -d -m 1777 /tmp/.X11-unix
mount_in --bind /tmp/.X11-unix /tmp/.X11-unix

say "apt installs $(basename "$deb") and Xvfb in the new system"
cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$deb")" xvfb >"$root/tmp/apt.log" 2>&1 || { tail -30 "$root/tmp/apt.log"; exit 1; }
# shellcheck disable=SC2016 # dpkg-query's own fields
chroot "$root" dpkg-query -W -f='installed: ${Package} ${Version}\n' brannoc
echo "with $(grep -c '^Setting up' "$root/tmp/apt.log") packages set up by apt"

say "starting /usr/games/brannoc in the new system under its own Xvfb"
launcher="$root/tmp/start-brannoc"
printf '#!/bin/sh\nexec chroot "%s" /usr/games/brannoc\n' "$root" >"$launcher"
chmod +x "$launcher"
# Where the bartender stands, from the game's own table.
c++ -std=c++20 -Isrc tests/support/bars_json.cpp -o "$root/tmp/bars_json" && "$root/tmp/bars_json" >"$root/tmp/bars.json"
BARS="$root/tmp/bars.json" XVFB="chroot $root Xvfb" tests/smoke/real_window.sh "$launcher" "$root/tmp/shots" \
  "$root/usr/share/games/brannoc/bmps" /
say "done: the package installs and the game plays on a fresh Debian 12"
