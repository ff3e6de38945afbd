#!/bin/bash
# Wires drawn with the mouse and the keyboard, an end dragged, types set.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

run_session wires "$SCRIPTS/wires.script"
expect_status wires 0
board="$WORK/wires.cpx"
# (140, 100)-(140, 160), its lower end then dragged to (200, 100), a diode.
expect_line "$board" "DIODE 0 28 20 40 20 "
# Four ctrl-N steps with the left shift held: (300, 100)-(300, 140).
expect_line "$board" "RES 0 60 20 60 28 "
expect_line "$board" "CAP 0 100 60 100 60 "
expect_line "$board" "STRIP 28 60 20"
expect_line "$board" "CUT 101 60"
[ "$(grep -c -v '^VERSION' "$board")" = 5 ] || fail "wires.cpx holds other lines: $(cat "$board")"
cat > "$WORK/wires.expected" <<OUT
help "About Cuprolay"
file w "Save as" "" ".cpx" -> "$WORK/wires.cpx"
OUT
expect_transcript wires "$WORK/wires.expected"

image="$WORK/wires.ppm"
expect_pixel "$image" 145 100 "$BLACK"      # the diode's line
expect_pixel "$image" 300 103 "$BLACK"      # the resistor's line
expect_pixel "$image" 220 100 "$STRIP"      # the strip joining the two
expect_pixel "$image" 140 133 "$YELLOW"     # where the first wire was
expect_pixel "$image" 143 97 "$YELLOW"

finish
