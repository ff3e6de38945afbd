# Shared by the script_*.sh end-to-end tests: runs scripted sessions of
# the editor and checks the saved board, the transcript and the pixels.
# Sourced with the cuprolay binary as $1.

set -u
CUPROLAY=${1:?usage: bash TEST.sh /path/to/cuprolay}
CUPROLAY=$(cd "$(dirname "$CUPROLAY")" && pwd)/$(basename "$CUPROLAY")
[ -x "$CUPROLAY" ] || { echo "no program at $CUPROLAY" >&2; exit 1; }
SOURCE_DIR=${CUPROLAY_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)}
SCRIPTS="$SOURCE_DIR/tests/e2e/scripts"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILURES=0

fail() {
    echo "FAIL: $*" >&2
    FAILURES=$((FAILURES + 1))
}

# run_session NAME SCRIPT [BOARD]: runs the editor from WORK, with the
# script's @WORK@ replaced by the work directory; the transcript goes to
# NAME.out, standard error to NAME.err, the exit status to NAME.rc.
run_session() {
    local name=$1 script=$2
    shift 2
    sed "s|@WORK@|$WORK|g" "$script" > "$WORK/$name.script"
    (cd "$WORK" && "$CUPROLAY" --script "$WORK/$name.script" "$@" \
        > "$WORK/$name.out" 2> "$WORK/$name.err")
    echo $? > "$WORK/$name.rc"
}

expect_status() {
    local name=$1 expected=$2
    local got
    got=$(cat "$WORK/$name.rc")
    [ "$got" = "$expected" ] || fail "$name: exit status $got, expected $expected ($(head -c 300 "$WORK/$name.err"))"
}

# expect_line FILE TEXT: FILE holds the line TEXT exactly.
expect_line() {
    [ -f "$1" ] || { fail "$(basename "$1") was not written"; return; }
    grep -qxF -- "$2" "$1" || fail "$(basename "$1") lacks the line: $2"
}

expect_no_line() {
    ! grep -qxF -- "$2" "$1" || fail "$(basename "$1") has the line: $2"
}

# expect_transcript NAME EXPECTED_FILE: the transcript is exactly that.
expect_transcript() {
    diff -u "$2" "$WORK/$1.out" > "$WORK/$1.diff" || fail "$1: transcript differs:
$(cat "$WORK/$1.diff")"
}

# pixel IMAGE.ppm X Y: prints "R G B" of the pixel at model (X, Y), zoom 10.
pixel() {
    local image=$1 x=$2 y=$3
    local header width
    header=$(head -n 3 "$image" | wc -c)
    width=$(sed -n 2p "$image" | cut -d' ' -f1)
    od -An -tu1 -j $((header + (y * width + x) * 3)) -N 3 "$image" | awk '{print $1, $2, $3}'
}

expect_pixel() {
    local image=$1 x=$2 y=$3 expected=$4
    local got
    [ -f "$image" ] || { fail "$(basename "$image") was not written"; return; }
    got=$(pixel "$image" "$x" "$y")
    [ "$got" = "$expected" ] || fail "$(basename "$image") pixel ($x, $y) is $got, expected $expected"
}

BLACK="0 0 0"
YELLOW="255 255 0"
STRIP="255 127 127"
CUT_RED="255 0 0"
TEXT_BLUE="0 0 255"

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed; files kept in $WORK" >&2
        trap - EXIT
        exit 1
    fi
    echo "all checks passed"
}
