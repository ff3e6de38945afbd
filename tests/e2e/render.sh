#!/bin/bash
# The command line's --render, --help and --version: exit codes, picture
# sizes and a few pixel colours of an example board at both zooms.
set -u
program="$1"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_status STATUS command...: runs the program, output kept in $work/out, $work/err.
expect_status() {
    local want="$1"
    shift
    "$program" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "cuprolay $* exited $got, expected $want ($(head -c 200 "$work/err"))"
}

# Width and height of a PNG (from its IHDR chunk) or of a binary PPM.
image_size() {
    if [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = "211PNG" ]; then
        local b
        read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
        echo "$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3])) $(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))"
    else
        sed -n 2p "$1"
    fi
}

# check_colours FILE ZOOM CHECKS: CHECKS holds lines "X Y R G B what", the
# colour expected under model point (X, Y); prints one line per mismatch.
check_colours() {
    python3 - "$1" "$2" "$3" <<'PY'
import sys
path, zoom, checks = sys.argv[1], int(sys.argv[2]), sys.argv[3]
data = open(path, 'rb').read()
magic, size, depth, pixels = data.split(b'\n', 3)
width, height = map(int, size.split())
scale = zoom // 10
for line in checks.strip().splitlines():
    x, y, r, g, b, what = line.split(None, 5)
    i = ((int(y) * scale) * width + int(x) * scale) * 3
    got = tuple(pixels[i:i + 3])
    if got != (int(r), int(g), int(b)):
        print(f"{what} at ({x}, {y}) zoom {zoom} is {got}, expected ({r}, {g}, {b})")
PY
}

# --help and --version
expect_status 0 --help
for form in "--script SCRIPT" "--render BOARD OUT" "--export FORMAT BOARD OUT" "--help" "[BOARD]"; do
    grep -qF -- "$form" "$work/out" || fail "--help does not list $form"
done
expect_status 0 --version
grep -qx "cuprolay 1.00" "$work/out" || fail "--version printed '$(cat "$work/out")'"

# Usage errors
expect_status 2 --frobnicate
grep -q "usage" "$work/err" || fail "unknown option gives no usage on stderr"
expect_status 2 --render
expect_status 2 --render "$source_dir/examples/timer.cpx"
expect_status 2 --render "$source_dir/examples/timer.cpx" "$work/x.png" --zoom 15
expect_status 2 --render "$source_dir/examples/timer.cpx" "$work/x.png" --zoom
expect_status 2 --render "$source_dir/examples/timer.cpx" "$work/x.png" extra

# Failures: exit 1 with a message
expect_status 1 --render "$work/missing.cpx" "$work/x.png"
[ -s "$work/err" ] || fail "a missing board gives no message"
printf 'VERSION 1.000 Cuprolay generated data\nGADGET 0 1 2 3\n' >"$work/unknown.cpx"
expect_status 1 --render "$work/unknown.cpx" "$work/x.png"
grep -q "GADGET is an unknown element in Cuprolay source" "$work/err" || fail "unknown element not reported"
[ ! -e "$work/x.png" ] || fail "a failed load still wrote a picture"
expect_status 1 --render "$source_dir/examples/timer.cpx" "$work/no/such/dir/x.png"
[ -s "$work/err" ] || fail "an unwritable picture gives no message"

# A skipped line is reported and the picture still written.
printf 'VERSION 1.000 Cuprolay generated data\nNPN 99 10 10\nRES 0 10 10 10 20 \n' >"$work/skip.cpx"
expect_status 0 --render "$work/skip.cpx" "$work/skip.ppm"
grep -q "Error: Component NPN has no variant 99" "$work/err" || fail "variant message not on stderr"
[ -s "$work/skip.ppm" ] || fail "no picture after a skipped line"

# Sizes at both zooms, PNG and PPM.
expect_status 0 --render "$source_dir/examples/timer.cpx" "$work/t10.png"
[ "$(image_size "$work/t10.png")" = "631 401" ] || fail "zoom 10 PNG is $(image_size "$work/t10.png")"
expect_status 0 --render "$source_dir/examples/timer.cpx" "$work/t20.png" --zoom 20
[ "$(image_size "$work/t20.png")" = "1262 802" ] || fail "zoom 20 PNG is $(image_size "$work/t20.png")"

# Colours of the timer board: board, hole, strip, cut, solder point, bridge.
timer_colours="
5 5 255 255 0 board background
60 60 200 200 200 unused hole
305 100 255 127 127 +9V strip
215 150 255 0 0 cut under the IC
200 150 0 0 0 solder point of pin 1
200 105 0 0 0 bridge between the +9V strips
"
for zoom in 10 20; do
    expect_status 0 --render "$source_dir/examples/timer.cpx" "$work/t$zoom.ppm" --zoom "$zoom"
    mismatches="$(check_colours "$work/t$zoom.ppm" "$zoom" "$timer_colours")"
    [ -z "$mismatches" ] || fail "$mismatches"
done
[ "$(image_size "$work/t20.ppm")" = "1262 802" ] || fail "zoom 20 PPM is $(image_size "$work/t20.ppm")"

# Every example renders without a message.
for board in "$source_dir"/examples/*.cpx; do
    expect_status 0 --render "$board" "$work/example.png"
    [ ! -s "$work/err" ] || fail "$(basename "$board") renders with messages: $(cat "$work/err")"
done

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "render: all checks passed"
