# shellcheck shell=bash
# The latency benches' reading of their stamps, sourced by bench/latency_side_by_side.sh and
# bench/latency_wine.sh. All times are seconds on one clock.

# Pairs each press of <keys> (time, name) with the first present of <presents> after it, and before
# the next press, in which a watched square differs from the last present before it, and prints
# "key <ms>"; where that frame started a sound, "sound <ms>" from its Play to the first sound of
# <heard> after it. A line of <presents>: time, the frame's last sound lock or 0, a sum a square.
pair() {
  awk '
    FILENAME == ARGV[1] { keys[++nk] = $1; next }
    FILENAME == ARGV[2] { heard[++nh] = $1; next }
    { t[++np] = $1; lock[np] = $2; spots = NF - 2; for (s = 1; s <= spots; ++s) sum[np, s] = $(s + 2) }
    function changed(a, b,   s) { for (s = 1; s <= spots; ++s) if (sum[a, s] != sum[b, s]) return 1; return 0 }
    END {
      p = 1
      for (k = 1; k <= nk; ++k) {
        while (p <= np && t[p] < keys[k]) ++p
        if (p < 2 || p > np) continue
        for (q = p; q <= np && !changed(q, p - 1) && (k == nk || t[q] < keys[k + 1]); ++q) {}
        if (q > np || (k < nk && t[q] >= keys[k + 1])) continue
        printf "key %.3f\n", (t[q] - keys[k]) * 1000
        if (lock[q] == 0) continue
        for (h = 1; h <= nh && heard[h] < lock[q]; ++h) {}
        if (h <= nh && heard[h] - lock[q] < 0.2) printf "sound %.3f\n", (heard[h] - lock[q]) * 1000
      }
    }' "$1" "$2" "$3"
}

# Prints "<p50> <p90> <count>" of the figures of <kind> in <file>.
percentiles() {
  awk -v kind="$1" '$1 == kind { print $2 }' "$2" | sort -n |
    awk '{ v[NR] = $1 } END { if (NR == 0) print "- - 0"; else printf "%.1f %.1f %d\n", v[int(NR * 0.5) + 1], v[int(NR * 0.9) + 1], NR }'
}
