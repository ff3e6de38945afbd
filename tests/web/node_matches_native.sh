#!/usr/bin/env bash
# node_matches_native.sh NATIVE WEB: the command-line program built for
# node must do exactly what the Linux one does. Every scripted session of
# the end-to-end tests, --render of every example at both zooms and every
# export format run under both from the same directory; transcripts,
# messages, exit codes and every file written must be byte for byte the
# same. The garbage collection's byte counts depend on the pointer size,
# so their figures are masked here (the native tests check them). The
# files' modes must agree too, under a creation mask of 027.
set -u
umask 027
native="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
web="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
base="$(mktemp -d)"
trap 'rm -rf "$base"' EXIT
work="$base/work"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The inputs the file sessions expect beside the examples.
seed() {
    rm -rf "$work"
    mkdir -p "$work"
    cp "$source_dir"/examples/*.cpx "$work/"
    local version="VERSION 1.000 Cuprolay generated data"
    printf '%s\nNPN 0 40 20 \nCUT 21 40\n' "$version" >"$work/start.cpx"
    printf '%s\nDIL8 0 90 30 \n' "$version" >"$work/part.cpx"
    printf '%s\nSIL1 0 10 10 \nNPN 99 40 60 \nSIL1 0 20 10 \n' "$version" >"$work/bad.cpx"
    for script in "$source_dir"/tests/e2e/scripts/*.script; do
        sed "s|@WORK@|$work|g" "$script" >"$work/$(basename "$script")"
    done
}

# run_all PROGRAM: every command, each one's output, errors and status kept.
run_all() {
    local program="$1" n=0
    cd "$work" || exit 1
    run() {
        n=$((n + 1))
        "$program" "$@" >"$work/out.$n" 2>"$work/err.$n"
        echo "$? $*" >"$work/status.$n"
    }
    for script in *.script; do
        run --script "$script" timer.cpx
    done
    run --script quit_close.script
    for board in amplifier catalog timer; do
        run --render "$board.cpx" "$board-10.ppm"
        run --render "$board.cpx" "$board-20.png" --zoom 20
        run --export pdf "$board.cpx" "$board.pdf"
        run --export ps "$board.cpx" "$board.ps" --scale 1.5 0.8
        run --export ps2 "$board.cpx" "$board.ps2"
        run --export gerber "$board.cpx" "$board-gerber"
    done
    run --render missing.cpx never.ppm
    run --export svg timer.cpx never.svg
    run --frobnicate
    # The collection's figures hold sizes of pointers.
    sed -i -E 's/(usage is|memory to) [0-9]+ bytes/\1 N bytes/' "$work"/out.*
    cd "$base" || exit 1
}

seed
run_all "$native"
mv "$work" "$base/native"
seed
run_all "$web"
mv "$work" "$base/web"

count=$(find "$base/native" -type f | wc -l)
[ "$count" -gt 60 ] || fail "only $count files from the native runs"
diff -r "$base/native" "$base/web" >"$base/diff" 2>&1 || fail "node and Linux differ:
$(head -c 3000 "$base/diff")"
modes() { (cd "$1" && find . -type f -printf '%m %p\n' | sort); }
modes "$base/native" >"$base/native.modes"
modes "$base/web" >"$base/web.modes"
diff "$base/native.modes" "$base/web.modes" >"$base/modes.diff" || fail "the files' modes differ:
$(head -n 20 "$base/modes.diff")"
grep -q '^640 ./timer.pdf$' "$base/web.modes" || fail "a new file does not get its mode from the mask 027"
for board in amplifier catalog timer; do
    [ -s "$base/web/$board-20.png" ] && [ -s "$base/web/$board.pdf" ] && [ -s "$base/web/$board-gerber.top" ] ||
        fail "$board: a picture or print is missing"
done
[ "$failures" -eq 0 ] && echo "node and Linux agree on $count files"
exit $((failures > 0))
