#!/bin/sh
# Takes docs/screenshot.png (the screenshot the AppStream metadata names):
# the board window a few seconds into a run where both walk, on a private
# X server; then docs/meetling-answer.png and docs/meetling-answer-1024x768.png,
# the answer window as it opens with its first settings on a 1280 x 800 and
# a 1024 x 768 screen, and docs/meetling-answer-ja.png, the first in
# Japanese; then docs/meetling-answer-class-at-speed.png, a class
# at speed in the middle of its runs, full screen on a 1920 x 1080 projector.
# Needs a build (make build), ImageMagick's `import` and, for the last, the
# openbox window manager (the window takes the keyboard's focus from it).
#   sh scripts/screenshot.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
xdir=$(mktemp -d)
sh tests/program/xvfb.sh start "$xdir"
pid=""
# Under set -e a failing command ends the trap too: the server is stopped
# whether or not a program is left to kill.
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; sh tests/program/xvfb.sh stop "$xdir"; rm -rf "$xdir"' EXIT
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
# 1280 x 800 screen and a classroom projector's 1024 x 768, and on the
# laptop in Japanese.
for shot in 1280x800:docs/meetling-answer.png:C.UTF-8 1024x768:docs/meetling-answer-1024x768.png:C.UTF-8 \
            1280x800:docs/meetling-answer-ja.png:ja_JP.UTF-8; do
    size=${shot%%:*}
    file=${shot#*:}
    language=${file#*:}
    file=${file%:*}
    sh tests/program/xvfb.sh start "$xdir" "$size"
    DISPLAY=$(cat "$xdir/display")
    home=$xdir/home
    rm -rf "$home"
    mkdir -p "$home"
    LANGUAGE= LC_ALL=$language HOME=$home XDG_CONFIG_HOME=$home/.config "$build/meetling-answer" >/dev/null 2>&1 &
    pid=$!
    sleep 4
    window=$(xdotool search --onlyvisible --pid "$pid" --class "meetling-answer" | head -n 1)
    import -window "$window" "$file"
    echo "wrote $file"
    kill "$pid"
    pid=""
    sh tests/program/xvfb.sh stop "$xdir"
done

# A class at speed 12 s into its runs at 20 times real time: two thirds of
# its groups done. F11 fills the screen; the page's title stands at that
# point of the list there.
sh tests/program/xvfb.sh start "$xdir" 1920x1080
DISPLAY=$(cat "$xdir/display")
home=$xdir/home
rm -rf "$home"
mkdir -p "$home"
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
LANGUAGE= LC_ALL=C.UTF-8 HOME=$home XDG_CONFIG_HOME=$home/.config "$build/meetling-answer" >/dev/null 2>&1 &
pid=$!
sleep 4
xdotool key F11
sleep 1
xdotool mousemove 878 674 click 1 mousemove 1919 1079
sleep 0.5
xdotool key space
sleep 12
import -window root docs/meetling-answer-class-at-speed.png
echo "wrote docs/meetling-answer-class-at-speed.png"
kill "$pid" "$wm"
pid=""
