#!/bin/sh
# Prints which folder of src/ includes a header of which other folder, one
# "from to" pair a line, and fails when folders include each other in a
# circle (tsort then names the folders of the circle).
#   sh tools/folder_graph.sh
set -eu
cd "$(dirname "$0")/../src"
owners=$(mktemp)
trap 'rm -f "$owners"' EXIT
for header in */*.h; do
    echo "${header##*/} ${header%%/*}"
done > "$owners"
edges=$(grep -o '^#include "[^"]*"' */*.cpp */*.h | sed 's/:#include "/ /; s/"$//' |
    while read -r file included; do
        from=${file%%/*}
        to=$(awk -v h="$included" '$1 == h { print $2; exit }' "$owners")
        if [ -n "$to" ] && [ "$to" != "$from" ]; then
            echo "$from $to"
        fi
    done | sort -u)
echo "$edges"
if ! echo "$edges" | tsort >/dev/null 2>"$owners"; then
    sed 's/^tsort: /folder_graph: /' "$owners" >&2
    exit 1
fi
