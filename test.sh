#!/usr/bin/env bash
# Builds (installing what is missing), with compiler warnings as errors, and
# runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
ORVANE_WERROR=ON ./build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)"
