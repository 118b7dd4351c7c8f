#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root and uses it there as
# a new user would: `apt install ./corvane*.deb` must pull in everything, both
# programs run from /usr/bin (tovdesign under xvfb-run, opening a design file
# named on its command line), and xdg-mime must know the design-file type and
# the program that opens it. Needs root (or sudo) and the Debian mirror; takes
# a few minutes, so it is not part of scripts/test.sh.
# Usage: scripts/package_test.sh [PACKAGE.deb]   (default: scripts/package.sh builds one)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
"$root/scripts/deps.sh" mmdebstrap
deb=${1:-$("$root/scripts/package.sh" | tail -n 1)}
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
work=$(mktemp -d)
trap '$sudo rm -rf "$work"' EXIT

# Runs inside the new root.
cat >"$work/inside.sh" <<'INSIDE'
set -eu
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
step() { echo "== $*"; }
cd /tmp
# Recommended packages are taken, as apt takes them on an installed Debian.
echo "apt setting of this root: $(apt-config dump | grep -i 'Install-Recommends' || echo none)"
step "apt install ./$(basename /tmp/deb/*.deb), recommended packages included"
apt-get install -y -q -o APT::Install-Recommends=true /tmp/deb/*.deb >apt.txt 2>&1 || { cat apt.txt; exit 1; }
echo "$(grep -c '^Setting up' apt.txt) packages set up, among them:"
grep -E '^Setting up (corvane|libqt6widgets6|qt6-qpa-plugins|shared-mime-info|desktop-file-utils|xdg-utils)' apt.txt
dpkg -s corvane-inductor-design | grep -E '^(Status|Version):'
apt-get install -y -q --no-install-recommends xvfb xauth >/dev/null 2>&1  # the test's own display

printf '0\r\n0\r\n"10"\r\n"2"\r\n"100"\r\n"600"\r\n"100"\r\n"150"\r\n"35"\r\n3\r\n1\r\n20\r\n1\r\n0\r\n' >x.tov
step "tovcalc x.tov (from $(command -v tovcalc))"
tovcalc x.tov >calc.txt
head -n 8 calc.txt
step "tovdesign x.tov under xvfb-run (from $(command -v tovdesign)), start-up probe"
TOV_STARTUP_PROBE=1 xvfb-run -a tovdesign x.tov >probe.txt 2>&1
grep -E '^(title=|shown_at_us=|VmRSS:)' probe.txt
step "xdg-mime"
type=$(xdg-mime query filetype x.tov)
echo "xdg-mime query filetype x.tov: $type"
echo "xdg-mime query default $type: $(xdg-mime query default "$type")"
INSIDE

echo "package_test: building a Debian 12 root with mmdebstrap from $mirror"
$sudo mmdebstrap --variant=apt --quiet bookworm "$work/root" "$mirror" \
  --customize-hook="mkdir -p \"\$1/tmp/deb\"" \
  --customize-hook="copy-in $deb $work/inside.sh /tmp/deb" \
  --customize-hook='chroot "$1" sh /tmp/deb/inside.sh' 2>&1 | tee "$work/log"

grep -q '^title=x.tov' "$work/log" || { echo "package_test: FAILED: tovdesign did not open x.tov"; exit 1; }
grep -q '^xdg-mime query filetype x.tov: application/x-corvane-tov$' "$work/log" ||
  { echo "package_test: FAILED: the design-file type is not known"; exit 1; }
grep -q 'application/x-corvane-tov: com.example.corvane.tovdesign.desktop$' "$work/log" ||
  { echo "package_test: FAILED: tovdesign does not open design files"; exit 1; }
echo "package_test: PASSED"
