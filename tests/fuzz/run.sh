#!/bin/sh
# Runs every fuzz target of a fuzz build for a while on a copy of its seed
# corpus, and says how fast it went.
#   run.sh BUILD_DIR SECONDS
set -eu
build=$1
seconds=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
while read -r name binary corpus; do
    mkdir -p "$work/$name"
    cp -r "$corpus"/. "$work/$name"/
    if ! "$binary" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/" \
        "$work/$name" >"$work/$name.log" 2>&1; then
        tail -n 60 "$work/$name.log"
        for crash in "$work"/crash-* "$work"/timeout-* "$work"/leak-* "$work"/oom-*; do
            [ -f "$crash" ] && { echo "input:"; od -c "$crash" | head -n 20; }
        done
        echo "fuzz: $name failed"
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log")
    secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/$name.log")
    secs=${secs:-$seconds}
    [ "$secs" -gt 0 ] || secs=1
    echo "fuzz: $name: $runs runs in $secs s, $((runs / secs)) executions per second"
done <"$build/fuzz_targets.txt"
