#!/usr/bin/env bash
# Builds the desktop program and starts it. Without a display it runs under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTOV_BUILD_TESTS=OFF
program="$root/build/release/bin/tovdesign"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program under Xvfb (xvfb-run)."
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
