#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a plain build with g++ (whose
# Debian package is then built and checked, and whose warnings fail the
# build), then one clang build under AddressSanitizer and
# UndefinedBehaviorSanitizer that also holds the libFuzzer targets, which a
# short fuzz smoke run then replays and fuzzes, as many targets at a time as
# there are cores. ccache, when installed, keeps a second run from compiling
# an unchanged file again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen

# Each stage's heading says how long the command had run when it began.
stage() { echo "== $1 (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }

# Both builds keep only the debug information a backtrace needs (the line
# tables and function names): full information made compiling a third slower.
stage "plain build"
"$root/scripts/build.sh" "$root/build/test" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
ctest --test-dir "$root/build/test" --output-on-failure --timeout 300

stage "the Debian package: its files, dependencies, desktop entry, metainfo and man pages"
"$root/scripts/package_check.sh" "$("$root/scripts/package.sh" "$root/build/test" | tail -n 1)"

stage "printing on a real print queue"
"$root/scripts/print_test.sh" "$root/build/test"

stage "AddressSanitizer + UndefinedBehaviorSanitizer build (clang, with the fuzz targets)"
# The g++ build above is the warning gate; clang's own warnings do not stop this one.
# -O1 is what the sanitizers' and libFuzzer's own guides build with.
"$root/scripts/build.sh" "$root/build/sanitize" -DCMAKE_CXX_COMPILER=clang++ -DTOV_SANITIZE=ON \
  -DTOV_FUZZ=ON -DTOV_WERROR=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build/sanitize" --output-on-failure --timeout 600

stage "fuzz smoke: the committed corpus replayed, then 6 s of each libFuzzer target"
TOV_FUZZ_BUILD="$root/build/sanitize" "$root/scripts/fuzz.sh" 6
stage "done"
