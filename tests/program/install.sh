#!/bin/sh
# Installs the build as a package would (DESTDIR, prefix /usr), checks the
# tree with the desktops' own validators, then starts the installed program
# and reads what its window tells the window manager.
#   install.sh BUILD_DIR XVFB_DIR APP_ID
set -u
. "$(dirname "$0")/../support/wait.sh"
build=$1
DISPLAY=$(cat "$2/display")
export DISPLAY
id=$3
root=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$root"' EXIT
failed=0
fail() { echo "install: $*"; failed=1; }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || { echo "install: cmake --install failed"; exit 1; }
share=$root/usr/share
entry=$share/applications/$id.desktop
[ -x "$root/usr/bin/meetling" ] || fail "no usr/bin/meetling"
"$root/usr/bin/meetling-stats" --version | grep -q "^meetling-stats " || fail "usr/bin/meetling-stats does not run"
desktop-file-validate "$entry" || fail "desktop entry rejected"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$root/validate" || { cat "$root/validate"; fail "metadata rejected"; }
for size in 16 32 48 64 128 256; do
    file "$share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," || fail "no $size x $size icon"
done
grep -qx "Icon=$id" "$entry" || fail "the entry names another icon"
# The answer window's entry and metadata, when the build has it; it shows the same icon.
for answer in "$share"/applications/*Answer.desktop; do
    [ -f "$answer" ] || continue
    [ -x "$root/usr/bin/meetling-answer" ] || fail "no usr/bin/meetling-answer"
    desktop-file-validate "$answer" || fail "the answer's desktop entry rejected"
    appstreamcli validate --no-net "$share/metainfo/$(basename "$answer" .desktop).metainfo.xml" >"$root/validate" \
        || { cat "$root/validate"; fail "the answer's metadata rejected"; }
    grep -qx "Icon=$id" "$answer" || fail "the answer's entry names another icon"
done

# The installed program finds its icon through the data directories, as in a desktop session.
XDG_DATA_DIRS=$share:/usr/share PULSE_SERVER=unix:/nonexistent/meetling "$root/usr/bin/meetling" >"$root/out" 2>&1 &
pid=$!
window=""
# A program that has ended shows no window: say so at once, with what it printed.
shown() {
    if ended "$pid"; then
        fail "the installed program ended before its window appeared"
        return 0
    fi
    find_window --all --onlyvisible --pid "$pid" --name "Meetling experiment"
}
wait_for "the installed program's window" shown && [ -n "$window" ] \
    || { cat "$root/out"; xwininfo -root -tree | grep -i meetling; echo "0 passed, 1 failed"; exit 1; }
class=$(sed -n 's/^StartupWMClass=//p' "$entry")
xprop -id "$window" WM_CLASS | grep -q ", \"$class\"\$" || fail "WM_CLASS is not the entry's \"$class\": $(xprop -id "$window" WM_CLASS)"
# Only the theme icon has a 256 x 256 picture; the window takes it just
# after its first paint.
themed() { xprop -len 1000000 -id "$window" _NET_WM_ICON | grep -q "Icon (256 x 256)"; }
wait_for "the window to take the theme icon" themed
echo "install: slowest wait $(slowest_wait)"
# The sound module is loaded once the window is painted; only a missing
# one is reported.
grep "meetling:" "$root/out" && fail "the installed program complains"

[ "$failed" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit "$failed"
