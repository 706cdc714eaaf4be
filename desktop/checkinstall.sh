#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the desktop gets
# from it: both programs, a valid menu entry, a valid software-centre
# description and the icon the menu entry names.
#   checkinstall.sh <build dir> <application id>
set -euo pipefail
build=$1
id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

cmake --install "$build" --prefix "$root/usr" >/dev/null
share=$root/usr/share
entry=$share/applications/$id.desktop

fail() { echo "checkinstall: $*" >&2; exit 1; }
for program in orvane707 orvane707-cal; do
    [ -x "$root/usr/bin/$program" ] || fail "bin/$program was not installed"
done
[ -f "$entry" ] || fail "the menu entry $id.desktop was not installed"
desktop-file-validate "$entry"
appstreamcli validate --no-net --pedantic "$share/metainfo/$id.metainfo.xml"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$entry")
svg=$share/icons/hicolor/scalable/apps/$icon.svg
[ -s "$svg" ] || fail "the icon $icon.svg was not installed"
grep -q '<svg' "$svg" || fail "$icon.svg is not an SVG drawing"
echo "checkinstall: programs, menu entry, metainfo and icon are in place and valid"
