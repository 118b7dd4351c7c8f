#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs them, as
# many at a time as there are cores: each first replays the committed corpus
# (tools/fuzz/corpus: seeds and every input that once failed), then fuzzes
# for SECONDS.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 600); TOV_FUZZ_TARGETS
# ("batch sweep") runs only those targets; TOV_FUZZ_BUILD names a build tree
# configured with -DTOV_FUZZ=ON and clang (the test command's sanitizer
# build) to use instead of build/fuzz.
# New inputs collect in build/fuzz/corpus/<target>, failing ones in
# build/fuzz/artifacts/<target>, the output in build/fuzz/<target>.log; the
# script fails when any target failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
dir=${TOV_FUZZ_BUILD:-$root/build/fuzz}
targets=(${TOV_FUZZ_TARGETS:-coredat design_file design ngspice_output mas_import batch json_request csv_request sweep})

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  # Builds with debug information hash their folder unless told not to: clones
  # would then never share an object.
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ -z "${TOV_FUZZ_BUILD:-}" ]; then
  cmake -S "$root" -B "$dir" -DTOV_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DTOV_BUILD_GUI=OFF \
    -DTOV_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build "$dir" --parallel "$(nproc)" --target "${targets[@]/%/_fuzz}"

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# One target: its replay, then its fuzzing; what it prints goes to
# <target>.summary, printed whole when the target ends.
fuzz_target() {
  local target=$1
  local program=$dir/bin/${target}_fuzz seeds=$root/tools/fuzz/corpus/$target
  local work=$dir/corpus/$target artifacts=$dir/artifacts/$target/ log=$dir/$target.log
  local dict=$root/tools/fuzz/$target.dict options=() status=0
  mkdir -p "$work" "$artifacts"
  echo "== $target: replaying $(ls "$seeds" | wc -l) committed inputs, then ${seconds}s of fuzzing"
  "$program" -runs=0 "$seeds" >"$log" 2>&1 || { tail -n 40 "$log"; echo "$target: a committed input fails"; return 1; }
  [ -f "$dict" ] && options+=(-dict="$dict")
  "$program" "${options[@]}" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$work" "$seeds" >"$log" 2>&1 || status=$?
  grep -a -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|DONE' "$log" || true
  if [ "$status" -ne 0 ]; then
    grep -a -E -A 12 'FUZZ FAILURE|ERROR|runtime error' "$log" | head -n 40
    echo "$target: FAILED (log $log, input in $artifacts)"
    return 1
  fi
}

# As many targets at a time as there are cores; the script fails when any
# target failed, after the running ones end.
failed=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  {
    status=0
    fuzz_target "$target" >"$dir/$target.summary" 2>&1 || status=$?
    cat "$dir/$target.summary"
    exit "$status"
  } &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
