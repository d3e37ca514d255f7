#!/usr/bin/env bash
# Draws the 32 x 32 tool bar icons with ImageMagick. Each is drawn at 128 x 128 and scaled down,
# which gives smooth edges. Run it again after changing a drawing; the PNG files are committed.
set -euo pipefail
cd "$(dirname "$0")"

outline='stroke #2b3a4a stroke-width 5'

draw() {
  local name=$1
  shift
  convert -size 128x128 xc:none "$@" -resize 32x32 -strip "PNG32:$name.png"
}

page='fill white '"$outline"' path "M 26,10 L 82,10 L 104,32 L 104,118 L 26,118 Z" fill #d8e0e8 path "M 82,10 L 82,32 L 104,32 Z"'

draw new-workspace -draw "$page" \
  -draw "fill #3c9a3c stroke none rectangle 70,66 84,120 rectangle 50,86 104,100"
draw open-workspace \
  -draw "fill #e0b040 $outline path 'M 10,30 L 46,30 L 56,40 L 110,40 L 110,110 L 10,110 Z'" \
  -draw "fill #f4d070 $outline path 'M 10,110 L 28,62 L 122,62 L 110,110 Z'"
draw save-workspace \
  -draw "fill #3a6ea8 $outline roundrectangle 12,12 116,116 10,10" \
  -draw "fill white stroke none rectangle 32,16 96,54" \
  -draw "fill #2b3a4a stroke none rectangle 76,22 88,48" \
  -draw "fill #d8e0e8 stroke none rectangle 30,74 98,112"
draw load-adf -draw "$page" \
  -draw "fill #3a6ea8 stroke none rectangle 38,80 48,106 rectangle 54,56 64,106 rectangle 70,70 80,106 rectangle 86,46 96,106"
draw load-database \
  -draw "fill #7f98b0 $outline ellipse 64,100 44,14 0,180" \
  -draw "fill #7f98b0 stroke none rectangle 20,28 108,100" \
  -draw "fill none $outline line 20,28 20,100 line 108,28 108,100 ellipse 64,52 44,14 0,180 ellipse 64,76 44,14 0,180" \
  -draw "fill #a9bfd4 $outline ellipse 64,28 44,14 0,360"
draw actogram \
  -draw "fill white $outline rectangle 10,14 118,114" \
  -draw "fill #2b3a4a stroke none rectangle 16,22 44,36 rectangle 84,22 112,36 rectangle 16,46 40,60 rectangle 88,46 112,60 rectangle 16,70 48,84 rectangle 80,70 112,84 rectangle 16,94 38,108 rectangle 90,94 112,108" \
  -draw "fill #7f98b0 stroke none rectangle 44,22 52,36 rectangle 40,46 50,60 rectangle 48,70 56,84 rectangle 38,94 46,108"
draw date-chart \
  -draw "fill none $outline polyline 12,8 12,116 122,116" \
  -draw "fill #3a6ea8 $outline rectangle 24,70 42,112 rectangle 52,40 70,112 rectangle 80,56 98,112" \
  -draw "fill none stroke #c04040 stroke-width 5 line 33,58 33,82 line 61,26 61,54 line 89,44 89,68"
draw time-chart \
  -draw "fill none $outline polyline 12,8 12,116 122,116" \
  -draw "fill none stroke #3a6ea8 stroke-width 9 polyline 20,96 44,60 68,80 92,36 116,52" \
  -draw "fill white $outline circle 94,90 94,66" \
  -draw "fill none stroke #2b3a4a stroke-width 5 polyline 94,74 94,90 106,96"
draw rhythm-chart \
  -draw "fill none $outline polyline 12,8 12,116 122,116" \
  -draw "fill none stroke #3c9a3c stroke-width 9 path 'M 18,64 C 34,10 50,10 66,64 S 98,118 114,64'"
draw cosinor-chart \
  -draw "fill none $outline circle 64,64 64,10" \
  -draw "fill none stroke #7f98b0 stroke-width 3 line 64,10 64,118 line 10,64 118,64" \
  -draw "fill #f0c0c0 stroke #c04040 stroke-width 5 ellipse 86,42 16,10 0,360" \
  -draw "fill none stroke #3a6ea8 stroke-width 7 line 64,64 86,42"
draw time-budget-chart \
  -draw "fill none $outline polyline 12,8 12,116 122,116" \
  -draw "fill #3a6ea8 $outline rectangle 24,20 96,40 rectangle 24,52 116,72 rectangle 24,84 72,104" \
  -draw "fill #e0b040 stroke none rectangle 62,23 93,37 rectangle 84,55 113,69 rectangle 50,87 69,101"
