#!/usr/bin/env bash
# Builds the program and its benchmarks in Release and prints one table of
# every figure beside its floor and target. Benchmarks are not tests: nothing
# here fails on a time. Usage: bench/run.sh [START-UP RUNS, default 15]
# Progress goes to standard error and the table alone to standard output, so
# bench/run.sh >table.md keeps a clean table while the terminal shows progress.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh libbenchmark-dev python3 xvfb xauth >&2
echo ">>> Building the program and its benchmarks in Release, in build-release/" >&2
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DPELN_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release -j"$(nproc)" >&2
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
    "$(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo), Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
python3 bench/report.py build-release "${1:-15}"
