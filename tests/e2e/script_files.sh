#!/bin/bash
# Every file command: Save, Save as with the overwrite question, Insert,
# a failed save, the font bitmap, and Open/New with undo of the clearing.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

VERSION_LINE="VERSION 1.000 Cuprolay generated data"
printf '%s\nNPN 0 40 20 \nCUT 21 40\n' "$VERSION_LINE" > "$WORK/start.cpx"
printf '%s\nDIL8 0 90 30 \n' "$VERSION_LINE" > "$WORK/part.cpx"
# Its second line names a variant that does not exist; Cancel stops there.
printf '%s\nSIL1 0 10 10 \nNPN 99 40 60 \nSIL1 0 20 10 \n' "$VERSION_LINE" > "$WORK/bad.cpx"
cp "$WORK/start.cpx" "$WORK/start.orig"

run_session save "$SCRIPTS/files_save.script" "$WORK/start.cpx"
expect_status save 0
cmp -s "$WORK/start.cpx" "$WORK/start.orig" || fail "declining the overwrite changed start.cpx"
expect_line "$WORK/copy.cpx" "NPN 0 40 20 "
expect_line "$WORK/copy.cpx" "CUT 61 40"
expect_no_line "$WORK/copy.cpx" "DIL8 0 90 30 "
expect_line "$WORK/final.cpx" "DIL8 0 90 30 "
expect_line "$WORK/final.cpx" "SIL1 0 10 10 "
expect_no_line "$WORK/final.cpx" "SIL1 0 20 10 "
[ ! -e "$WORK/missing" ] || fail "the failed save left something behind"
ls "$WORK" | grep -q saving && fail "a temporary file was left: $(ls "$WORK")"
[ ! -s "$WORK/save.err" ] || fail "save session: $(cat "$WORK/save.err")"
cat > "$WORK/save.expected" <<OUT
help "About Cuprolay"
file w "Save as" "" ".cpx" -> "$WORK/start.cpx"
message "Question" "$WORK/start.cpx\\nalready exists. Overwrite?" -> cancel
message "Error: Couldn't open output file:" "" -> ok
file w "Save as" "" ".cpx" -> "$WORK/copy.cpx"
message "File saved:" "$WORK/copy.cpx" -> ok
file r "Insert file" "$WORK/copy" ".cpx" -> "$WORK/part.cpx"
file r "Insert file" "$WORK/part" ".cpx" -> cancel
message "Error: Couldn't open file" "$WORK/copy.cpx" -> ok
file r "Insert file" "$WORK/part" ".cpx" -> "$WORK/bad.cpx"
message "Error" "Component NPN has no variant 99" -> cancel
message "Error: Couldn't insert file" "$WORK/bad.cpx" -> ok
file w "Save as" "$WORK/bad" ".cpx" -> "$WORK/missing/x.cpx"
message "Error: Couldn't open output file:" "$WORK/missing/x.cpx" -> ok
file r "Load 128(H)x256(W) font bitmap file" "" ".bmp" -> "$WORK/start.cpx"
message "Error" "Couldn't load font bitmap" -> ok
message "Warning" "Buffer not saved - really quit?" -> cancel
file w "Save as" "$WORK/start" ".cpx" -> "$WORK/final.cpx"
OUT
expect_transcript save "$WORK/save.expected"

run_session open "$SCRIPTS/files_open.script"
expect_status open 0
expect_line "$WORK/new.cpx" "CUT 21 20"
[ "$(wc -l < "$WORK/new.cpx")" = 2 ] || fail "new.cpx: $(cat "$WORK/new.cpx")"
cat > "$WORK/open.expected" <<OUT
help "About Cuprolay"
file r "Find" "" ".cpx" -> "$WORK/final.cpx"
file r "Find" "$WORK/final.cpx" ".cpx" -> "$WORK/new.cpx"
message "File saved:" "$WORK/new.cpx" -> ok
file r "Find" "$WORK/new.cpx" ".cpx" -> "$WORK/bad.cpx"
message "Error" "Component NPN has no variant 99" -> cancel
message "Error: Couldn't read file:" "$WORK/bad.cpx" -> ok
file r "Find" "$WORK/bad.cpx" ".cpx" -> cancel
OUT
# No quit question: Open/New clears the mark and undo leaves it alone.
expect_transcript open "$WORK/open.expected"
# The cancelled Open leaves an empty board; undo brings back what the
# stopped load had read (the SIL at (50, 50)).
expect_pixel "$WORK/open_cancelled.ppm" 50 50 "200 200 200"
expect_pixel "$WORK/open_undone.ppm" 50 50 "$BLACK"

finish
