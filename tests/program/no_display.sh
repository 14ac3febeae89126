#!/bin/sh
# Started on a display it cannot open, or one that never answers, the
# program says so in one line and exits with status 2 within 10 s: no abort,
# no core dump, nothing else on the terminal.
#   no_display.sh PROGRAM XVFB_DIR
set -u
program=$1
xvfb=$(cat "$2/display")
work=$(mktemp -d)
stale=""
silent=""
listener=""
trap 'rm -rf "$work"; rm -f $stale $silent; [ -n "$listener" ] && kill $listener' EXIT

# The socket path of a display number from $1 to $2 that no server holds.
free_display() {
    for n in $(seq "$1" "$2"); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "/tmp/.X11-unix/X$n"; return; }
    done
}
mkdir -p /tmp/.X11-unix
# A socket left behind by an X server that is gone: nothing listens on it.
stale=$(free_display 90 199)
perl -MIO::Socket::UNIX -e 'IO::Socket::UNIX->new(Type => SOCK_STREAM(), Local => $ARGV[0], Listen => 1) or die "$!\n"' "$stale"
# A display that takes the connection and never says a word.
silent=$(free_display 200 299)
perl -MIO::Socket::UNIX -e '$s = IO::Socket::UNIX->new(Type => SOCK_STREAM(), Local => $ARGV[0], Listen => 5) or die "$!\n"; sleep 600' "$silent" &
listener=$!
. "$(dirname "$0")/../support/wait.sh"
fail() { echo "no_display: $*"; exit 1; }
wait_for "the silent display to listen" test -S "$silent"

failed=0
# One case a line: what it is, then the environment it runs in.
while IFS='|' read -r case environment; do
    started=$(now_ms)
    # shellcheck disable=SC2086
    (cd "$work" && ulimit -c unlimited && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $environment \
        "$program" >"$work/out" 2>&1)
    status=$?
    took=$(($(now_ms) - started))
    lines=$(wc -l <"$work/out")
    if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || ls "$work" | grep -q core || [ "$took" -ge 10000 ] \
        || ! grep -q "^$(basename "$program"): cannot open a window on the display (..*)\$" "$work/out"; then
        echo "$case: status $status after $(seconds_of "$took") s, output:"
        cat "$work/out"
        failed=$((failed + 1))
    fi
    rm -f "$work"/core*
done <<CASES
no DISPLAY|
no X server|DISPLAY=:987
stale socket|DISPLAY=:${stale#/tmp/.X11-unix/X}
refused TCP|DISPLAY=127.0.0.1:9
junk|DISPLAY=junk
no such screen|DISPLAY=$xvfb.7
Wayland without a compositor|WAYLAND_DISPLAY=meetling-none
Wayland asked for|QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=meetling-none
silent display|DISPLAY=:${silent#/tmp/.X11-unix/X}
CASES
echo "$((9 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
