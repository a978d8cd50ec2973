#!/usr/bin/env bash
# Every shell script of the tree through shellcheck (from Debian): the .sh files, the templates that
# CMake fills in (.sh.in) and the scripts that only their first line names (check, play, .ci/run).
# A sourced file is followed from the folder of the script that sources it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts=()
while IFS= read -r file; do
  case "$file" in
    *.sh | *.sh.in) scripts+=("$file") ;;
    *) if [ -f "$file" ] && head -n 1 "$file" | grep -qE '^#!.*\b(ba)?sh\b'; then scripts+=("$file"); fi ;;
  esac
done < <(git ls-files)
[ ${#scripts[@]} -gt 0 ] || { echo "check-shell: no scripts to check" >&2; exit 1; }
shellcheck --external-sources --source-path=SCRIPTDIR "${scripts[@]}"
