#!/bin/sh
# Started where there is no display, the program says so in one line and
# exits with status 2 (no abort, no core dump).
set -u
program=$1
for display in "" ":987"; do
    if [ -z "$display" ]; then
        out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
    else
        out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=$display "$program" 2>&1)
    fi
    status=$?
    lines=$(printf '%s\n' "$out" | wc -l)
    if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$out" | grep -q "no display"; then
        echo "DISPLAY='$display': status $status, output:"
        printf '%s\n' "$out"
        exit 1
    fi
done
echo "1 passed, 0 failed"
