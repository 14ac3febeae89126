#!/bin/sh
# The X server dies under the program, as when a teacher logs out, just
# after a sound: during a run, and with the exit box open. Each time the
# program must end by itself with Qt's status for a lost display (1), with
# no crash, no hang and no sanitizer report.
#   x_dies.sh PROGRAM XVFB_SH
set -u
program=$1
xvfb_sh=$2
. "$(dirname "$0")/../support/wait.sh"
work=$(mktemp -d)
pid=""
trap 'sh "$xvfb_sh" stop "$work/x"; [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "x_dies: $case: $*"
    [ -f "$work/out" ] && cat "$work/out"
    echo "0 passed, 1 failed"
    exit 1
}

# Clicks the board window at x y (its pixels) once no box covers it.
click() {
    wait_for "the board window to be shown" viewable "$board"
    xdotool mousemove --window "$board" "$1" "$2" click 1
}

for case in "during a run" "with the exit box open"; do
    sh "$xvfb_sh" start "$work/x" || fail "no X server"
    DISPLAY=$(cat "$work/x/display")
    export DISPLAY
    (cd "$work" && exec "$program" >"$work/out" 2>&1) &
    pid=$!
    wait_for "the board window" program_window "$pid" "Meetling experiment"
    board=$window
    if [ "$case" = "during a run" ]; then
        click 360 12 # When two srart: four prompts, each answered with its suggestion
        prompt=""
        for n in 1 2 3 4; do
            wait_for "set-up prompt $n" program_window "$pid" "Setting the initial position" "$prompt"
            prompt=$window
            confirm "$prompt" "set-up prompt $n"
        done
        prompt_gone() { ! viewable "$prompt"; }
        wait_for "the last set-up prompt to close" prompt_gone
        click 268 12 # Start, with its chime
        sounding() { pactl list short sink-inputs 2>/dev/null | grep -q .; }
        wait_for "the start chime" sounding
    else
        click 60 12 # Exit: its chime, then the box
        wait_for "the exit box" program_window "$pid" "^Meetling experiment$" "$board"
    fi
    kill -9 "$(cat "$work/x/pid")"
    wait_for "the program to end after its display died" ended "$pid"
    wait "$pid"
    status=$?
    pid=""
    [ "$status" -eq 1 ] || fail "exit status $status"
    ! grep -Eq "Sanitizer|runtime error|Assertion|Segmentation" "$work/out" || fail "a crash report"
done
echo "2 passed, 0 failed"
