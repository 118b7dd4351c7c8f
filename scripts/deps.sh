#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
# Usage: scripts/deps.sh [extra-package ...]
set -euo pipefail

# Qt Charts' CMake package needs the Qt OpenGL headers, which its Debian
# package does not pull in. ngspice simulates the exported SPICE models in
# the tests. ccache keeps the three builds of the test command from
# compiling the same file twice; python3-jsonschema checks tovcalc's JSON
# against its schema.
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
          qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
          qt6-qpa-plugins xvfb xauth poppler-utils clang libclang-rt-14-dev python3
          dpkg-dev file groff-base desktop-file-utils appstream nlohmann-json3-dev ngspice ccache
          python3-jsonschema "$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
