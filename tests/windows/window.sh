#!/bin/bash
# The Windows program's real window under wine and Xvfb, driven through
# XTest by xdotool: a cut, a wire drawn with the mouse, a component placed
# with the right button and the prompt, its description, a cut by the left
# shift key and a component by the right shift key, Save as through the
# real chooser. The saved file must equal the same session scripted on
# Linux; the window must show what the scripted session's screenshot shows
# and, after a redraw, --render of the board at both zooms. The menus, the
# export dialog, a message box and the help viewer at two topics are
# captured into $CUPROLAY_SCREENS (when set) for a look.
# Usage: window.sh LINUX_PROGRAM WINDOWS_PROGRAM WINE
# With CUPROLAY_XVFB_DISPLAY set it uses that display, else its own.
set -u
linux="$1"
program="$2"
wine="$3"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
screens="${CUPROLAY_SCREENS:-}"
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "skipped: Xvfb is not installed"
    exit 0
fi
for tool in xdotool import convert compare; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing" >&2; exit 1; }
done
source "$source_dir/tests/windows/wine_x11.sh"

work="$(mktemp -d)"
xvfb_pid=""
editor_pid=""
cleanup() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    # CUPROLAY_KEEP_WORK=1 keeps the screenshots and files for a look.
    if [ -n "${CUPROLAY_KEEP_WORK:-}" ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL (at ${SECONDS}s): $*" >&2
    failures=$((failures + 1))
}
# Pictures of failed comparisons are kept only from this run.
[ -z "$screens" ] || rm -f "$screens"/failed-*.png
# keep_screen NAME: the settled screen into $screens/NAME.png.
keep_screen() {
    [ -n "$screens" ] || return 0
    mkdir -p "$screens"
    screen_settled "$screens/$1.png"
}

# The run's display when it has one (see scripts/test-windows.sh), else one
# of our own; big enough for the doubled zoom's window.
if [ -n "${CUPROLAY_XVFB_DISPLAY:-}" ]; then
    export DISPLAY="$CUPROLAY_XVFB_DISPLAY"
else
    start_display "$work" 1920 1200 || exit 1
fi
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
unmanaged_windows "$wine"

board="$work/start.cpx"
cp "$source_dir/examples/timer.cpx" "$board"

# The session, in model units: a cut between holes (470,320) and (480,320),
# a wire from (440,320) to (500,320), an NPN at (540,340) described
# "T1 BC547", a cut at (445,60) by the left shift key and an NPN at
# (590,120) by the right shift key.
cut_x=475 cut_y=320
wire_x0=440 wire_x1=500 wire_y=320
part_x=540 part_y=340
shift_cut_x=445 shift_cut_y=60
shift_part_x=590 shift_part_y=120

cat >"$work/session.txt" <<EOF
click $cut_x $cut_y
move $wire_x0 $wire_y
down left
move 470 $wire_y
move $wire_x1 $wire_y
up left
rclick $part_x $part_y
answer npn
key t
answer T1 BC547
move $shift_cut_x $shift_cut_y
shift left down
shift left up
move $shift_part_x $shift_part_y
shift right down
shift right up
answer npn
key ^W
file $work/scripted.cpx
screenshot $work/scripted_screen.png
key q
EOF
"$linux" --script "$work/session.txt" "$board" >"$work/transcript.txt" 2>&1 ||
    fail "the scripted session failed: $(cat "$work/transcript.txt")"

# back_to_main TITLE: once the window titled TITLE is gone, the X focus on
# the main window again (never while a dialog is open: wine closes its
# menus and dialogs when the focus leaves them).
back_to_main() {
    window_gone "$1" || { fail "window \"$1\" did not close"; return 1; }
    xdotool windowfocus --sync "$main"
}

# Types at the end of the field of the window titled $1 and presses
# Return there.
answer_window() {
    window_named "$1" >/dev/null || { fail "no window \"$1\" appeared"; return 1; }
    xdotool key End
    xdotool type --delay 20 "$2"
    xdotool key Return
    back_to_main "$1"
}

(cd "$work" && exec "$program" "$board") >"$work/desktop.log" 2>&1 </dev/null &
editor_pid=$!

