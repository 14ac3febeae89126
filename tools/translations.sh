#!/bin/sh
# Brings the catalogues up to date with the sources: texts new or changed
# come in unfinished, texts gone are dropped. Each catalogue has a file for
# each language of MEETLING_LANGUAGES (the top CMakeLists.txt); the first,
# English, the texts' own language, holds the plural forms alone.
#   tools/translations.sh [FOLDER]   (FOLDER: where the .ts files are; translations/)
# LUPDATE names the lupdate to run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$root/translations}
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
languages=$(sed -n 's/^set(MEETLING_LANGUAGES \(.*\))$/\1/p' "$root/CMakeLists.txt")
[ -n "$languages" ] || { echo "translations.sh: no MEETLING_LANGUAGES in $root/CMakeLists.txt" >&2; exit 1; }
own=${languages%% *}
# The statistics tool's catalogue holds the texts of its law, words,
# pictures and command line; the answer window's those of src/answer.
for catalogue in stats answer; do
    case $catalogue in
    stats) sources="$root/src/law $root/src/words $root/src/pictures $root/src/stats" ;;
    *) sources="$root/src/$catalogue" ;;
    esac
    for language in $languages; do
        only=
        [ "$language" = "$own" ] && only=-pluralonly
        # shellcheck disable=SC2086 # the folders are split on purpose
        "$lupdate" -silent -locations none -no-obsolete -I "$root/src" -target-language "$language" $only \
            $sources -ts "$folder/meetling_${catalogue}_${language%%_*}.ts"
    done
done
