#!/bin/bash
# The Windows program's outputs equal the Linux program's byte for byte:
# pictures of the example boards at both zooms, every export format, the
# transcripts and files of every scripted session, and the plain outputs.
# Usage: same_output.sh LINUX_PROGRAM WINDOWS_PROGRAM
set -u
linux="${1:?linux program}"
windows="${2:?windows program}"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
[ -x "$linux" ] || { echo "no Linux program at $linux" >&2; exit 1; }

# run_both NAME COMMAND...: runs COMMAND with @P@ replaced by each program
# in a fresh directory run/ holding the example boards, then compares the
# two directories (the files written, standard output and error, status).
run_both() {
    local name="$1"
    shift
    local side program
    for side in linux windows; do
        [ "$side" = linux ] && program="$linux" || program="$windows"
        rm -rf "$work/run"
        mkdir "$work/run"
        cp "$source_dir"/examples/*.cpx "$work/run/"
        local words=()
        for word in "$@"; do words+=("${word//@P@/$program}"); done
        (cd "$work/run" && "${words[@]}" >"$work/run/stdout" 2>"$work/run/stderr" </"$work/stdin"
         echo $? >"$work/run/status")
        mv "$work/run" "$work/$side-$name"
    done
    diff -r "$work/linux-$name" "$work/windows-$name" >"$work/diff-$name" 2>&1 ||
        fail "$name differs: $(head -c 400 "$work/diff-$name")"
}

: >"$work/stdin"
run_both help @P@ --help
run_both version @P@ --version
run_both usage @P@ --render

for board in "$source_dir"/examples/*.cpx; do
    base="$(basename "$board" .cpx)"
    run_both "render-$base" sh -c '"$0" --render "$1" z10.png && "$0" --render "$1" z20.png --zoom 20 &&
        "$0" --render "$1" z20.ppm --zoom 20' @P@ "$base.cpx"
    for format in pdf ps ps2 gerber; do
        run_both "export-$base-$format" @P@ --export "$format" "$base.cpx" out
        run_both "export-$base-$format-scaled" @P@ --export "$format" "$base.cpx" out --scale 0.7 1.9
    done
done

# Every scripted session, on the timer board, with the files it asks for.
for script in "$source_dir"/tests/e2e/scripts/*.script; do
    base="$(basename "$script" .script)"
    sed "s|@WORK@|$work/run|g" "$script" >"$work/$base.script"
    run_both "script-$base" sh -c 'cp timer.cpx start.cpx && cp amplifier.cpx part.cpx &&
        "$0" --script "$1" start.cpx' @P@ "$work/$base.script"
done

# A script on standard input is read as bytes: 0x1A is no end of file.
printf 'key h\n# \032 in a comment\nkey a\nkey q\n' >"$work/stdin"
run_both script-stdin @P@ --script -
grep -q "About Cuprolay" "$work/windows-script-stdin/stdout" ||
    fail "the script on standard input ended early: $(cat "$work/windows-script-stdin/stdout")"

[ "$failures" -eq 0 ] || { echo "$failures comparison(s) failed" >&2; exit 1; }
echo "Windows outputs equal the Linux outputs"
