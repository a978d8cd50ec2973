#!/bin/sh
# NEWS.md as a Debian change log: an entry for each release, whose paragraphs and
# items become the entry's items.
# Usage: debian-changelog.sh NEWS.md "Maintainer <address>" > debian/changelog
set -e
news="$1"
maintainer="$2"
awk -v maintainer="$maintainer" '
function finish() {
  if (version == "") return
  cmd = "date -u -R -d " date
  cmd | getline stamp
  close(cmd)
  printf "\n -- %s  %s\n", maintainer, stamp
}
/^## / {
  finish()
  if (version != "") printf "\n"
  version = $2
  date = $3
  gsub(/[()]/, "", date)
  printf "brannoc (%s) unstable; urgency=medium\n\n", version
  item = 0
  next
}
version == "" { next }
/^$/ { item = 0; next }
/^- / { printf "  * %s\n", substr($0, 3); item = 1; next }
item { sub(/^ */, ""); printf "    %s\n", $0; next }
{ printf "  * %s\n", $0; item = 1 }
END { finish() }
' "$news"
