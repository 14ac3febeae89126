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

# A socket left behind by an X server that is gone: nothing listens on it.
mkdir -p /tmp/.X11-unix
for n in $(seq 90 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        stale=/tmp/.X11-unix/X$n
        perl -MIO::Socket::UNIX -e 'IO::Socket::UNIX->new(Type => SOCK_STREAM(), Local => $ARGV[0], Listen => 1) or die "$!\n"' "$stale"
        break
    fi
done
# A display that takes the connection and never says a word.
for n in $(seq 200 299); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        silent=/tmp/.X11-unix/X$n
        perl -MIO::Socket::UNIX -e '$s = IO::Socket::UNIX->new(Type => SOCK_STREAM(), Local => $ARGV[0], Listen => 5) or die "$!\n"; sleep 600' "$silent" &
        listener=$!
        break
    fi
done
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
