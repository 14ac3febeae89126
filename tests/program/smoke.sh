#!/bin/sh
# Drives the real program on a real X server and audio server, as a user
# would: set up with the suggested answers, Start, watch, Stop, Problem,
# Simulation, then Exit and confirm. The program must end by itself with
# status 0 and print nothing, and each window must open at the given place
# (the board window first, "x,y" in pixels). Every step waits for the window
# it acts on, so a slow machine makes the test slower, not red.
#   smoke.sh PROGRAM XVFB_DIR BOARD_AT PROBLEM_AT
set -u
program=$1
board_at=$3
problem_at=$4
DISPLAY=$(cat "$2/display")
export DISPLAY
. "$(dirname "$0")/../support/wait.sh"
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

cd "$workdir" && "$program" >"$workdir/out" 2>&1 &
pid=$!

hidden() { ! viewable "$1"; }

fail() {
    echo "smoke: $*"
    kill "$pid" 2>/dev/null
    cat "$workdir/out"
    echo "0 passed, 1 failed"
    exit 1
}

# Fails unless the window stands at the given place.
at() {
    place=$(xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([0-9-]*,[0-9-]*\).*/\1/p')
    [ "$place" = "$2" ] || fail "$3 at $place, not at $2"
}

# Fails unless the window is at least $2 pixels wide: title bars cut a
# title wider than the window.
wide() {
    width=$(xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: \([0-9]*\)x.*/\1/p')
    [ "${width:-0}" -ge "$2" ] || fail "$3 is $width pixels wide, too narrow for its title"
}

# Clicks a control of the board window, given in the window's pixels, once
# the window is shown with no box over it.
click() {
    wait_for "the board window to be shown" viewable "$board"
    xdotool mousemove --window "$board" "$1" "$2" click 1
}

wait_for "the board window" program_window "$pid" "Meetling experiment"
board=$window
at "$board" "$board_at" "board window"

click 360 12                      # When two srart: four prompts, each a new box
prompt=""
for who in Momotaro Momotaro Dog Dog; do
    wait_for "a set-up prompt for $who" program_window "$pid" "Setting the initial position of $who" "$prompt"
    [ -z "$prompt" ] && wide "$window" 400 "the set-up prompt"
    prompt=$window
    confirm "$prompt" "the set-up prompt for $who"
done
wait_for "the last set-up prompt to close" hidden "$prompt"
click 268 12                      # Start
# The run is left to go for 2 s (ticks, meetings, their sounds); nothing
# is waited for here.
sleep 2
click 196 12                      # Stop
click 128 12                      # Problem: enabled only if Start and Stop were taken
wait_for "the problem window" program_window "$pid" "Japan Mathematics Competition"
problem=$window
at "$problem" "$problem_at" "problem window"
xdotool mousemove --window "$problem" 460 12 click 1   # Simulation
wait_for "the problem window to hide" hidden "$problem"
click 60 12                       # Exit
wait_for "the exit box" program_window "$pid" "^Meetling experiment$" "$board"
box=$window
wide "$box" 280 "the exit box"
confirm "$box" "the exit box"
wait_for "the program to end after Exit" ended "$pid"

wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
# Qt's own note about a missing XDG_RUNTIME_DIR is not the program's.
if grep -v "XDG_RUNTIME_DIR" "$workdir/out" | grep -q .; then
    fail "unexpected output"
fi
echo "smoke: slowest wait $(slowest_wait)"
echo "1 passed, 0 failed"
