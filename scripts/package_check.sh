#!/usr/bin/env bash
# Checks a built Debian package without installing it: the files it holds,
# the dependencies it declares, its desktop entry and AppStream metainfo (with
# the freedesktop validators) and its man pages, and that tovcalc run from the
# unpacked /usr/bin finds the core database under /usr/share.
# Usage: scripts/package_check.sh PACKAGE.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$1
package=corvane-inductor-design
app=com.example.corvane.tovdesign
fail() { echo "package_check: FAILED: $*" >&2; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|')
expected=(/usr/bin/tovdesign /usr/bin/tovcalc "/usr/share/$package/coredat"
  "/usr/share/applications/$app.desktop" "/usr/share/icons/hicolor/scalable/apps/$app.svg"
  "/usr/share/mime/packages/$app.xml" "/usr/share/metainfo/$app.metainfo.xml"
  /usr/share/man/man1/tovdesign.1.gz /usr/share/man/man1/tovcalc.1.gz
  "/usr/share/doc/$package/copyright")
for page in "$root"/data/help/*; do expected+=("/usr/share/$package/help/$(basename "$page")"); done
for file in "${expected[@]}"; do
  grep -qxF -- "$file" <<<"$files" || fail "$deb lacks $file"
done
outside=$(grep -v '^/usr/' <<<"$files" | grep -vx '/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins; do
  grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/$app.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$app.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate"
for page in tovdesign tovcalc; do
  warnings=$(gzip -dc "$unpacked/usr/share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done
"$unpacked/usr/bin/tovcalc" --list >/dev/null || fail "tovcalc does not find its core database"
echo "package_check: $(basename "$deb") holds ${#expected[@]} expected files; Depends: $depends"