main="$(window_named "Cuprolay 1.00 - 32-bit")" || {
    fail "the main window did not appear: $(cat "$work/desktop.log")"
    exit 1
}
# Wine draws the frame itself: the X window holds the caption, the menu
# bar and a border of the same width on the left, right and bottom.
eval "$(xdotool getwindowgeometry --shell "$main")"
border=$(((WIDTH - 639) / 2))
left=$((X + border)) top=$((Y + HEIGHT - border - 455))
[ "$border" -ge 0 ] && [ "$border" -lt 10 ] && [ $((WIDTH - 639)) -eq $((2 * border)) ] ||
    fail "the window is $WIDTH pixels wide, not 639 and a border on both sides"
[ $((top - Y)) -gt 20 ] && [ $((top - Y)) -lt 80 ] || fail "odd caption and menu bar height $((top - Y))"

# Model point to screen point at zoom 10 (the drawing area's origin is
# the top-left hole).
point() { echo "$((left + $1)) $((top + $2))"; }

# area_picture FILE X Y W H: the screen's rectangle into FILE.
area_picture() {
    import -window root -crop "$4x$5+$2+$3" +repage "$1"
}

# until_drawn X Y: waits until the 41 by 41 model pixels around (X,Y)
# differ from what they were when it was called, which shows that the
# editor has seen the press before the release is sent (the editor polls
# the button and shift states, so a release that comes before it looks
# loses the press).
until_drawn_start() {
    area_picture "$work/before.png" $(point $(($1 - 20)) $(($2 - 20))) 41 41
}
until_drawn() {
    local differing
    for _ in $(seq 150); do
        area_picture "$work/after.png" $(point $(($1 - 20)) $(($2 - 20))) 41 41
        differing="$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1)"
        [ "$differing" != "0" ] && return 0
        sleep 0.1
    done
    fail "nothing was drawn near ($1,$2)"
}
# A mouse press held until its effect shows, then released.
click_drawn() {
    xdotool mousemove $(point "$2" "$3")
    until_drawn_start "$2" "$3"
    xdotool mousedown "$1"
    until_drawn "$2" "$3"
    xdotool mouseup "$1"
}
# A press whose effect shows only after the release: held a while.
click_held() {
    xdotool mousemove $(point "$2" "$3")
    sleep 0.2
    xdotool mousedown "$1"
    sleep 0.5
    xdotool mouseup "$1"
}

# The help viewer opens at start-up. A press on a cut position of the
# board while it is open is swallowed: held until after Escape has closed
# the viewer, it would otherwise reach the editor and cut the strip, and
# the saved files would differ.
window_named "Help" >/dev/null || fail "the help viewer did not open at start-up"
keep_screen help-about
xdotool mousemove $(point 455 300)
xdotool mousedown 1
sleep 0.3
window_named "Help" >/dev/null || fail "a press on the board closed the help viewer"
xdotool key Escape
back_to_main "Help"
xdotool mouseup 1

click_drawn 1 "$cut_x" "$cut_y"
xdotool mousemove $(point "$wire_x0" "$wire_y")
until_drawn_start "$wire_x0" "$wire_y"
xdotool mousedown 1
until_drawn "$wire_x0" "$wire_y"
xdotool mousemove $(point 470 "$wire_y")
until_drawn_start "$wire_x1" "$wire_y"
xdotool mousemove $(point "$wire_x1" "$wire_y")
until_drawn "$wire_x1" "$wire_y"
xdotool mouseup 1
click_held 3 "$part_x" "$part_y"
answer_window "Enter" "npn"
xdotool key t
answer_window "Enter" "T1 BC547"

# The shift keys act as the buttons: the left one cuts, the right one
# places a component. Keycode 50 is the left shift and 62 the right one of
# Xvfb's keymap; a keysym would let xdotool pick the key.
xdotool mousemove $(point "$shift_cut_x" "$shift_cut_y")
until_drawn_start "$shift_cut_x" "$shift_cut_y"
xdotool keydown 50
until_drawn "$shift_cut_x" "$shift_cut_y"
xdotool keyup 50
window_named "Enter" >/dev/null 2>&1 && fail "the left shift key opened the component prompt"
xdotool mousemove $(point "$shift_part_x" "$shift_part_y")
sleep 0.2
xdotool keydown 62
sleep 0.5
xdotool keyup 62
answer_window "Enter" "npn"

# The chooser opens in the folder wine remembers from the last save of any
# earlier run, so the answer names the folder too (Z: is the root).
xdotool key ctrl+w
answer_window "Save as" "Z:$(echo "$work" | tr / '\\')\\desktop.cpx"

