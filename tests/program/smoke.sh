#!/bin/sh
# Drives the real program on a real X server and audio server, as a user
# would: set up with the suggested answers, Start, watch, Stop, Problem,
# Simulation, then Exit and confirm. The program must end by itself with
# status 0 and print nothing, and each window must open at the given place
# (the board window first, "x,y" in pixels).
#   smoke.sh PROGRAM XVFB_DIR BOARD_AT PROBLEM_AT
set -u
program=$1
board_at=$3
problem_at=$4
DISPLAY=$(cat "$2/display")
export DISPLAY
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

cd "$workdir" && "$program" >"$workdir/out" 2>&1 &
pid=$!

fail() {
    echo "smoke: $*"
    kill "$pid" 2>/dev/null
    cat "$workdir/out"
    echo "0 passed, 1 failed"
    exit 1
}

window=""
for i in $(seq 50); do
    window=$(xdotool search --name "Meetling experiment" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no board window appeared"

# Fails unless the window stands at the given place.
at() {
    place=$(xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([0-9-]*,[0-9-]*\).*/\1/p')
    [ "$place" = "$2" ] || fail "$3 at $place, not at $2"
}
at "$window" "$board_at" "board window"

# Clicks the centre of a control given in the window's pixels.
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.4
}

# Fails unless the window is at least $2 pixels wide: title bars cut a
# title wider than the window.
wide() {
    width=$(xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: \([0-9]*\)x.*/\1/p')
    [ "${width:-0}" -ge "$2" ] || fail "$3 is $width pixels wide, too narrow for its title"
}

click 360 12                      # When two srart
prompt=$(xdotool search --onlyvisible --name "Setting the initial position of Momotaro" 2>/dev/null | head -n 1)
[ -n "$prompt" ] || fail "no set-up prompt appeared"
wide "$prompt" 400 "the set-up prompt"
for i in 1 2 3 4; do xdotool key Return; sleep 0.3; done
click 268 12                      # Start
sleep 2
click 196 12                      # Stop
click 128 12                      # Problem
problem=$(xdotool search --name "Japan Mathematics Competition" 2>/dev/null | head -n 1)
[ -n "$problem" ] || fail "no problem window appeared"
at "$problem" "$problem_at" "problem window"
xdotool mousemove --window "$problem" 460 12 click 1   # Simulation
sleep 0.4
click 60 12                       # Exit
confirm=$(xdotool search --onlyvisible --name "^Meetling experiment$" 2>/dev/null | head -n 1)
[ -n "$confirm" ] || fail "no exit box appeared"
wide "$confirm" 280 "the exit box"
xdotool key Return
sleep 1.5

kill -0 "$pid" 2>/dev/null && fail "the program did not end after Exit"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
# Qt's own note about a missing XDG_RUNTIME_DIR is not the program's.
if grep -v "XDG_RUNTIME_DIR" "$workdir/out" | grep -q .; then
    fail "unexpected output"
fi
echo "1 passed, 0 failed"
