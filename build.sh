#!/usr/bin/env bash
# Installs whatever packages.txt lists and the machine lacks, then configures
# and builds into build/. run.sh and test.sh both start here; test.sh sets
# ORVANE_WERROR=ON to build with warnings as errors. It is passed every time,
# so a build from run.sh after one from test.sh keeps warnings as warnings.
set -euo pipefail
cd "$(dirname "$0")"

missing=()
while read -r pkg; do
    pkg="${pkg%%#*}"
    pkg="$(echo "$pkg" | xargs)"
    [ -z "$pkg" ] && continue
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done < packages.txt

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
    -DORVANE_WERROR="${ORVANE_WERROR:-OFF}" >/dev/null
cmake --build build -j "$(nproc)"
