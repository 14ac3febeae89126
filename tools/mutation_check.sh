#!/bin/sh
# Puts each small fault of tools/mutations.txt into the sources in turn,
# builds what its tests need, runs them and records whether they caught
# it; the file is put back after every fault, also when the check is
# interrupted.
#   sh tools/mutation_check.sh [BUILD_DIR] [ID...]
#   sh tools/mutation_check.sh --check [ID...]
# BUILD_DIR defaults to build (an existing, configured build tree). With IDs,
# only those faults run. Logs and a table of the results go to
# BUILD_DIR/mutation/. Exits 1 when a fault survives, 2 on a bad fault line.
# --check only verifies that each fault's text occurs once in its file: no
# build, no tests.
set -u
repo=$(cd "$(dirname "$0")/.." && pwd)
list=$repo/tools/mutations.txt
check=
if [ "${1:-}" = --check ]; then
    check=1
    shift
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
else
    build=${1:-build}
    [ $# -gt 0 ] && shift
    case $build in /*) ;; *) build=$(pwd)/$build ;; esac
    [ -f "$build/CMakeCache.txt" ] || { echo "mutation_check: $build is not a configured build tree" >&2; exit 2; }
    out=$build/mutation
    mkdir -p "$out"
fi
results=$out/results.tsv
: > "$results"
began=$(date +%s)

# The fault lines asked for: every one, or those whose id is named.
rows=$out/rows.tsv
grep -v '^#' "$list" | grep -v '^[[:space:]]*$' > "$rows.all"
if [ $# -gt 0 ]; then
    : > "$rows"
    for id in "$@"; do
        awk -F'\t' -v id="$id" '$1 == id' "$rows.all" | grep . >> "$rows" ||
            { echo "mutation_check: no fault named $id" >&2; exit 2; }
    done
else
    cp "$rows.all" "$rows"
fi
rm -f "$rows.all"

# Writes FILE with FIND replaced by REPLACE to stdout; fails unless FIND
# occurs exactly once in FILE. Plain text, no patterns.
replace_once() {
    FIND=$2 REPLACE=$3 awk '
        BEGIN { find = ENVIRON["FIND"]; repl = ENVIRON["REPLACE"]; n = 0 }
        { lines[NR] = $0
          rest = $0
          while ((i = index(rest, find)) > 0) { n++; rest = substr(rest, i + length(find)) } }
        END {
          if (n != 1) { print "found " n " times" > "/dev/stderr"; exit 1 }
          for (l = 1; l <= NR; l++) {
            i = index(lines[l], find)
            if (i > 0) lines[l] = substr(lines[l], 1, i - 1) repl substr(lines[l], i + length(find))
            print lines[l] } }' "$1"
}

# Reads the fields of fault line $1 into id, file, tests, find, replace and
# what (awk, since read would merge the two tabs around an empty field).
field() { awk -F'\t' -v n="$1" -v f="$2" 'NR == n { print $f }' "$rows"; }
fault() {
    id=$(field "$1" 1) file=$(field "$1" 2) tests=$(field "$1" 3)
    find=$(field "$1" 4) replace=$(field "$1" 5) what=$(field "$1" 6)
}
count=$(wc -l < "$rows")

# Every fault must apply before any runs: a stale line fails at once.
bad=0
n=0
while [ "$n" -lt "$count" ]; do
    n=$((n + 1))
    fault "$n"
    if [ ! -f "$repo/$file" ]; then
        echo "mutation_check: $id: no file $file" >&2; bad=1
    elif ! replace_once "$repo/$file" "$find" "$replace" >/dev/null 2>"$out/err"; then
        echo "mutation_check: $id: the text to find in $file is $(cat "$out/err"), not once: $find" >&2; bad=1
    fi
done
[ "$bad" = 0 ] || exit 2
[ -z "$check" ] || { echo "mutation_check: all $count faults apply"; exit 0; }

# The file under change and its saved original, for the trap.
current=
saved=$out/original
restore() {
    if [ -n "$current" ]; then
        # cat, not cp -p: the restored file must look newer than the objects
        # built from the fault, or the next build would keep them.
        cat "$saved" > "$current"
        current=
    fi
}
trap 'restore' EXIT
trap 'restore; echo "mutation_check: interrupted, sources restored" >&2; exit 130' INT TERM HUP

build_tree() { cmake --build "$build" -j2 < /dev/null > "$1" 2>&1; }

# Writes to $1 the tests a fault runs ($only but $skip, without the fixtures
# ctest adds), a line each in the order listed: the test's name, a tab, and
# the test program built here that it runs, or nothing for a script.
planned() {
    ctest --test-dir "$build" -N -V -R "$only" -E "$skip" -FA '.*' < /dev/null |
        awk -v tree="$build/" '
            /^[0-9]+: Test command: / { command = $4 }
            /^  Test +#[0-9]+: / {
                program = ""
                if (index(command, tree) == 1) { n = split(command, part, "/"); program = part[n] }
                print $NF "\t" program
                command = "" }' > "$1"
}

echo "mutation_check: building $build and running the tests unchanged"
build_tree "$out/baseline.log" || { echo "mutation_check: the unchanged tree does not build, see $out/baseline.log" >&2; exit 2; }
ctest --test-dir "$build" -E '^(meetling_package|tst_audio)$' -j2 < /dev/null >> "$out/baseline.log" 2>&1 ||
    { echo "mutation_check: the unchanged tree fails its tests, see $out/baseline.log" >&2; exit 2; }

n=0
while [ "$n" -lt "$count" ]; do
    n=$((n + 1))
    fault "$n"
    log=$out/$id.log
    cp "$repo/$file" "$saved"
    current=$repo/$file
    replace_once "$saved" "$find" "$replace" > "$current"
    printf '%-32s ' "$id"
    case $tests in
    all) skip='^meetling_package$' only=. ;;
    all-but-audio) skip='^(meetling_package|tst_audio)$' only=. ;;
    *) skip='^meetling_package$' only=$tests ;;
    esac
    # The first failing test is enough: it stops there. The tests run one at
    # a time in the order they are listed, the quick unit tests first, and a
    # test program is built just before it runs: a fault in a header that
    # the first unit test catches costs that test's build, not the whole
    # tree's. The tests run by a script (the real programs on Xvfb) come
    # last, after the whole tree is built. ctest adds the fixtures a test
    # needs (the X server, the audio server) by itself.
    planned "$out/planned.tsv"
    : > "$log"
    result= built=' ' scripted= failed=
    while IFS='	' read -r name program; do
        if [ -z "$program" ]; then
            scripted="$scripted|^$name\$"
            continue
        fi
        case $built in
        *" $program "*) ;;
        *)  cmake --build "$build" -j2 --target "$program" < /dev/null >> "$log" 2>&1 || { result="does not compile"; break; }
            built="$built$program " ;;
        esac
        ctest --test-dir "$build" -R "^$name\$" --output-on-failure < /dev/null >> "$log" 2>&1 || { failed=1; break; }
    done < "$out/planned.tsv"
    if [ -z "$result" ] && [ -z "$failed" ] && [ -n "$scripted" ]; then
        if ! build_tree "$log.build"; then
            cat "$log.build" >> "$log"
            result="does not compile"
        else
            ctest --test-dir "$build" -R "${scripted#|}" -j2 --output-on-failure --stop-on-failure < /dev/null >> "$log" 2>&1 || failed=1
        fi
        rm -f "$log.build"
    fi
    if [ -n "$result" ]; then
        :
    elif [ -z "$failed" ]; then
        result=SURVIVED
    else
        # The failed tests, each with the test functions that failed in it.
        result=$(awk '
            /^[0-9]+: FAIL!  : / || /^FAIL!  : / { line = $0; sub(/^[0-9]+: /, "", line)
                split(line, parts, "::"); cls = parts[1]; sub(/^FAIL!  : /, "", cls)
                f = parts[2]; sub(/[(].*/, "", f); key = cls "::" f
                if (!(key in seen)) { seen[key] = 1; order[++m] = key } }
            /tests FAILED:/ { listing = 1; next }
            listing && / - / { t = $0; sub(/^.* - /, "", t); sub(/ [(].*/, "", t); failed[++n] = t }
            END { s = ""
                  for (i = 1; i <= n; i++) s = s (s == "" ? "" : ", ") failed[i]
                  if (m > 0) { fs = ""
                      for (i = 1; i <= m; i++) fs = fs (fs == "" ? "" : " ") order[i]
                      s = s " [" fs "]" }
                  print s }' "$log")
        [ -n "$result" ] || result="(failed, see log)"
    fi
    restore
    echo "$result"
    printf '%s\t%s\t%s\t%s\n' "$id" "$(dirname "$file")" "$what" "$result" >> "$results"
done

# Leave the build tree built from the unchanged sources.
build_tree "$out/final.log" || echo "mutation_check: the restored tree does not build, see $out/final.log" >&2

echo
awk -F'\t' '
    { w1 = length($1) > w1 ? length($1) : w1; w2 = length($2) > w2 ? length($2) : w2; row[NR] = $0 }
    END {
        printf "%-" w1 "s  %-" w2 "s  %s\n", "id", "folder", "what it breaks / caught by"
        for (i = 1; i <= NR; i++) {
            split(row[i], f, "\t")
            printf "%-" w1 "s  %-" w2 "s  %s\n%-" w1 "s  %-" w2 "s    -> %s\n", f[1], f[2], f[3], "", "", f[4]
        }
    }' "$results"
total=$(wc -l < "$results")
survived=$(awk -F'\t' '$4 == "SURVIVED"' "$results" | wc -l)
broken=$(awk -F'\t' '$4 == "does not compile"' "$results" | wc -l)
counted=$((total - broken))
caught=$((counted - survived))
echo
echo "score: $caught caught of $counted faults that compile ($survived survived, $broken do not compile), $(( $(date +%s) - began )) s"
echo "details: $results and $out/ID.log"
[ "$survived" = 0 ]
