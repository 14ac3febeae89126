#!/bin/sh
# Runs the whole CTest suite of each build folder ROUNDS times while
# processes of its own keep cores busy, as on a teacher's slow laptop or a
# build machine doing other work, and says how many rounds passed and the
# slowest wait each program test needed.
#   [STRESS_LOAD=N] stress.sh ROUNDS BUILD_DIR...
# STRESS_LOAD is how many cores are kept busy: 1 unless told, 2 for the
# heavier load of a machine whose every core is taken.
set -u
rounds=$1
shift
load=${STRESS_LOAD:-1}
work=$(mktemp -d)
# The busy cores: shell loops, ended with this script.
spinners=""
for _ in $(seq "$load"); do
    (while :; do :; done) &
    spinners="$spinners $!"
done
trap 'kill $spinners 2>/dev/null; rm -rf "$work"' EXIT INT TERM

failed=0
for build in "$@"; do
    passed=0
    : >"$work/waits"
    : >"$work/gaps"
    for round in $(seq "$rounds"); do
        if ctest --test-dir "$build" -j2 --output-on-failure >"$work/log" 2>&1; then
            passed=$((passed + 1))
        else
            echo "stress: $build, round $round failed:"
            tail -n 60 "$work/log"
        fi
        # "smoke: slowest wait 0.42 s (what)" under each test's name.
        awk '/^[0-9]+\/[0-9]+ Test: / { test = $3 }
             /: slowest wait / { sub(/.*: slowest wait /, ""); print test, $0 }' \
            "$build/Testing/Temporary/LastTest.log" >>"$work/waits"
        sed -n 's/.*largest gap between 10 ms ticks while the server was stopped: \([0-9]*\) ms/\1/p' \
            "$build/Testing/Temporary/LastTest.log" >>"$work/gaps"
    done
    echo "stress: $build: $passed of $rounds rounds passed with $load busy core(s) beside it"
    # The slowest of all rounds, for each test that reports its waits.
    sort -k1,1 -k2,2nr "$work/waits" | awk '$1 != last { print "stress:   slowest wait of " $0; last = $1 }'
    echo "stress:   the event loop's largest gap while the sound server stalled: $(sort -n "$work/gaps" | tail -n 1) ms"
    [ "$passed" -eq "$rounds" ] || failed=1
done
exit "$failed"
