#!/usr/bin/env bash
# Installs what is missing, builds the release programs and runs the program's main job on the samples.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMEROC_BUILD_TESTS=OFF
cmake --build build

echo "== Actograms of the samples (single and double plot, sun lines and grids) in out/"
mkdir -p out
for adf in samples/*.adf; do
  name=$(basename "$adf" .adf)
  case "$name" in
    fox-*) place='"Data.Latitude":51.3,"Data.Longitude":9.5' ;;
    chamois-*) place='"Data.Latitude":46.5,"Data.Longitude":11.3' ;;
    *) place='"Data.Latitude":51,"Data.Longitude":10' ;;
  esac
  overlays='"Data.UTCDelta":1,"Overlay.SunLinesVisible":true,"Overlay.SunLinesColor":45056,"Overlay.SunLinesOpacity":150,"Overlay.SunLinesData":"R+6d;R;S;S+6d","Overlay.DayGridVisible":true,"Overlay.HourGridVisible":true'
  for plot in 1 2; do
    for format in png eps; do
      out="out/$name-actogram-$plot.$format"
      build/lumeroc-cli render --adf "$adf" --out "$out" \
        --settings "{\"Data.DaysPerLine\":$plot,$place,$overlays}"
      echo "$out"
    done
  done
done

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "== Opening the Lumeroc window with the sample datasets"
  exec build/lumeroc samples/*.adf
fi

cli=build/lumeroc-cli
echo "== Sample datasets"
"$cli" info samples/*.adf
echo "== The first hour of 2011-06-01 (UTC+2) of samples/fox-2011.adf, gaps of up to 2 samples filled"
"$cli" extract samples/fox-2011.adf --from 2011-06-01 --to 2011-06-02 --utc 2 --max-gap 2 | sed -n '1,13p'

echo "== No display (DISPLAY and WAYLAND_DISPLAY are unset); the window opens with: build/lumeroc samples/*.adf"
