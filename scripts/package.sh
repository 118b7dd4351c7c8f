#!/usr/bin/env bash
# Builds the Debian package with CPack and prints its path.
# Usage: scripts/package.sh [BUILD_DIR]
#   without BUILD_DIR: a Release build in build/package (without the tests);
#   with BUILD_DIR: that build tree, brought up to date, is packaged.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
if [ $# -eq 0 ]; then
  dir=$root/build/package
  "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Release -DTOV_BUILD_TESTS=OFF >/dev/null
else
  dir=$(cd "$1" && pwd)
  cmake --build "$dir" --parallel "$(nproc)" >/dev/null
fi
rm -rf "$dir/dist"
(cd "$dir" && cpack -G DEB -B "$dir/dist" >/dev/null)
ls "$dir"/dist/*.deb
