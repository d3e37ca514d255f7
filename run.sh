#!/usr/bin/env bash
# Installs what is missing, builds the release programs and runs the program's main job on the samples.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMEROC_BUILD_TESTS=OFF
cmake --build build

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "== Opening the Lumeroc window with the sample datasets"
  exec build/lumeroc samples/*.adf
fi

cli=build/lumeroc-cli
echo "== Sample datasets"
"$cli" info samples/*.adf

echo "== No display (DISPLAY and WAYLAND_DISPLAY are unset); the window opens with: build/lumeroc samples/*.adf"
