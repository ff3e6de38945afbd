#!/bin/bash
# --nets and --check on the example boards: the listing, its JSON form,
# agreement, the board with one cut missing, and unreadable netlists.
set -u
program="$1"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
examples="$source_dir/examples"
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
    [ "$got" -eq "$want" ] || fail "cuprolay $* exited $got, expected $want ($(head -c 300 "$work/err"))"
}

expect_status 0 --nets "$examples/timer.cpx"
cat >"$work/want" <<'NETS'
C1.1 IC1.2 IC1.6 RB.2
C1.2 C2.2 C3.2 D1.1 IC1.1 J1.2
C2.1 IC1.5
C3.1 IC1.4 IC1.8 J1.1 RA.1
D1.2 R3.2
IC1.3 R3.1
IC1.7 RA.2 RB.1
NETS
diff "$work/want" "$work/out" >&2 || fail "--nets of the timer"
[ -s "$work/err" ] && fail "--nets warned about the timer: $(cat "$work/err")"

# The JSON form holds the same nets.
expect_status 0 --nets "$examples/timer.cpx" --json
python3 - "$work/out" "$work/want" <<'PY' || fail "--nets --json does not match the text form"
import json, sys
data = json.load(open(sys.argv[1]))
lines = [" ".join(f"{m['ref']}.{m['pin']}" for m in net) for net in data["nets"]]
want = open(sys.argv[2]).read().split("\n")[:-1]
assert lines == want, (lines, want)
assert {p["ref"] for p in data["parts"]} >= {"IC1", "RA", "RB", "C1", "J1"}
assert data["warnings"] == []
PY

# A part without a description gets a made-up name and a warning.
printf 'VERSION 1.000 Cuprolay generated data\nNPN 0 20 20 \nRES 0 10 10 10 20 * 54 77 R1 1k\n' >"$work/unnamed.cpx"
expect_status 0 --nets "$work/unnamed.cpx"
grep -q "NPN@20,20.2" "$work/out" || fail "no made-up name in: $(cat "$work/out")"
grep -q "warning: the NPN at (20,20) has no description; it is called NPN@20,20" "$work/err" ||
    fail "no warning for the unnamed part: $(cat "$work/err")"

expect_status 0 --check "$examples/timer.cpx" "$examples/timer.net"
grep -qx "the board and the netlist agree" "$work/out" || fail "agreement not said: $(cat "$work/out")"

expect_status 1 --check "$examples/timer-missing-cut.cpx" "$examples/timer.net"
grep -q '^short: the board joins net "/TRIG" .* and net "/DIS" at IC1.7 (46,32); .*strip (40,32)-(46,32)$' "$work/out" ||
    fail "the missing cut is not reported: $(cat "$work/out")"
[ "$(wc -l <"$work/out")" -eq 1 ] || fail "more than the one difference: $(cat "$work/out")"

# Netlists that cannot be read: status 2 and the place of the problem.
head -n 20 "$examples/timer.net" >"$work/cut.net"
expect_status 2 --check "$examples/timer.cpx" "$work/cut.net"
grep -q "cut.net:20:5: this ( is never closed" "$work/err" || fail "unclosed list: $(cat "$work/err")"
printf '\177ELF\2\1\1\0\0\0' >"$work/binary.net"
expect_status 2 --check "$examples/timer.cpx" "$work/binary.net"
grep -q "binary.net:1:1: unexpected byte 0x7f" "$work/err" || fail "binary file: $(cat "$work/err")"
sed 's/(ref "RB")/(ref "RA")/' "$examples/timer.net" >"$work/twice.net"
expect_status 2 --check "$examples/timer.cpx" "$work/twice.net"
grep -q "the reference RA is used twice" "$work/err" || fail "duplicate reference: $(cat "$work/err")"
sed 's/(ref "IC1") (pin "8")/(ref "IC1") (pin "9")/' "$examples/timer.net" >"$work/pin9.net"
expect_status 2 --check "$examples/timer.cpx" "$work/pin9.net"
grep -q "IC1 has no pin 9 on the board (the DIL8 at (40,30))" "$work/err" || fail "missing pin: $(cat "$work/err")"
expect_status 2 --check "$examples/timer.cpx" "$work/none.net"
grep -q "cannot open the netlist" "$work/err" || fail "missing netlist: $(cat "$work/err")"

# Wrong command lines.
expect_status 2 --nets
expect_status 2 --nets "$examples/timer.cpx" --xml
expect_status 2 --check "$examples/timer.cpx"
expect_status 1 --nets "$work/no-such-board.cpx"

[ "$failures" -eq 0 ] || exit 1
echo "ok"
