#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every check (no
# display needed: the window tests run on Qt's offscreen platform).
#
#   scripts/test.sh           the whole run, as CI does it: the code's
#                             format (scripts/check-format.sh), the test suite,
#                             the same suite built with AddressSanitizer and
#                             UndefinedBehaviorSanitizer, every fuzz target
#                             for PELN_FUZZ_SECONDS (20) seconds each, the
#                             Debian package, made and checked, and the Windows
#                             build, tested under Wine with its installer
#                             (scripts/windows.sh; the first run builds a
#                             static Qt for Windows, about 30 minutes)
#   scripts/test.sh --quick   the test suite alone
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
    "") quick=false ;;
    --quick) quick=true ;;
    *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac
jobs=$(nproc)
step() { printf '\n=== %s\n' "$*"; }

# The install test renders the manual pages with man and groff.
if $quick; then
    scripts/setup-deps.sh man-db groff-base
else
    # the fuzz targets need clang's runtimes
    scripts/setup-deps.sh man-db groff-base clang libclang-rt-14-dev
fi

if ! $quick; then
    step "Check the format of every C++ file"
    scripts/check-format.sh
fi

step "Build and test"
cmake -S . -B build -DPELN_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
$quick && exit 0

step "Build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DPELN_WERROR=ON -DPELN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

step "Fuzz every target"
fuzz/run.sh "${PELN_FUZZ_SECONDS:-20}"

step "Make the Debian package and check it"
package=$(scripts/package.sh)
scripts/check-package.sh "$package"

step "Build for Windows, test under Wine, make the installer"
scripts/windows.sh
