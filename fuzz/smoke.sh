#!/usr/bin/env bash
# A short run of every fuzz target of a fuzz build: fuzz/smoke.sh <build-dir> [seconds, default 30].
# Fails when a target finds a crash, a leak or a sanitizer report.
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-30}
status=0
root=$(cd "$(dirname "$0")/.." && pwd)
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for fuzzer in "$build"/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    area=$(basename "$fuzzer" _fuzz)
    work=$(mktemp -d)
    mkdir "$work/corpus"
    seeds="$build/fuzz-seeds/$area"
    mkdir -p "$seeds"
    echo "== $area: ${seconds}s"
    if ! (cd "$work" && "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
            -artifact_prefix="$build/$area-" "$work/corpus" "$seeds" 2>"$work/log"); then
        echo "$area: FAILED, see the artifact under $build" >&2
        tail -n 40 "$work/log" >&2
        status=1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$work/log" || true
    rm -rf "$work"
done
exit $status
