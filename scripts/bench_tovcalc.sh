#!/usr/bin/env bash
# Times tovcalc from process start to exit with the start-up inputs.
# Usage: scripts/bench_tovcalc.sh [TOVCALC] [RUNS]
#   TOVCALC  the program (default: build/release/bin/tovcalc, else build/bin/tovcalc)
#   RUNS     number of timed runs (default 50); the target is a mean below 20 ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-}
if [ -z "$program" ]; then
  for candidate in "$root/build/release/bin/tovcalc" "$root/build/bin/tovcalc"; do
    if [ -x "$candidate" ]; then program=$candidate; break; fi
  done
fi
if [ -z "$program" ] || [ ! -x "$program" ]; then
  echo "tovcalc not found; build it first (scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release)" >&2
  exit 2
fi
runs=${2:-50}
if [ -z "${EPOCHREALTIME:-}" ]; then
  echo "bash 5 or later is needed (EPOCHREALTIME)" >&2
  exit 2
fi

# One untimed run warms the file cache and checks that the program works.
"$program" >/dev/null

# EPOCHREALTIME (seconds with microseconds) is read without starting a
# process, so the timings hold tovcalc's own start-up, run and exit only.
times_us=()
for _ in $(seq "$runs"); do
  start=${EPOCHREALTIME/[.,]/}
  "$program" >/dev/null
  end=${EPOCHREALTIME/[.,]/}
  times_us+=($((end - start)))
done

printf '%s\n' "${times_us[@]}" | sort -n | awk -v program="$program" '
  { t[NR] = $1 / 1e3; sum += t[NR] }
  END {
    mean = sum / NR
    printf "tovcalc: %s\n", program
    printf "runs: %d  mean: %.2f ms  median: %.2f ms  min: %.2f ms  max: %.2f ms\n",
           NR, mean, t[int((NR + 1) / 2)], t[1], t[NR]
    printf "target: mean below 20 ms: %s\n", (mean < 20 ? "met" : "NOT met")
  }'
