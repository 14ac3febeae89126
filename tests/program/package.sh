#!/bin/sh
# Builds the Debian package and checks that it carries what `cmake --install`
# installs, depends on the libraries, fonts and icon theme the program needs,
# has no maintainer scripts, passes lintian, and documents every option in
# its manual page.
#   package.sh BUILD_DIR VERSION
set -u
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
deb=$root/meetling_$2_$(dpkg --print-architecture).deb
failed=0
fail() { echo "package: $*"; failed=1; }

# cpack packs the tree as it is built, into a folder of the test's own: it
# builds nothing, so the tests running beside it keep the programs they run.
cpack --config "$build/CPackConfig.cmake" -B "$root" >"$root/log" 2>&1 || { cat "$root/log"; echo "package: cpack failed"; exit 1; }
[ -f "$deb" ] || { cat "$root/log"; echo "package: no $deb"; exit 1; }

DESTDIR=$root/tree cmake --install "$build" --prefix /usr >/dev/null
(cd "$root/tree" && find . -type f | sort) >"$root/installed"
dpkg-deb --contents "$deb" | awk '!/^d/ { print $6 }' | sort >"$root/packaged"
diff "$root/installed" "$root/packaged" || fail "the package's files differ from the installed ones"

info=$(dpkg-deb --info "$deb")
depends=$(printf '%s\n' "$info" | sed -n 's/^ Depends: //p')
for package in libqt6widgets6 libqt6gui6 libpulse0 fonts-noto-cjk fonts-ipafont-gothic hicolor-icon-theme; do
    printf '%s' "$depends" | grep -q "\\b$package\\b" || fail "does not depend on $package: $depends"
done
printf '%s\n' "$info" | grep -q "^ Section: education" || fail "section is not education"
printf '%s\n' "$info" | grep -Eq "^ +[0-9]+ bytes, +[0-9]+ lines +\*? *(pre|post)(inst|rm)" && fail "has maintainer scripts"

# lintian accepts the package: no error and no warning (its informational
# tags are fine).
lintian --fail-on error,warning "$deb" >"$root/lintian" 2>&1 || { cat "$root/lintian"; fail "lintian rejects the package"; }

# The manual page gives every option --help does, and no other.
page=$(dirname "$0")/../../desktop/meetling-stats.1
if [ -x "$build/meetling-stats" ]; then
    "$build/meetling-stats" --help | grep -o -- '--[a-z]*' | sort -u >"$root/help-options"
    sed 's/\\-/-/g' "$page" | grep -o -- '--[a-z]*' | sort -u >"$root/page-options"
    diff "$root/help-options" "$root/page-options" >/dev/null \
        || fail "meetling-stats.1 and --help give other options: $(diff "$root/help-options" "$root/page-options" | grep '^[<>]' | tr '\n' ' ')"
fi

[ "$failed" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit "$failed"
