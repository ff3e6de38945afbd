#!/bin/bash
# Saving through links, over protected, hard-linked and device files, beside
# stray names; blank script lines of any white space; control bytes of a
# board file shown escaped on the terminal.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

VERSION_LINE="VERSION 1.000 Cuprolay generated data"
mkdir "$WORK/real"
printf '%s\nSIL1 0 1 1 \n' "$VERSION_LINE" > "$WORK/real/board.cpx"
chmod 600 "$WORK/real/board.cpx"
ln -s real/board.cpx "$WORK/link.cpx"
printf 'mine\n' > "$WORK/real/board.cpx.saving"
printf '%s\n' "$VERSION_LINE" > "$WORK/hard.cpx"
ln "$WORK/hard.cpx" "$WORK/hard-too.cpx"
[ "$(id -u)" = 0 ] && mknod "$WORK/full" c 1 7

# Blank lines hold a vertical tab, a form feed, a stray carriage return.
printf 'click 105 100\n\v\n\f\n\r\r\n  \t\r\n' > "$WORK/session.script"
cat >> "$WORK/session.script" <<SCRIPT
key ^W
file $WORK/link.cpx
ok
key ^S
key ^W
file $WORK/hard.cpx
ok
key ^W
file $WORK/full
ok
key q
ok
SCRIPT
(cd "$WORK" && "$CUPROLAY" --script "$WORK/session.script" > "$WORK/session.out" 2> "$WORK/session.err")
echo $? > "$WORK/session.rc"
expect_status session 0

[ -L "$WORK/link.cpx" ] || fail "the link was replaced by a file"
expect_line "$WORK/real/board.cpx" "CUT 21 20"
[ "$(stat -c %a "$WORK/real/board.cpx")" = 600 ] || fail "mode became $(stat -c %a "$WORK/real/board.cpx")"
[ "$(cat "$WORK/real/board.cpx.saving")" = mine ] || fail "the user's board.cpx.saving was touched"
[ "$(ls "$WORK/real" | wc -l)" = 2 ] || fail "left in real/: $(ls "$WORK/real")"
expect_line "$WORK/hard-too.cpx" "CUT 21 20"
if [ "$(id -u)" = 0 ]; then
    [ -c "$WORK/full" ] || fail "the device node was replaced"
    grep -qF "message \"Error: Couldn't open output file:\" \"$WORK/full\"" "$WORK/session.out" ||
        fail "no error for the device: $(cat "$WORK/session.out")"
fi
[ "$(grep -c 'File saved:' "$WORK/session.out")" = 1 ] || fail "File saved: $(cat "$WORK/session.out")"

# A first word that would retitle the terminal and clear its screen.
printf '%s\n\033]0;owned\007\033[2J 1 2 3\n' "$VERSION_LINE" > "$WORK/hostile.cpx"
"$CUPROLAY" --render "$WORK/hostile.cpx" "$WORK/hostile.png" 2> "$WORK/hostile.err" > /dev/null
grep -qF '\x1b]0;OWNED\x07\x1b[2J is an unknown element' "$WORK/hostile.err" ||
    fail "not escaped: $(od -c "$WORK/hostile.err" | head -5)"
! grep -q $'\033' "$WORK/hostile.err" || fail "a raw escape reached the terminal"

finish
