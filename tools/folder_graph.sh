#!/bin/sh
# Prints which folder of src/ includes a header of which other folder, one
# "from to" pair a line, and fails when folders include each other in a
# circle (tsort then names the folders of the circle). Every include of a
# project header names its folder: #include "core/walkstate.h".
#   sh tools/folder_graph.sh
set -eu
cd "$(dirname "$0")/../src"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
edges=$(grep -o '^#include "[^"]*/[^"]*"' */*.cpp */*.h | sed 's/:#include "/ /; s/"$//' |
    while read -r file included; do
        from=${file%%/*}
        to=${included%%/*}
        if [ -d "$to" ] && [ "$to" != "$from" ]; then
            echo "$from $to"
        fi
    done | sort -u)
echo "$edges"
if ! echo "$edges" | tsort >/dev/null 2>"$errors"; then
    sed 's/^tsort: /folder_graph: /' "$errors" >&2
    exit 1
fi
