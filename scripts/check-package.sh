#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks what
# it installs: the file list, the desktop entry (desktop-file-validate), the
# AppStream metadata (appstreamcli) and lintian, which must find no error
# (its warnings are printed).
#
#   scripts/check-package.sh [BUILD_DIR]      default build/test
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build/test}")
out=$build/package
app_id=$(sed -n 's/^set(NVR_APP_ID \([^)]*\))$/\1/p' CMakeLists.txt)

rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
deb=$(echo "$out"/nvrwizard_*.deb)
echo "package: $deb"
dpkg-deb -x "$deb" "$out/root"

python3 scripts/check-package-contents.py "$deb" "$out/root" "$app_id"
desktop-file-validate "$out/root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$out/root/usr/share/metainfo/$app_id.metainfo.xml"
lintian --fail-on error --tag-display-limit 0 "$deb" 2> >(grep -v 'root privileges' >&2)
echo "package checks passed"
