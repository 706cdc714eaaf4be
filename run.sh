#!/usr/bin/env bash
# Builds (installing what is missing) and starts the program:
#   ./run.sh [--demo] [file.cal]     --demo: with a simulated calibrator
set -euo pipefail
cd "$(dirname "$0")"
./build.sh
exec ./build/orvane707 "$@"
