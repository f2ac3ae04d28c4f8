#!/usr/bin/env bash
# Shows the window under a virtual display at several client sizes and saves
# a screenshot of each into shots/ (or the directory given first). Without
# sizes it takes the design size, double the width, and half as large again:
#   scripts/screenshots.sh [DIR [WIDTHxHEIGHT ...]]
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-shots}
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(969x700 1938x700 1453x1050)

scripts/setup-deps.sh xvfb xauth
cmake -S . -B build
cmake --build build -j"$(nproc)" --target form-shot
mkdir -p "$out"
xvfb-run -a -s "-screen 0 2000x1200x24" build/tools/form-shot/form-shot "$out" "${sizes[@]}"
