#!/usr/bin/env bash
# Builds (installing what is missing) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
./build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)"
