#!/usr/bin/env bash
# Shows the window under a virtual display at several client sizes and saves
# a screenshot of each into shots/ (or the directory given first). Without
# sizes it takes the design size, double the width and half as large again,
# then the window as it opens on a 1024 x 600 screen and the design size at
# a scale factor of 1.5:
#   scripts/screenshots.sh [DIR [WIDTHxHEIGHT ...]]
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-shots}
shift || true
sizes=("$@")
defaults=false
[ ${#sizes[@]} -eq 0 ] && defaults=true && sizes=(969x700 1938x700 1453x1050)

scripts/setup-deps.sh xvfb xauth
cmake -S . -B build
cmake --build build -j"$(nproc)" --target form-shot
mkdir -p "$out"
shot=build/tools/form-shot/form-shot
xvfb-run -a -s "-screen 0 2000x1200x24" "$shot" "$out" "${sizes[@]}"
if $defaults; then
    xvfb-run -a -s "-screen 0 1024x600x24" "$shot" "$out" opened
    QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 2000x1200x24" "$shot" "$out" 969x700
fi
