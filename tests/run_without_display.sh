#!/usr/bin/env bash
# Without a display the run command must say what to do and stop at once:
# exit 1 (not Qt's abort), before building anything, leaving no process.
out=$(mktemp) && trap 'rm -f "$out"' EXIT
# setsid makes the command the leader of process group $!, which anything it
# starts joins: an empty group afterwards means nothing was left running.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    setsid timeout 20 "$(dirname "$0")/../scripts/run.sh" >"$out" 2>&1 </dev/null &
group=$!
wait "$group" && status=0 || status=$?
cat "$out"
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1"; exit 1; }
grep -q 'xvfb-run -a scripts/run.sh' "$out" || { echo "FAIL: no advice"; exit 1; }
! grep -q -e '^-- ' -e '^Installing' "$out" || { echo "FAIL: it configured or installed"; exit 1; }
! kill -0 -- "-$group" 2>/dev/null || { echo "FAIL: processes left running"; exit 1; }
