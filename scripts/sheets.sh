#!/bin/sh
# Draws docs/pupils-sheet.png and docs/teacher-sheet.png, the README's small
# pictures of the lesson's sheets: meetling-stats writes both as PDF for the
# default question, and poppler's pdftoppm renders them; and
# docs/pupils-sheet-ja.png, the pupils' sheet in Japanese. Needs a build
# (make build).
#   sh scripts/sheets.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export LANGUAGE=
LC_ALL=C.UTF-8 "$build/meetling-stats" --runs 1 --pupils-sheet "$dir/pupils.pdf" --teacher-sheet "$dir/teacher.pdf" >/dev/null
LC_ALL=ja_JP.UTF-8 "$build/meetling-stats" --runs 1 --pupils-sheet "$dir/pupils-ja.pdf" >/dev/null
for sheet in pupils teacher pupils-ja; do
    pdftoppm -png -singlefile -scale-to 480 "$dir/$sheet.pdf" "docs/$sheet-sheet"
    echo "wrote docs/$sheet-sheet.png"
done
