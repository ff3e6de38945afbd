#!/bin/bash
# Cuts and bridges, undo and redo across them, garbage collection, nets.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

run_session cells "$SCRIPTS/cells_undo.script"
expect_status cells 0
board="$WORK/cells.cpx"
expect_line "$board" "CUT 21 40"   # (105, 200), kept through undo and redo
expect_line "$board" "CUT 81 20"   # (405, 100), placed after the redo
expect_line "$board" "RES 0 80 50 80 60 "
expect_no_line "$board" "CUT 61 40"     # toggled off, back by undo, off by redo
expect_no_line "$board" "BRIDGE 40 41"  # undone
[ "$(grep -c -v -e '^VERSION' -e '^STRIP' "$board")" = 3 ] || fail "cells.cpx: $(cat "$board")"

out="$WORK/cells.out"
expect_line "$out" 'help "About Cuprolay"'
expect_line "$out" "file w \"Save as\" \"\" \".cpx\" -> \"$WORK/cells.cpx\""
# The redo after the new cut, and both limits after the collection.
[ "$(grep -cxF 'message "Error" "Cannot redo more" -> ok' "$out")" = 2 ] || fail "redo limits: $(cat "$out")"
[ "$(grep -cxF 'message "Error" "Cannot undo more" -> ok' "$out")" = 1 ] || fail "undo limit: $(cat "$out")"
grep -qE '^message "Message" "Temporary memory usage is [0-9]+ bytes\\nContinue with GC\? Undo history will be lost\." -> cancel$' "$out" \
    || fail "no cancelled GC question: $(cat "$out")"
grep -qE '^message "Message" "GC reduced temporary memory to [0-9]+ bytes" -> ok$' "$out" \
    || fail "no GC report: $(cat "$out")"
# The collection gives memory back.
before=$(sed -n 's/.*usage is \([0-9]*\) bytes.*-> ok$/\1/p' "$out")
after=$(sed -n 's/.*reduced temporary memory to \([0-9]*\) bytes.*/\1/p' "$out")
[ -n "$before" ] && [ -n "$after" ] && [ "$after" -lt "$before" ] || fail "GC: $before -> $after bytes"
# Saved before, and exposing a net changes nothing: Quit does not ask.
! grep -q 'really quit' "$out" || fail "Quit asked after only net exposure"

# Net outlines are drawn inverted: yellow becomes blue.
expect_pixel "$WORK/net_left.ppm" 53 195 "$TEXT_BLUE"    # the strip left of the cut
expect_pixel "$WORK/net_left.ppm" 153 195 "$YELLOW"      # right of the cut
expect_pixel "$WORK/net_plain.ppm" 353 245 "$TEXT_BLUE"  # the resistor's upper row
expect_pixel "$WORK/net_plain.ppm" 353 295 "$YELLOW"     # E: not through the resistor
expect_pixel "$WORK/net_plain.ppm" 53 195 "$YELLOW"      # ESC removed the first net
expect_pixel "$WORK/net_any.ppm" 353 245 "$TEXT_BLUE"
expect_pixel "$WORK/net_any.ppm" 353 305 "$TEXT_BLUE"    # ctrl-E: through it

finish
