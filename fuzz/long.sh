#!/usr/bin/env bash
# A long run of every fuzz target of a fuzz build, one after the other:
#   fuzz/long.sh [build-dir, default build/fuzz] [minutes each, default 10]
# Prints each target's executions, executions a second and peak memory, and fails when a target
# finds a crash, a leak or a sanitizer report (the input lands in the build dir). The inputs that
# the run found and that add coverage to the generated seeds, the smallest first and 32 KiB at
# most, replace fuzz/seeds/<area>.txt, the text seeds that the short runs of ./check start from.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/fuzz}" && pwd)
minutes=${2:-10}
budget=32768
status=0
export LSAN_OPTIONS="suppressions=$here/../tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for fuzzer in "$build"/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    area=$(basename "$fuzzer" _fuzz)
    work=$(mktemp -d)
    mkdir "$work/corpus" "$work/kept"
    seeds="$build/fuzz-seeds/$area"
    mkdir -p "$seeds"
    echo "== $area: ${minutes} min"
    if ! (cd "$work" && "$fuzzer" -max_total_time=$((minutes * 60)) -print_final_stats=1 -rss_limit_mb=2048 \
            -artifact_prefix="$build/$area-" "$work/corpus" "$seeds" 2>"$work/log"); then
        echo "$area: FAILED, see the artifact under $build" >&2
        tail -n 40 "$work/log" >&2
        status=1
        rm -rf "$work"
        continue
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$work/log" || true

    # The generated seeds first, so that only what adds to them is kept.
    cp "$seeds"/* "$work/kept/" 2>/dev/null || true
    ls "$work/kept" > "$work/generated"
    (cd "$work" && "$fuzzer" -merge=1 "$work/kept" "$work/corpus" 2>"$work/merge.log") || {
        echo "$area: the merge failed" >&2
        tail -n 20 "$work/merge.log" >&2
        status=1
        rm -rf "$work"
        continue
    }
    text="$here/seeds/$area.txt"
    {
        echo "# Inputs that long runs of the $area fuzzer found, one a line in hex (fuzz/long.sh)."
        total=0
        while read -r size name; do
            grep -qxF "$name" "$work/generated" && continue
            [ $((total + size)) -le $budget ] || break
            total=$((total + size))
            od -An -v -tx1 "$work/kept/$name" | tr -d ' \n'
            echo
        done < <(cd "$work/kept" && find . -maxdepth 1 -type f -printf '%s %f\n' | sort -n)
    } > "$text.new"
    mv "$text.new" "$text"
    echo "$area: $(grep -vc '^#' "$text") inputs kept in fuzz/seeds/$area.txt"
    rm -rf "$work"
done
exit $status
