#!/usr/bin/env bash
# Runs a Qt Test program for Windows under Wine and prints its results:
#   scripts/wine-qtest.sh TEST.exe [TEST ARGUMENTS...]
# Under Wine a Qt Test program writes nothing to a pipe or a redirected
# standard output, only to the file that -o names. The exit status is the
# test's. CTest runs the Windows tests through this (scripts/windows.sh).
set -uo pipefail
program=$1
shift
# Wine keeps Qt's own variables (QT_...) from Windows programs, for the sake
# of a Qt that Wine itself may use; it hands on WINEQT_... as QT_... instead.
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
results=$(mktemp --suffix=.txt)
trap 'rm -f "$results"' EXIT
wine "$program" -o "$results,txt" "$@"
status=$?
cat "$results"
exit "$status"
