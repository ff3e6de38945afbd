#!/bin/bash
# A board too large for the memory the program may take: the editor ends
# with the out-of-memory box and status 1, and the file on disk is whole.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

awk 'BEGIN {
    print "VERSION 1.000 Cuprolay generated data"
    for (i = 0; i < 60000; i++) {
        x = (i * 7) % 60 + 1; y = (i * 3) % 38 + 1
        printf "RES 0 %d %d %d %d * %d %d R%d\n", 2 * x, 2 * y, 2 * x, 2 * y + 2, 10 * x, 10 * y, i
    }
}' > "$WORK/big.cpx"
cp "$WORK/big.cpx" "$WORK/big.orig"
printf 'key ^S\nfile %s/big.cpx\nok\nkey q\nok\n' "$WORK" > "$WORK/short.script"

(ulimit -v 30000; cd "$WORK" && "$CUPROLAY" --script "$WORK/short.script" "$WORK/big.cpx" \
    > "$WORK/short.out" 2> "$WORK/short.err")
echo $? > "$WORK/short.rc"
expect_status short 1
grep -qxF 'message "Error" "Out of memory in malloc" -> ok' "$WORK/short.out" ||
    fail "no out-of-memory box: $(tail -3 "$WORK/short.out")"
grep -q 'bad_alloc\|terminate' "$WORK/short.err" && fail "an exception escaped: $(cat "$WORK/short.err")"
cmp -s "$WORK/big.cpx" "$WORK/big.orig" || fail "the board file changed"
[ "$(ls "$WORK" | grep -c saving)" = 0 ] || fail "left behind: $(ls "$WORK")"

# With room the same session loads and saves the whole board.
(cd "$WORK" && "$CUPROLAY" --script "$WORK/short.script" "$WORK/big.cpx" > "$WORK/room.out" 2> "$WORK/room.err")
echo $? > "$WORK/room.rc"
expect_status room 0
[ "$(grep -c "^RES " "$WORK/big.cpx")" = 60000 ] || fail "saved $(grep -c "^RES " "$WORK/big.cpx") wires"

finish
