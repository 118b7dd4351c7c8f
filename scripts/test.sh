#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a plain build (whose Debian
# package is then built and checked), then one under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short fuzz smoke run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen

echo "== plain build"
"$root/scripts/build.sh" "$root/build/test"
ctest --test-dir "$root/build/test" --output-on-failure --timeout 300

echo "== the Debian package: its files, dependencies, desktop entry, metainfo and man pages"
"$root/scripts/package_check.sh" "$("$root/scripts/package.sh" "$root/build/test" | tail -n 1)"

echo "== printing on a real print queue"
"$root/scripts/print_test.sh" "$root/build/test"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
"$root/scripts/build.sh" "$root/build/sanitize" -DTOV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build/sanitize" --output-on-failure --timeout 600

echo "== fuzz smoke: the committed corpus replayed, then 6 s of each libFuzzer target"
"$root/scripts/fuzz.sh" 6
