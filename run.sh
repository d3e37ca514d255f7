#!/usr/bin/env bash
# Installs what is missing, builds the release programs and runs the program's main job on the samples.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMEROC_BUILD_TESTS=OFF
cmake --build build

cli=build/lumeroc-cli
echo "== Sample datasets"
"$cli" info samples/*.adf