# compare_area NAME EXPECTED WIDTH HEIGHT: the top-left WIDTH x HEIGHT
# pixels of the drawing area against those of the picture EXPECTED.
compare_area() {
    local name="$1" expected="$2" w="$3" h="$4"
    screen_settled "$work/screen_$name.png"
    convert "$work/screen_$name.png" -crop "${w}x${h}+${left}+${top}" +repage "$work/area_$name.png"
    convert "$expected" -crop "${w}x${h}+0+0" +repage "$work/expected_$name.png"
    local differing
    differing="$(compare -metric AE "$work/area_$name.png" "$work/expected_$name.png" null: 2>&1)"
    if [ "$differing" != "0" ]; then
        fail "$name: $differing pixels of the drawing area differ"
        [ -n "$screens" ] && mkdir -p "$screens" && cp "$work/screen_$name.png" "$screens/failed-$name.png"
    fi
}

# The window after the session shows what the scripted one drew.
compare_area "session" "$work/scripted_screen.png" 631 401

if [ -f "$work/desktop.cpx" ]; then
    # After a redraw the window shows the saved board as --render draws it,
    # at both zooms; the doubled zoom's window is 1260 by 756 on this screen.
    "$linux" --render "$work/desktop.cpx" "$work/render10.png" --zoom 10 &&
        "$linux" --render "$work/desktop.cpx" "$work/render20.png" --zoom 20 ||
        fail "--render of the saved board failed"
    xdotool key ctrl+l
    compare_area "zoom10" "$work/render10.png" 631 401
    xdotool key z
    window_size "$main" $((1260 + 2 * border)) $((756 + top - Y + border)) ||
        fail "z did not fit the client area to 1260 by 756"
    compare_area "zoom20" "$work/render20.png" 1260 756
    xdotool key z
    window_size "$main" $((639 + 2 * border)) $((455 + top - Y + border)) ||
        fail "a second z did not give back the client area of 639 by 455"
    # Around the board the client area is black again, as at the start.
    convert "$work/render10.png" -background black -extent 639x455 "$work/client10.png"
    compare_area "zoom10_again" "$work/client10.png" 639 455
else
    fail "the save chooser wrote no file: $(cat "$work/desktop.log")"
fi

# The menus for a look: File, and Edit with its Wire submenu open.
xdotool key alt+f
sleep 0.5
keep_screen menu-file
xdotool key Escape Escape
xdotool key alt+e
sleep 0.3
xdotool key w
sleep 0.5
keep_screen menu-wire
xdotool key Escape Escape Escape

# The export dialog opens centred on the pointer; in the screen's corner
# it must still lie wholly on the screen.
xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
xdotool key p
if export_id="$(window_named "Export")"; then
    keep_screen export-dialog
    eval "$(xdotool getwindowgeometry --shell "$export_id")"
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$screen_w" ] && [ $((Y + HEIGHT)) -le "$screen_h" ] ||
        fail "the export dialog lies partly off the screen: ${WIDTH}x$HEIGHT at $X,$Y"
    xdotool key Escape
    back_to_main "Export"
else
    fail "p opened no export dialog"
fi
xdotool key h
if window_named "Help" >/dev/null; then
    keep_screen help-quick
    xdotool key Escape
    back_to_main "Help"
else
    fail "h opened no help viewer"
fi

# A new cut and Quit: the question about unsaved work.
click_drawn 1 405 100
xdotool key q
if window_named "Warning" >/dev/null; then
    keep_screen message-box
    xdotool key Return
else
    fail "Quit with unsaved work asked nothing"
fi
wait_for_exit 100
[ "$status" = "0" ] || fail "the editor did not quit with status 0 (status '${status}')"

if [ -f "$work/desktop.cpx" ] && [ -f "$work/scripted.cpx" ]; then
    diff "$work/scripted.cpx" "$work/desktop.cpx" >"$work/diff.txt" ||
        fail "the window's file differs from the scripted run's: $(cat "$work/diff.txt")"
    grep -q "T1 BC547" "$work/desktop.cpx" || fail "the description is not in the saved file"
    [ "$(grep -ci "^CUT" "$work/desktop.cpx")" -gt "$(grep -ci "^CUT" "$board")" ] || fail "no new cut in the saved file"
else
    fail "a saved file is missing (scripted: $(ls "$work"))"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s); desktop log: $(cat "$work/desktop.log")" >&2
    exit 1
fi
echo "window under wine: all checks passed"
