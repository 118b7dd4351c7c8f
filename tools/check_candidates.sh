#!/usr/bin/env bash
# Checks on random requests that the candidate table agrees with Calculate:
# the first passing core at or after the start row is the one Calculate
# picks, with the same design. Builds check_candidates in build/tools first.
# Usage: tools/check_candidates.sh [--count N] [--seed S] [--coredat PATH]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/build/tools
"$root/scripts/deps.sh"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTOV_BUILD_GUI=OFF \
  -DTOV_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target check_candidates >/dev/null
cd "$root"
exec "$dir/bin/check_candidates" "$@"
