#!/bin/sh
# Runs every benchmark and prints one table at the end: the program beside a
# bare Qt window (start-up, memory), the CPU of a run, the ticks' regularity
# and the statistics tool's figures, each against its goal.
#   sh bench/run.sh [BUILD_DIR [BEFORE_DIR]]
# With BEFORE_DIR, the build of another checkout (its meetling-answer and its
# bench/meetling_stats_bench, built from this checkout's bench_stats.cpp),
# the statistics tool's figures and the drags from outside are measured for
# it too, each right after this build's, and printed in a table of their own.
# The programs run on a private Xvfb and reach a private PulseAudio server.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
before=${2:-}
dir=$(mktemp -d)
trap 'sh tests/program/xvfb.sh stop "$dir/x"; sh tests/audio/pulse.sh stop "$dir/pulse"; rm -rf "$dir"' EXIT INT TERM
sh tests/program/xvfb.sh start "$dir/x"
sh tests/audio/pulse.sh start "$dir/pulse"
DISPLAY=$(cat "$dir/x/display")
PULSE_SERVER=unix:$dir/pulse/native
MEETLING_BENCH_TABLE=$dir/table
export DISPLAY PULSE_SERVER MEETLING_BENCH_TABLE

# Prints a table file's rows in aligned columns under their heading.
table() {
    awk -F '\t' '
        BEGIN { n = 1; row[1] = "measure\tmeetling\tbare window\tratio\tgoal\tmet?" }
        { row[++n] = $0 }
        END {
            for (i = 1; i <= n; i++) {
                cells = split(row[i], cell, "\t")
                for (c = 1; c <= cells; c++) if (length(cell[c]) > width[c]) width[c] = length(cell[c])
            }
            for (i = 1; i <= n; i++) {
                cells = split(row[i], cell, "\t")
                line = ""
                for (c = 1; c <= cells; c++) line = line sprintf(c == 1 ? "%-*s" : "  %*s", width[c], cell[c])
                print line
            }
        }' "$1"
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)

"./$build/bench/startup_harness" --runs 21 --cpu-seconds 10 --server-pid "$(cat "$dir/x/pid")" \
    "./$build/meetling" "./$build/bench/bare_window"
if [ -x "./$build/meetling-answer" ]; then
    echo
    # Its settings in a folder of the run's own, not the user's.
    XDG_CONFIG_HOME=$dir/config "./$build/bench/startup_harness" --runs 21 --cpu-seconds 0 --name meetling-answer \
        "./$build/meetling-answer" "./$build/bench/bare_window"
    echo
    XDG_CONFIG_HOME=$dir/config QT_QPA_PLATFORM=offscreen "./$build/bench/meetling_answer_bench"
fi
echo
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$dir/pulse "./$build/bench/meetling_bench"
echo
"./$build/bench/meetling_stats_bench"
if [ -n "$before" ]; then
    echo
    echo "The same from $before:"
    MEETLING_BENCH_TABLE=$dir/before "$before/bench/meetling_stats_bench"
fi
if [ -x "./$build/meetling-answer" ]; then
    echo
    XDG_CONFIG_HOME=$dir/drag "./$build/bench/drag_harness" "./$build/meetling-answer"
    if [ -n "$before" ]; then
        echo
        echo "The same from $before:"
        MEETLING_BENCH_TABLE=$dir/before XDG_CONFIG_HOME=$dir/drag "./$build/bench/drag_harness" "$before/meetling-answer"
    fi
fi

echo
echo "Against the goals (load average $load_before at the start, $(cut -d' ' -f1-3 /proc/loadavg) at the end; $(nproc) cores)"
table "$MEETLING_BENCH_TABLE"
if [ -n "$before" ] && [ -s "$dir/before" ]; then
    echo
    echo "The same figures from $before"
    table "$dir/before"
fi

