# Waiting for something real (a window, a server, a process) the same way in
# every shell test: poll for it until a deadline, so that a slow laptop or a
# sanitizer build on a busy machine only makes the test slower, never red.
# Sourced, not run:
#
#   . wait.sh
#   wait_for WHAT COMMAND [ARG...]
#       Runs COMMAND in this shell every 50 ms until it succeeds; it may set
#       variables for the caller. Gives up after $MEETLING_WAIT_SECONDS
#       (20 unless set; the sanitizer build sets more) and then calls the
#       script's own `fail` with what it waited for and for how long.
#   slowest_wait
#       The longest wait so far and what it was for, e.g. "0.42 s (the prompt)".
#
# Helpers for processes:
#   ended PID                             the process is gone, or a zombie not
#                                         yet reaped by its shell
# Helpers for X windows (need DISPLAY):
#   find_window [XDOTOOL-SEARCH-ARG...]   sets window to the first match
#   viewable WINDOW                       the window is mapped and shown
#   focused WINDOW                        the window has the keyboard focus
#   program_window PID TITLE [NOT]        sets window to a shown window of PID
#                                         whose title matches TITLE, other than
#                                         NOT; fails at once if PID has ended
#   confirm WINDOW WHAT                   presses Return once WINDOW has the focus

wait_seconds=${MEETLING_WAIT_SECONDS:-20}
slowest_ms=0
slowest_what="nothing"

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

seconds_of() {
    printf '%d.%02d' $(($1 / 1000)) $(($1 % 1000 / 10))
}

wait_for() {
    wait_what=$1
    shift
    wait_start=$(now_ms)
    until "$@"; do
        wait_ms=$(($(now_ms) - wait_start))
        if [ "$wait_ms" -ge $((wait_seconds * 1000)) ]; then
            fail "waited $(seconds_of "$wait_ms") s for $wait_what"
            return 1
        fi
        sleep 0.05
    done
    wait_ms=$(($(now_ms) - wait_start))
    if [ "$wait_ms" -gt "$slowest_ms" ]; then
        slowest_ms=$wait_ms
        slowest_what=$wait_what
    fi
}

slowest_wait() {
    echo "$(seconds_of "$slowest_ms") s ($slowest_what)"
}

ended() {
    ! kill -0 "$1" 2>/dev/null || [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = Z ]
}

find_window() {
    window=$(xdotool search "$@" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}

viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"
}

focused() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

program_window() {
    ended "$1" && fail "the program ended while the test waited for a window"
    for window in $(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null); do
        [ "$window" != "${3:-}" ] && return 0
    done
    return 1
}

confirm() {
    wait_for "$2 to have the keyboard focus" focused "$1"
    xdotool key Return
}
