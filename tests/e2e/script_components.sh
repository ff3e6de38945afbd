#!/bin/bash
# Components placed and moved with the mouse and the keyboard, refused
# names, descriptions and texts.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

run_session components "$SCRIPTS/components.script"
expect_status components 0
board="$WORK/components.cpx"
# Moved by its pin from (200, 100) to (240, 200); the description, typed
# after the move and dragged by (10, 30), is at (212, 128).
expect_line "$board" "NPN 0 48 40 * 212 128 Q1"
expect_line "$board" "DIL8 0 90 30 "
expect_line "$board" "SIL2 0 100 60 "
# Placed at (120, 300) from the keyboard, then carried two holes down.
expect_line "$board" "SIL1 0 24 64 "
# Placed at (50, 380), so its text began at (48, 380); dragged 3 units.
expect_line "$board" "TEXT * 51 380 hello world"
[ "$(grep -c -v -e '^VERSION' -e '^STRIP' "$board")" = 5 ] || fail "components.cpx: $(cat "$board")"

cat > "$WORK/components.expected" <<OUT
help "About Cuprolay"
ask "component name: " "" -> "npn"
ask "component name: " "" -> "res"
message "Error" "RES is an unknown component" -> ok
ask "component name: " "" -> "TEXT"
message "Error" "TEXT is an unknown component" -> ok
ask "component name: " "" -> "dil8"
ask "component name: " "" -> "sil1"
ask "component name: " "" -> "Sil2"
ask "Component description: " "" -> "Q1"
ask "text: " "" -> "hello world"
file w "Save as" "" ".cpx" -> "$WORK/components.cpx"
OUT
# No quit question at the end: the last change was a move by a pin.
expect_transcript components "$WORK/components.expected"

image="$WORK/components.ppm"
expect_pixel "$image" 210 110 "200 200 200"  # the NPN's old pin: a bare hole again
expect_pixel "$image" 250 210 "$BLACK"        # its pin at the new place
expect_pixel "$image" 451 160 "$BLACK"        # the DIL outline's left edge
expect_pixel "$image" 120 300 "200 200 200"  # the SIL's first place
expect_pixel "$image" 120 320 "$BLACK"
expect_pixel "$image" 213 124 "$TEXT_BLUE"    # "Q1"
expect_pixel "$image" 52 378 "$TEXT_BLUE"     # "hello world"

finish
