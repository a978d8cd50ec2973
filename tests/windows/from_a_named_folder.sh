#!/usr/bin/env bash
# A suite as a player would keep the program: copied with its fonts into a folder
# whose name has spaces and letters beyond ASCII and beyond any one code page, and started from
# another folder, so that what it finds it finds from the program's own folder.
# Usage: from_a_named_folder.sh <build folder> <suite .exe> [arguments]
set -euo pipefail
build="$(realpath "$1")"
suite="$2"
shift 2
home="$build/named-folder"
folder="$home/Prüfungen für Ωmega"
rm -rf "$home"
mkdir -p "$folder"
cp "$suite" "$folder/"
cp -r "$build/fonts" "$folder/"
cd "$home"
exec "$build/wine.sh" "$folder/$(basename "$suite")" "$@"
