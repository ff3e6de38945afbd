#!/bin/bash
# Quit and close with and without unsaved work; malformed scripts; a
# script on standard input.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

QUESTION='message "Warning" "Buffer not saved - really quit?"'

run_session asked "$SCRIPTS/quit_close.script"
expect_status asked 0
cat > "$WORK/asked.expected" <<OUT
help "About Cuprolay"
$QUESTION -> cancel
$QUESTION -> cancel
$QUESTION -> ok
OUT
expect_transcript asked "$WORK/asked.expected"

# Undo leaves the mark set by the click, so this close asks too; with the
# mark clear (the second run) nothing is asked and the script ends there.
run_session clean "$SCRIPTS/close_clean.script"
expect_status clean 0
[ -e "$WORK/never.ppm" ] && fail "a line after an accepted close was run"
expect_transcript clean <(printf 'help "About Cuprolay"\n%s -> ok\n' "$QUESTION")
printf 'move 10 10\nclose\nscreenshot %s/never.ppm\n' "$WORK" > "$WORK/bare.in"
run_session bare "$WORK/bare.in"
expect_status bare 0
expect_transcript bare <(printf 'help "About Cuprolay"\n')
[ -e "$WORK/never.ppm" ] && fail "a line after a close without question was run"

# A malformed line is reported with its number before anything runs.
run_session malformed "$SCRIPTS/malformed.script"
expect_status malformed 2
grep -q 'script line 5' "$WORK/malformed.err" || fail "no line number: $(cat "$WORK/malformed.err")"
[ ! -s "$WORK/malformed.out" ] || fail "a malformed script ran: $(cat "$WORK/malformed.out")"
[ -e "$WORK/never.ppm" ] && fail "a malformed script took a screenshot"
for bad in "key" "key ^1" "key escape" "move 1" "move a b" "click 1 2 3" "down middle" \
           "ctrl left" "menu x" "export X 1 1" "export D 1" "file" "screenshot" "jump 1 2"; do
    printf '%s\n' "$bad" > "$WORK/bad_line.in"
    run_session bad_line "$WORK/bad_line.in"
    [ "$(cat "$WORK/bad_line.rc")" = 2 ] || fail "\"$bad\" was accepted"
    grep -q 'script line 1' "$WORK/bad_line.err" || fail "\"$bad\": $(cat "$WORK/bad_line.err")"
done

# "-" reads the script from standard input; Quit without changes ends it.
# A menu id without a command opens the help on its topic; printing an
# empty board opens the export dialog.
printf 'key a\nmenu 268\nkey p\nexport-cancel\nkey Q\n' | (cd "$WORK" && "$CUPROLAY" --script - > "$WORK/stdin.out" 2> "$WORK/stdin.err")
[ $? = 0 ] || fail "script from stdin: $(cat "$WORK/stdin.err")"
expect_transcript stdin <(printf 'help "About Cuprolay"\nhelp "About Cuprolay"\nhelp "Printing"\nexport -> cancel\n')

finish
