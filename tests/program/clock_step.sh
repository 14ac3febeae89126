#!/bin/sh
# The wall clock set back two hours in the middle of a run, in the real
# program: libfaketime gives it the time of day with an offset that it reads
# from a file at every call, and leaves its monotonic clock alone. The run
# must go on: the board window still changes (the time read-out, the
# walkers) well after the step, and Stop still stops the run, which is what
# enables Problem.
#   clock_step.sh PROGRAM XVFB_DIR
set -u
program=$1
DISPLAY=$(cat "$2/display")
export DISPLAY
. "$(dirname "$0")/../support/wait.sh"
workdir=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$workdir"' EXIT

fail() {
    echo "clock_step: $*"
    cat "$workdir/out" 2>/dev/null
    echo "0 passed, 1 failed"
    exit 1
}

faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$faketime" ] || fail "libfaketime is not installed (Debian's package faketime)"

offset=$workdir/offset
echo "+0" >"$offset"
# The sanitizer build's runtime must come first among the libraries unless
# told otherwise; libfaketime is preloaded before it.
cd "$workdir" && LD_PRELOAD=$faketime FAKETIME_TIMESTAMP_FILE=$offset FAKETIME_NO_CACHE=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 \
    "$program" >"$workdir/out" 2>&1 &
pid=$!

board_window() {
    ended "$pid" && fail "the program ended while the test waited for its window"
    find_window --all --onlyvisible --pid "$pid" --name "Meetling experiment"
}
# The board window's picture as a checksum, and whether it has changed since
# the last look.
look() { xwd -silent -id "$board" 2>/dev/null | cksum; }
changed() {
    ended "$pid" && fail "the program ended during the run"
    now=$(look)
    [ "$now" != "$seen" ] && seen=$now
}
# A change seen at least two seconds after the clock was set back.
changed_later() { changed && [ $(($(now_ms) - stepped)) -ge 2000 ]; }
hidden() { ! viewable "$1"; }
click() {
    wait_for "the board window to be shown" viewable "$board"
    xdotool mousemove --window "$board" "$1" "$2" click 1
}

wait_for "the board window" board_window
board=$window
click 360 12                      # When two srart: four prompts, each taken as suggested
for who in Momotaro Momotaro Dog Dog; do
    wait_for "a set-up prompt for $who" find_window --all --onlyvisible --pid "$pid" --name "Setting the initial position of $who"
    prompt=$window
    wait_for "the set-up prompt for $who to have the keyboard focus" focused "$prompt"
    xdotool key Return
    wait_for "the set-up prompt for $who to close" hidden "$prompt"
done
seen=$(look)
click 268 12                      # Start
# The board drawn again where the prompt was, the pointer over the button,
# the button pressed, then released (which starts the run) or a tick: the
# fourth new look comes after the start.
for change in redrawn hover press start; do
    wait_for "the board window to change ($change)" changed
done

echo "-7200" >"$offset"           # the wall clock set back two hours
stepped=$(now_ms)
wait_for "the board window to change two seconds after the clock was set back" changed_later
click 196 12                      # Stop: enables Problem only while the run went on
click 128 12                      # Problem
wait_for "the problem window (Stop had no effect: the run had ended)" \
    find_window --all --onlyvisible --pid "$pid" --name "Japan Mathematics Competition"
echo "clock_step: slowest wait $(slowest_wait)"
echo "1 passed, 0 failed"
