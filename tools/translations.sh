#!/bin/sh
# Brings the catalogues up to date with the sources: texts new or changed
# come in unfinished, texts gone are dropped. Each catalogue has a
# Japanese file and an English one that holds the plural forms alone.
#   tools/translations.sh [FOLDER]   (FOLDER: where the .ts files are; translations/)
# LUPDATE names the lupdate to run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$root/translations}
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
# The statistics tool's catalogue holds the texts of its law, words,
# pictures and command line; the answer window's those of src/answer.
for catalogue in stats answer; do
    case $catalogue in
    stats) sources="$root/src/law $root/src/words $root/src/pictures $root/src/stats" ;;
    *) sources="$root/src/$catalogue" ;;
    esac
    # shellcheck disable=SC2086 # the folders are split on purpose
    "$lupdate" -silent -locations none -no-obsolete -I "$root/src" -target-language ja_JP \
        $sources -ts "$folder/meetling_${catalogue}_ja.ts"
    # shellcheck disable=SC2086
    "$lupdate" -silent -locations none -no-obsolete -I "$root/src" -target-language en_US -pluralonly \
        $sources -ts "$folder/meetling_${catalogue}_en.ts"
done
