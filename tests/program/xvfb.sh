#!/bin/sh
# A private X server for the tests that need a real display.
#   xvfb.sh start DIR [WxH]   start Xvfb (1024x768 unless told); its display
#                             name goes to DIR/display
#   xvfb.sh stop DIR    stop it
set -eu
. "$(dirname "$0")/../support/wait.sh"
dir=$2
size=${3:-1024x768}
fail() {
    echo "xvfb.sh: $*; the server's log:" >&2
    cat "$dir/log" >&2
    exit 1
}
# Stops the server this folder started, if it still runs, and returns once
# it has ended, so that its display number is free again: a pid left over
# from an earlier run may since name another process.
stop_ours() {
    pid=$(cat "$dir/pid" 2>/dev/null || true)
    ours() { [ -n "$pid" ] && [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null)" != Z ] \
        && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; }
    if ours; then
        kill "$pid" 2>/dev/null
        gone() { ! ours; }
        wait_for "Xvfb to end" gone
    fi
    rm -f "$dir/pid"
}

case "$1" in
start)
    mkdir -p "$dir"
    stop_ours
    rm -f "$dir/display" "$dir/pid" "$dir/number"
    # -displayfd picks a free display number and writes it when ready.
    # -noreset: by default the server resets once its last client has gone,
    # and a reset drops every client still in its connection handshake. A
    # program that connects just as the one before it leaves (xdpyinfo below,
    # the test before) may be accepted first and dropped by that reset:
    # "could not connect to display", on a display that has just answered.
    # A busy machine makes the server late to see the last client go, and so
    # makes that window wide.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$dir/number" >"$dir/log" 2>&1 &
    echo $! >"$dir/pid"
    listening() { [ -s "$dir/number" ] && [ -S "/tmp/.X11-unix/X$(cat "$dir/number")" ]; }
    wait_for "Xvfb to listen" listening
    # Listening is not yet answering: a client must get through.
    answering() { xdpyinfo -display ":$(cat "$dir/number")" >/dev/null 2>&1; }
    wait_for "Xvfb to answer" answering
    echo ":$(cat "$dir/number")" >"$dir/display"
    ;;
stop)
    stop_ours
    ;;
esac
