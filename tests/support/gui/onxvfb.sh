#!/usr/bin/env bash
# Runs a test program on an X server of its own, through Qt's xcb platform:
#   onxvfb.sh <program> [arguments...]
# Xvfb chooses a free display itself (-displayfd), so tests that run side by
# side, or on a machine where others run theirs, never share one.
set -euo pipefail
dir=$(mktemp -d)
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -rf "$dir"' EXIT
display=""
read -r display <"$dir/display" || true
if [ -z "$display" ]; then
    echo "onxvfb: the X server did not start (is xvfb installed? see packages.txt)" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
fi
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
