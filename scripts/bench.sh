#!/usr/bin/env bash
# Builds in Release (build/release) and prints one table of the speed figures,
# each beside a baseline measured in the same run:
# - Calculate (start-up inputs, and a whole section walked to "Too Large")
#   against the engine of a pinned earlier commit, built in build/baseline
#   from `git archive` of that commit and timed in turns with this one;
# - tovcalc from process start to exit against /bin/true, in turns;
# - a batch of 10,000 designs in one tovcalc against the same 10,000 designs
#   as 10,000 tovcalc processes started from a shell loop, with the check
#   that each batch line holds what its single run prints;
# - the core database load, one SolveTurns, every core compared (as the
#   Compare Cores window and tovcalc --candidates do), the four curves of a
#   design, opening the Curves window, and the desktop program's start and
#   memory, against their targets.
# Usage: scripts/bench.sh [RUNS]   (runs of each timed program, default 20)
# Environment: TOV_BASELINE (commit of the baseline engine, default 389c8fa),
#              TOV_PROCESSES (processes of the batch comparison, default 10000).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-20}
baseline=${TOV_BASELINE:-389c8fa}
processes=${TOV_PROCESSES:-10000}
dir=$root/build/release
base_src=$root/build/baseline-src
base_dir=$root/build/baseline
"$root/scripts/deps.sh"

cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTOV_BUILD_BENCHMARKS=ON \
  -DTOV_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target tov_bench tov_qt_bench tovcalc tovdesign \
  >/dev/null

# The baseline engine: the pinned commit's own sources and build files.
rm -rf "$base_src" && mkdir -p "$base_src"
git -C "$root" archive "$baseline" | tar -x -C "$base_src"
cmake -S "$base_src" -B "$base_dir" -DCMAKE_BUILD_TYPE=Release -DTOV_BUILD_BENCHMARKS=ON \
  -DTOV_BUILD_TESTS=OFF -DTOV_BUILD_GUI=OFF >/dev/null
cmake --build "$base_dir" --parallel "$(nproc)" --target tov_bench >/dev/null

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# Google Benchmark CPU time of one benchmark, in microseconds.
bench_us() {  # program, benchmark name
  "$1" --benchmark_filter="^$2\$" --benchmark_format=csv 2>/dev/null | awk -F, -v name="\"$2\"" '
    $1 == name { t = $4; u = $5; gsub(/"/, "", u)
      if (u == "ns") t /= 1000; else if (u == "ms") t *= 1000; else if (u == "s") t *= 1e6
      print t }'
}

# This engine and the baseline's in turns, 5 rounds; the median of each and
# of the ratios round by round.
calculate_row() {  # benchmark name, caption
  local new=() old=() ratio=()
  for _ in 1 2 3 4 5; do
    local n o
    n=$(bench_us "$dir/bin/tov_bench" "$1")
    o=$(bench_us "$base_dir/bin/tov_bench" "$1")
    new+=("$n") old+=("$o") ratio+=("$(awk -v a="$o" -v b="$n" 'BEGIN { print a / b }')")
  done
  printf '%s|%s|us|%s|%s\n' "$2" "$(printf '%s\n' "${new[@]}" | median)" \
    "$(printf '%s\n' "${old[@]}" | median) us (engine of $baseline)" \
    "$(printf '%s\n' "${ratio[@]}" | median)x faster"
}

# tovcalc and /bin/true in turns, RUNS each, wall time from EPOCHREALTIME.
process_row() {
  local program=$dir/bin/tovcalc calc=() empty=()
  "$program" >/dev/null
  for _ in $(seq "$runs"); do
    local start=${EPOCHREALTIME/[.,]/}
    "$program" >/dev/null
    local middle=${EPOCHREALTIME/[.,]/}
    /bin/true
    local end=${EPOCHREALTIME/[.,]/}
    calc+=($((middle - start))) empty+=($((end - middle)))
  done
  local c e
  c=$(printf '%s\n' "${calc[@]}" | median)
  e=$(printf '%s\n' "${empty[@]}" | median)
  printf 'tovcalc, process start to exit (median)|%s|ms|%s ms (/bin/true)|%s x /bin/true\n' \
    "$(awk -v t="$c" 'BEGIN { print t / 1000 }')" "$(awk -v t="$e" 'BEGIN { print t / 1000 }')" \
    "$(awk -v a="$c" -v b="$e" 'BEGIN { print a / b }')"
}

# The sweep of the comparison: 4 materials x 50 currents x 50 inductances.
sweep=(--sweep material=mpp,hf,velmax,velmax-e --sweep idc=1:50:1 --sweep lfl=20:1000:20 --lnl 2000)
batch_rows() {
  local work
  work=$(mktemp -d)
  local program=$dir/bin/tovcalc
  local start=${EPOCHREALTIME/[.,]/}
  "$program" "${sweep[@]}" --json >"$work/batch.jsonl" || true
  local batch_us=$((${EPOCHREALTIME/[.,]/} - start))
  # The same requests, one process each, as a script would run them.
  { "$program" "${sweep[@]}" --csv || true; } | awk -F, -v n="$processes" 'NR > 1 && NR <= n + 1 {
    print $2, $3, $7 }' >"$work/requests"
  start=${EPOCHREALTIME/[.,]/}
  while read -r material idc lfl; do
    "$program" --material "$material" --idc "$idc" --lfl "$lfl" --lnl 2000 --json \
      >>"$work/single.json" || true
  done <"$work/requests"
  local single_us=$((${EPOCHREALTIME/[.,]/} - start))
  local same
  same=$(python3 - "$work/batch.jsonl" "$work/single.json" <<'EOF'
import json, sys
batch = [json.loads(line) for line in open(sys.argv[1])]
decoder, text, singles, pos = json.JSONDecoder(), open(sys.argv[2]).read(), [], 0
while pos < len(text.rstrip()):
    obj, pos = decoder.raw_decode(text, pos)
    singles.append(obj)
    while pos < len(text) and text[pos].isspace():
        pos += 1
for b in batch:
    b.pop("request"); b.pop("line")
print(sum(b == s for b, s in zip(batch, singles)), "of", len(singles))
EOF
)
  rm -rf "$work"
  local designs per_process_us
  designs=$(awk -v us="$batch_us" 'BEGIN { print 10000 / (us / 1e6) }')
  # The processes' time scaled to 10,000 when fewer ran.
  per_process_us=$(awk -v t="$single_us" -v n="$processes" 'BEGIN { print t / n }')
  printf 'Batch of 10,000 designs (--json), one process|%s|ms|%s ms (10,000 processes)|1/%s of the processes\n' \
    "$(awk -v t="$batch_us" 'BEGIN { print t / 1000 }')" \
    "$(awk -v t="$per_process_us" 'BEGIN { print t * 10000 / 1000 }')" \
    "$(awk -v b="$batch_us" -v p="$per_process_us" 'BEGIN { printf "%.0f", p * 10000 / b }')"
  printf 'Batch, designs per second|%s|/s|%s /s (processes)|output equal: %s\n' "$designs" \
    "$(awk -v t="$per_process_us" 'BEGIN { print 1e6 / t }')" "$same"
}

