#!/usr/bin/env bash
# Remakes the sample recordings in samples/ with lumeroc-cli generate (deterministic: the same bytes
# every time). Usage: scripts/make-samples.sh [path of lumeroc-cli, default build/lumeroc-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/lumeroc-cli}

# A year at 300 s in mode 1, a collar in central Europe.
"$cli" generate --out samples/fox-2011.adf --start 2011-01-01 --days 365 --mode 1 --interval 300 \
    --collar 4711 --lat 51.3 --lon 9.5 --seed 1
# Three months at 152 s in mode 2, a collar in the Alps.
"$cli" generate --out samples/chamois-2012.adf --start 2012-04-01 --days 91 --mode 2 --interval 152 \
    --collar 815 --lat 46.5 --lon 11.3 --seed 2
