#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
#
#   fuzz/run.sh [SECONDS]   seconds per target, 20 unless given
#
# Each target starts from a copy of its committed seed corpus in
# fuzz/corpus/<name without "fuzz_">, so the committed corpus stays as it
# is. A crash, a broken invariant, a leak or a hang fails the script; the
# input that caused it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
build=build-fuzz
scripts/setup-deps.sh clang libclang-rt-14-dev # -fsanitize=fuzzer and its runtime
echo ">>> Building the fuzz targets with clang in $build/"
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DPELN_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/artifacts"

for target in "$build"/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$work/${name#fuzz_}"
    cp -r "fuzz/corpus/${name#fuzz_}" "$corpus"
    echo ">>> $name: ${seconds}s from $(ls "$corpus" | wc -l) seeds"
    if ! "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
        >"$work/$name.log" 2>&1; then
        tail -n 60 "$work/$name.log"
        echo ">>> $name FAILED; the input is in $build/artifacts/" >&2
        exit 1
    fi
    grep -E '^Done|stat::number_of_executed_units|stat::peak_rss_mb' "$work/$name.log" || true
done
echo ">>> every fuzz target ran ${seconds}s without a fault"
