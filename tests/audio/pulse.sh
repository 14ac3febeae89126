#!/bin/sh
# A private PulseAudio server with one null sink, for the tests that listen
# to what the program plays.
#
#   pulse.sh start DIR     start a server whose socket is DIR/native
#   pulse.sh stop DIR      stop it
#
# The sink is "meetling_sink"; what it plays can be recorded from
# "meetling_sink.monitor".
set -eu
. "$(dirname "$0")/../support/wait.sh"

fail() {
    echo "pulse.sh: $*; the server's log:" >&2
    cat "$dir/log" >&2
    exit 1
}

start() {
    dir=$1
    mkdir -p "$dir"
    chmod 700 "$dir"
    stop "$dir" 2>/dev/null || true
    # HOME and XDG_RUNTIME_DIR inside dir: nothing of the user's is touched.
    HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config \
        pulseaudio --daemonize=yes --use-pid-file=yes --exit-idle-time=-1 \
        --disable-shm=yes -n \
        --load="module-null-sink sink_name=meetling_sink" \
        --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
        --log-target=file:"$dir/log" 2>>"$dir/log"
    answering() { PULSE_SERVER=unix:$1/native pactl info >/dev/null 2>&1; }
    wait_for "the PulseAudio server to answer" answering "$dir"
}

# Returns once the server has ended, so that a new one can take its socket.
stop() {
    dir=$1
    server=$(cat "$dir/pulse/pid" 2>/dev/null || true)
    HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config pulseaudio --kill 2>/dev/null || true
    server_gone() { [ "$(cat "/proc/$server/comm" 2>/dev/null)" != pulseaudio ]; }
    [ -z "$server" ] || wait_for "the PulseAudio server to end" server_gone
}

case "${1:-}" in
start) start "$2" ;;
stop) stop "$2" ;;
*)
    echo "usage: pulse.sh start DIR | stop DIR" >&2
    exit 2
    ;;
esac
