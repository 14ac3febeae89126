#!/bin/sh
# Brings the catalogues up to date with the sources: texts new or changed
# come in unfinished, texts gone are dropped. Each library's folder has a
# Japanese catalogue and an English one that holds the plural forms alone.
#   tools/translations.sh [FOLDER]   (FOLDER: where the .ts files are; translations/)
# LUPDATE names the lupdate to run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$root/translations}
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
for library in stats answer; do
    "$lupdate" -silent -locations none -no-obsolete -target-language ja_JP \
        "$root/src/$library" -ts "$folder/meetling_${library}_ja.ts"
    "$lupdate" -silent -locations none -no-obsolete -target-language en_US -pluralonly \
        "$root/src/$library" -ts "$folder/meetling_${library}_en.ts"
done