target_row() {  # caption, value, unit, target, limit
  printf '%s|%s|%s|%s|%s\n' "$1" "$2" "$3" "$4" "$(awk -v v="$2" -v l="$5" 'BEGIN { print (v < l ? "met" : "NOT met") }')"
}

# tovdesign: TOV_STARTUP_PROBE makes it close the disclaimer, print the time
# its window is shown and its memory, and quit. Median of RUNS runs.
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
window_rows() {
  TOV_STARTUP_PROBE=1 "$dir/bin/tovdesign" >/dev/null 2>&1
  local window_ms=() rss_kB=0 hwm_kB=0
  for _ in $(seq "$runs"); do
    local start=${EPOCHREALTIME/[.,]/} out shown
    out=$(TOV_STARTUP_PROBE=1 "$dir/bin/tovdesign" 2>/dev/null)
    shown=$(sed -n 's/^shown_at_us=//p' <<<"$out")
    window_ms+=("$(awk -v d=$((shown - start)) 'BEGIN { printf "%.1f", d / 1000 }')")
    rss_kB=$(awk '/^VmRSS/ { print $2 }' <<<"$out")
    hwm_kB=$(awk '/^VmHWM/ { print $2 }' <<<"$out")
  done
  target_row "tovdesign, start to first window (median)" \
    "$(printf '%s\n' "${window_ms[@]}" | median)" ms "< 400 ms" 400
  target_row "tovdesign, resident memory after start" "$(awk -v k="$rss_kB" 'BEGIN { print k / 1024 }')" MB "< 80 MB" 80
  target_row "tovdesign, peak resident memory (VmHWM)" "$(awk -v k="$hwm_kB" 'BEGIN { print k / 1024 }')" MB "< 80 MB" 80
}

# Opening the Curves window (offscreen), until painted, in wall-clock time:
# the first time in a fresh process (median of 5 processes), and again in a
# running one (median of 5 repetitions).
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

{
  echo "Measure|Value|Unit|Baseline, same run|Result"
  calculate_row BM_CalculateStartup "Calculate, start-up inputs (CPU)"
  calculate_row BM_CalculateWholeSection "Calculate, whole section to Too Large (CPU)"
  process_row
  batch_rows
  target_row "Core database load (LoadCoreTable, CPU)" "$(bench_us "$dir/bin/tov_bench" BM_LoadCoreTable)" us "< 1 ms" 1000
  target_row "One SolveTurns (CPU)" "$(bench_us "$dir/bin/tov_bench" BM_SolveTurns)" us "< 2 us" 2
  target_row "Every core compared, 4 materials, 1-5 cores (CPU)" \
    "$(bench_us "$dir/bin/tov_bench" BM_CandidatesAllMaterialsFiveStacks)" us "< 5 ms" 5000
  target_row "Compare Cores window, lines of the table (CPU)" \
    "$(bench_us "$dir/bin/tov_bench" BM_CompareTableLines)" us "-" 1e300
  target_row "All four curves of a design (CPU)" "$(bench_us "$dir/bin/tov_bench" BM_DesignCurves)" \
    us "< 1 ms" 1000
  target_row "Curves window, first opening in a process" "$first_open_ms" ms "< 200 ms" 200
  target_row "Curves window, opening again" "$again_ms" ms "< 200 ms" 200
  window_rows
} | awk -F'|' '{ printf "| %-46s | %12s %-3s | %-32s | %-26s |\n", $1, $2, $3, $4, $5 }
  NR == 1 { printf "|%s|%s|%s|%s|\n", "------------------------------------------------",
            "------------------", "----------------------------------", "----------------------------" }'
