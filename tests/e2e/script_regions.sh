#!/bin/bash
# Region move, mirror, copy, flip, rotate, delete and print, with undo.
source "$(dirname "$0")/scripts/script_helpers.bash" "$1"

run_session regions "$SCRIPTS/regions.script"
expect_status regions 0

# objects FILE: the saved lines without strips, sorted.
objects() { grep -v -e '^VERSION' -e '^STRIP' "$WORK/$1.cpx" | sort; }
expect_objects() {
    local stage=$1
    shift
    diff <(printf '%s\n' "$@" | sort) <(objects "$stage") > "$WORK/$stage.diff" \
        || fail "$stage: $(cat "$WORK/$stage.diff")"
}

expect_objects r0 "TEXT * 118 150 T1" "NPN 0 30 20 " "WIRE 0 20 20 20 28 " "CUT 21 24"
# Moved by (200, 100).
expect_objects r1 "TEXT * 318 250 T1" "NPN 0 70 40 " "WIRE 0 60 40 60 48 " "CUT 61 44"
# Mirrored about x = 335 (x -> 670 - x); the NPN takes its mirrored
# variant and the snapped top-left of its mapped box.
R2=("TEXT * 352 250 T1" "NPN 2 62 40 " "WIRE 0 74 40 74 48 " "CUT 73 44")
expect_objects r2 "${R2[@]}"
# Copied 100 down.
expect_objects r3 "${R2[@]}" "TEXT * 352 350 T1" "NPN 2 62 60 " "WIRE 0 74 60 74 68 " "CUT 73 64"
# The copies flipped (y -> 650 - y): the wire keeps which end is first.
expect_objects r4 "${R2[@]}" "TEXT * 352 300 T1" "NPN 3 62 68 " "WIRE 0 74 70 74 62 " "CUT 73 66"
# Then turned half round (x -> 670 - x, y -> 650 - y).
R5=("TEXT * 318 350 T1" "NPN 0 70 60 " "WIRE 0 60 60 60 68 " "CUT 61 64")
expect_objects r5 "${R2[@]}" "${R5[@]}"
# The originals deleted, and brought back by undo.
expect_objects r6 "${R5[@]}"
expect_objects r7 "${R2[@]}" "${R5[@]}"
[ "$(cat "$WORK/r8.cpx")" = "VERSION 1.000 Cuprolay generated data" ] || fail "r8: $(cat "$WORK/r8.cpx")"
expect_objects r9 "${R2[@]}" "${R5[@]}"

expect_line "$WORK/regions.out" "export -> cancel"
# Region commands leave the modified mark alone, so Quit asks nothing.
! grep -q 'really quit' "$WORK/regions.out" || fail "Quit asked after region commands"

image="$WORK/regions.ppm"
expect_pixel "$image" 100 131 "$YELLOW"   # the first place of the wire
expect_pixel "$image" 300 325 "$BLACK"    # the rotated copy's wire
expect_pixel "$image" 370 225 "$BLACK"    # the restored original

finish
