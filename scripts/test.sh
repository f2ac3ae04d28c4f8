#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# Needs no display: the window tests run on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh
cmake -S . -B build -DPELN_WERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
