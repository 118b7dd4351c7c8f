#!/usr/bin/env bash
# Prints the report of the desktop program on a real print queue and checks
# what comes out.
#
# Sets up CUPS with the cups-pdf printer (Debian packages cups and
# printer-driver-cups-pdf; installed with apt-get, through sudo when not root),
# makes it the default printer, presses Print in the main window after
# Calculate, waits for one PDF of one page to arrive and checks with pdftotext
# that it holds the report's lines. When no print queue can be set up, it
# checks the program's way out instead: the report saved as a PDF file.
#
# Usage: scripts/print_test.sh [BUILD_DIR]   (default build/print)
# Every step is bounded in time; the script never waits on a prompt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/print}
queue=TovPdf
export QT_QPA_PLATFORM=offscreen
export DEBIAN_FRONTEND=noninteractive

say() { echo "print_test: $*"; }
fail() { say "FAILED: $*"; exit 1; }

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then sudo="sudo -n"; else sudo="none"; fi
fi
as_root() {
  [ "$sudo" = "none" ] && return 1
  # shellcheck disable=SC2086
  timeout 300 $sudo "$@"
}

# The test program.
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DTOV_WERROR=ON >/dev/null
cmake --build "$build" --target tov_qt_tests --parallel "$(nproc)" >/dev/null
tests="$build/bin/tov_qt_tests"
[ -x "$tests" ] || fail "no test program at $tests"

# Checks the text of a report PDF against the values the window showed.
# $1: the PDF, $2: file of name=value lines from the test program.
check_report() {
  local pdf=$1 values=$2 pages text
  pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  [ "$pages" = "1" ] || fail "$pdf has ${pages:-no} pages, expected one"
  text=$(pdftotext -layout "$pdf" - | tr -s ' ')
  local expected=("Corvane DC Inductor Design" "Inductance Factor:" "Temp. Rise (degrees C):")
  while IFS='=' read -r name value; do
    case $name in
      txtPN) expected+=("Part Number: $value") ;;
      txtTurns) expected+=("Turns: $value") ;;
      txtDCR) expected+=("DC Resistance: $value Ohms") ;;
      txtTrise) expected+=("Temp. Rise (degrees C): $value") ;;
    esac
  done <"$values"
  [ ${#expected[@]} -eq 7 ] || fail "the test program did not report the window's values"
  for line in "${expected[@]}"; do
    grep -qF -- "$line" <<<"$text" || fail "the printed report lacks \"$line\"; it reads:"$'\n'"$text"
  done
  say "the printed report holds the expected lines:"
  echo "$text" | sed '/^[[:space:]]*$/d; s/^/    /'
}

# The way out when there is no printer: the report saved as a PDF file.
check_fallback() {
  say "checking the PDF file offered when there is no printer instead"
  timeout 300 "$tests" --gtest_filter='ReportPrinting.*' --gtest_brief=1 ||
    fail "the PDF fallback tests failed"
  say "PASSED (PDF fallback; no print queue was available)"
  exit 0
}

# CUPS with the cups-pdf printer.
setup_queue() {
  if ! command -v cupsd >/dev/null || ! dpkg-query -W -f='${Status}' printer-driver-cups-pdf 2>/dev/null |
    grep -q 'install ok installed'; then
    say "installing cups and printer-driver-cups-pdf"
    as_root apt-get update -qq >/dev/null || return 1
    as_root apt-get install -y -qq --no-install-recommends cups cups-client cups-bsd \
      printer-driver-cups-pdf >/dev/null || return 1
  fi
  if ! timeout 10 lpstat -r 2>/dev/null | grep -q 'is running'; then
    say "starting the CUPS scheduler"
    as_root cupsd || true
    for _ in $(seq 1 30); do
      timeout 5 lpstat -r 2>/dev/null | grep -q 'is running' && break
      sleep 1
    done
    timeout 10 lpstat -r 2>/dev/null | grep -q 'is running' || return 1
  fi
  # A machine with a default printer of its own keeps it: the test would
  # otherwise print on paper or change the user's choice. CI has none.
  local current
  current=$(timeout 10 lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
  if [ -n "$current" ] && [ "$current" != "$queue" ]; then
    say "the default printer is $current; leaving it as it is"
    return 1
  fi
  local ppd
  ppd=$(timeout 30 lpinfo -m 2>/dev/null | awk 'tolower($0) ~ /cups-pdf/ {print $1; exit}')
  [ -n "$ppd" ] || return 1
  # cups-pdf gets PostScript from the pdftops filter. Its default renderers
  # (Ghostscript, poppler's pdftops) turn the program's subset fonts into
  # fonts without a character map, so the printed PDF would hold no readable
  # text; the Cairo renderer keeps it.
  as_root lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" \
    -o pdftops-renderer-default=pdftocairo || return 1
  as_root lpadmin -d "$queue" || return 1
  as_root cupsenable "$queue" || true
  as_root cupsaccept "$queue" || true
  timeout 10 lpstat -d 2>/dev/null | grep -q "$queue" || return 1
}

if ! setup_queue; then
  say "no print queue could be set up"
  check_fallback
fi
say "default printer: $(timeout 10 lpstat -d 2>/dev/null)"

# Where cups-pdf puts its files: the configured folder of the user, or the
# spool folder for anonymous jobs.
out_dirs=("$HOME/PDF" /var/spool/cups-pdf)
conf_out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | head -1)
[ -n "$conf_out" ] && out_dirs+=("${conf_out//\$\{HOME\}/$HOME}")
marker=$(mktemp)
values=$(mktemp)
trap 'rm -f "$marker" "$values"' EXIT
sleep 1  # file times must be newer than the marker

say "pressing Print in the main window"
# (Not tee /dev/stderr: reopening a log file that stderr points to would empty it.)
run=$(TOV_REAL_PRINTER=1 timeout 120 "$tests" --gtest_filter='RealPrinter.*' --gtest_brief=1) ||
  { echo "$run"; fail "the print run failed"; }
echo "$run"
grep -E '^txt[A-Za-z]+=' <<<"$run" >"$values" || fail "the print run showed no values"

say "waiting for the printed PDF"
# The PDF files that arrived since the marker, each once.
arrived() {
  find "${out_dirs[@]}" -name '*.pdf' -not -path '*/SPOOL/*' -newer "$marker" 2>/dev/null |
    xargs -r -n1 realpath 2>/dev/null | sort -u
}
pdf=""
for _ in $(seq 1 60); do
  pdf=$(arrived | head -1)
  [ -n "$pdf" ] && break
  sleep 1
done
if [ -z "$pdf" ]; then
  say "no PDF arrived within 60 s; the queue reads:"
  timeout 10 lpstat -W all -o 2>/dev/null || true
  fail "the print job did not come out of the queue"
fi
sleep 2  # let cups-pdf finish writing the file
count=$(arrived | wc -l)
[ "$count" -eq 1 ] || fail "$count PDF files arrived, expected one"
say "received $pdf"
check_report "$pdf" "$values"
say "PASSED (printed on $queue)"
