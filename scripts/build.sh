#!/usr/bin/env bash
# Configures and builds one build tree. Usage: scripts/build.sh DIR [cmake options ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
launcher=()
if command -v ccache >/dev/null; then
  # Paths below the checkout hash as relative ones, so that clones share the cache.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  # Builds with debug information hash their folder unless told not to: clones
  # would then never share an object.
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -DTOV_WERROR=ON "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
