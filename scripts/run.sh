#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
#
# By default a simulated brewer starts beside the window, on a
# pseudo-terminal: type the device path printed below into the port box and
# press Connect. The simulator prints every frame it receives and takes
# commands on this terminal (h for help); it stops when the window closes.
#
#   scripts/run.sh --no-sim    starts the window alone, for a real brewer
set -euo pipefail
cd "$(dirname "$0")/.."

simulate=1
case "${1:-}" in
    --no-sim) simulate=0 ;;
    "") ;;
    *) echo "usage: $0 [--no-sim]" >&2; exit 2 ;;
esac

scripts/setup-deps.sh
cmake -S . -B build
if [ "$simulate" -eq 0 ]; then
    cmake --build build -j"$(nproc)" --target peln
    exec build/src/app/peln
fi

cmake --build build -j"$(nproc)" --target peln brewer-sim
port_file=$(mktemp)
# A background job would read from /dev/null; hand it this terminal's input.
build/tools/brewer-sim/brewer-sim --port-file "$port_file" <&0 &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; rm -f "$port_file"' EXIT
for _ in $(seq 100); do
    [ -s "$port_file" ] && break
    kill -0 "$simulator" 2>/dev/null || { echo "The brewer simulator did not start." >&2; exit 1; }
    sleep 0.1
done
[ -s "$port_file" ] || { echo "The brewer simulator did not start." >&2; exit 1; }
echo
echo ">>> Port to use: $(cat "$port_file")  (type it into the box beside Connect)"
echo
build/src/app/peln
