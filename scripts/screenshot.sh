#!/bin/sh
# Takes docs/screenshot.png (the screenshot the AppStream metadata names):
# the board window a few seconds into a run where both walk, on a private
# X server; then docs/meetling-answer.png and docs/meetling-answer-1024x768.png,
# the answer window as it opens with its first settings on a 1280 x 800 and
# a 1024 x 768 screen.  Needs a build (make build) and ImageMagick's
# `import`.
#   sh scripts/screenshot.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
xdir=$(mktemp -d)
sh tests/program/xvfb.sh start "$xdir"
pid=""
trap 'kill "$pid" 2>/dev/null; sh tests/program/xvfb.sh stop "$xdir"; rm -rf "$xdir"' EXIT
DISPLAY=$(cat "$xdir/display")
export DISPLAY
PULSE_SERVER=unix:/nonexistent/meetling "$build/meetling" >/dev/null 2>&1 &
pid=$!
sleep 2
window=$(xdotool search --pid "$pid" --name "Meetling experiment" | head -n 1)
xdotool mousemove --window "$window" 360 12 click 1   # When two srart
sleep 0.5
for i in 1 2 3 4; do xdotool key Return; sleep 0.3; done
xdotool mousemove --window "$window" 268 12 click 1   # Start
xdotool mousemove 0 0
sleep 6
import -window "$window" docs/screenshot.png
echo "wrote docs/screenshot.png"
kill "$pid"
pid=""
sh tests/program/xvfb.sh stop "$xdir"

# The answer window as it opens with its first settings, on a laptop's
# 1280 x 800 screen and a classroom projector's 1024 x 768.
for shot in 1280x800:docs/meetling-answer.png 1024x768:docs/meetling-answer-1024x768.png; do
    size=${shot%%:*}
    file=${shot#*:}
    sh tests/program/xvfb.sh start "$xdir" "$size"
    DISPLAY=$(cat "$xdir/display")
    home=$xdir/home
    rm -rf "$home"
    mkdir -p "$home"
    HOME=$home XDG_CONFIG_HOME=$home/.config "$build/meetling-answer" >/dev/null 2>&1 &
    pid=$!
    sleep 4
    window=$(xdotool search --pid "$pid" --name "Meetling answer" | head -n 1)
    import -window "$window" "$file"
    echo "wrote $file"
    kill "$pid"
    pid=""
    sh tests/program/xvfb.sh stop "$xdir"
done
