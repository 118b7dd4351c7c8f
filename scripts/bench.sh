#!/usr/bin/env bash
# Builds in Release (build/release) and prints one table of the speed figures
# against their targets: the Google Benchmark timings (core database load,
# one SolveTurns, Calculate with the start-up inputs and in the worst case, the
# four curves of a design, opening the Curves window),
# tovcalc from process start to exit, and the desktop program from process
# start to its first shown window with its resident memory then.
# Usage: scripts/bench.sh [RUNS]   (runs of each program, default 20)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-20}
dir=$root/build/release
"$root/scripts/deps.sh"

cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTOV_BUILD_BENCHMARKS=ON \
  -DTOV_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target tov_bench tov_qt_bench tovcalc tovdesign \
  >/dev/null

# Google Benchmark: the median of 5 repetitions, in microseconds.
filter='BM_LoadCoreTable|BM_SolveTurns|BM_CalculateStartup|BM_CalculateWholeSection|BM_DesignCurves'
bench=$("$dir/bin/tov_bench" --benchmark_filter="$filter" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)
median_us() {
  awk -F, -v name="\"$1_median\"" '$1 == name {
    t = $4; u = $5; gsub(/"/, "", u)
    if (u == "ns") t /= 1000; else if (u == "ms") t *= 1000; else if (u == "s") t *= 1e6
    print t }' <<<"$bench"
}

# Opening the Curves window (offscreen), until painted, in wall-clock time:
# the first time in a fresh process (median of 5 processes), and again in a
# running one (median of 5 repetitions).
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
wall_ms() {  # benchmark name pattern
  awk -F, -v name="$1" '$1 ~ name { t = $3; u = $5; gsub(/"/, "", u)
    if (u == "us") t /= 1000; else if (u == "ns") t /= 1e6; print t }'
}
first_open_ms=$(for _ in 1 2 3 4 5; do
  "$dir/bin/tov_qt_bench" --benchmark_filter=BM_OpenCurvesWindowFirst --benchmark_format=csv \
    2>/dev/null | wall_ms BM_OpenCurvesWindowFirst
done | sort -n | sed -n 3p)
again_ms=$("$dir/bin/tov_qt_bench" --benchmark_filter='BM_OpenCurvesWindow$' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv \
  2>/dev/null | wall_ms 'BM_OpenCurvesWindow_median')

# tovcalc: its own script, mean of RUNS runs.
tovcalc_ms=$("$root/scripts/bench_tovcalc.sh" "$dir/bin/tovcalc" "$runs" |
  awk '/^runs:/ { print $4 }')
# The same timing of a process that does nothing: what starting any process costs here.
true_ms=$("$root/scripts/bench_tovcalc.sh" /bin/true "$runs" | awk '/^runs:/ { print $4 }')

# tovdesign: TOV_STARTUP_PROBE makes it close the disclaimer, print the time
# its window is shown and its memory, and quit. Median of RUNS runs.
TOV_STARTUP_PROBE=1 "$dir/bin/tovdesign" >/dev/null 2>&1
window_ms=() rss_kB=0 hwm_kB=0
for _ in $(seq "$runs"); do
  start=${EPOCHREALTIME/[.,]/}
  out=$(TOV_STARTUP_PROBE=1 "$dir/bin/tovdesign" 2>/dev/null)
  shown=$(sed -n 's/^shown_at_us=//p' <<<"$out")
  window_ms+=("$(awk -v d=$((shown - start)) 'BEGIN { printf "%.1f", d / 1000 }')")
  rss_kB=$(awk '/^VmRSS/ { print $2 }' <<<"$out")
  hwm_kB=$(awk '/^VmHWM/ { print $2 }' <<<"$out")
done
window_median=$(printf '%s\n' "${window_ms[@]}" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')

row() {  # name, value, unit, target, limit
  awk -v n="$1" -v v="$2" -v u="$3" -v t="$4" -v l="$5" 'BEGIN {
    printf "| %-44s | %10.2f %-2s | %-9s | %-7s |\n", n, v, u, t, (l >= 1e300 ? "-" : v < l ? "met" : "NOT met") }'
}
echo "| Measure                                      |      Value    | Target    | Result  |"
echo "|----------------------------------------------|---------------|-----------|---------|"
row "Core database load (LoadCoreTable)" "$(median_us BM_LoadCoreTable)" us "< 1 ms" 1000
row "One SolveTurns" "$(median_us BM_SolveTurns)" us "-" 1e300
row "Calculate, start-up inputs" "$(median_us BM_CalculateStartup)" us "< 20 us" 20
row "Calculate, worst case (whole section)" "$(median_us BM_CalculateWholeSection)" us "< 200 us" 200
row "All four curves of a design (Molypermalloy)" "$(median_us BM_DesignCurves)" us "< 1 ms" 1000
row "Curves window, first opening in a process" "$first_open_ms" ms "< 200 ms" 200
row "Curves window, opening again" "$again_ms" ms "< 200 ms" 200
row "tovcalc, process start to exit (mean)" "$tovcalc_ms" ms "< 20 ms" 20
row "empty process (/bin/true), for comparison" "$true_ms" ms "-" 1e300
row "tovdesign, start to first window (median)" "$window_median" ms "< 400 ms" 400
row "tovdesign, resident memory after start" "$(awk -v k="$rss_kB" 'BEGIN { print k / 1024 }')" MB "< 80 MB" 80
row "tovdesign, peak resident memory (VmHWM)" "$(awk -v k="$hwm_kB" 'BEGIN { print k / 1024 }')" MB "< 80 MB" 80
