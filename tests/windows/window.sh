#!/bin/bash
# The Windows program's real window under wine and Xvfb, driven by xdotool:
# a cut, a wire drawn with the mouse, a component placed with the right
# button and the prompt, its description, Save as through the real chooser.
# The saved file must equal the same session scripted on Linux, and the
# client area --render of the board. The export dialog, a message box and
# the help viewer at two topics are captured into $CUPROLAY_SCREENS (when
# set) for a look.
# Usage: window.sh LINUX_PROGRAM WINDOWS_PROGRAM
set -u
linux="$1"
program="$2"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
screens="${CUPROLAY_SCREENS:-}"
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "skipped: Xvfb is not installed"
    exit 0
fi
for tool in xdotool import convert compare; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing" >&2; exit 1; }
done

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
# keep_screen NAME: the whole screen into $screens/NAME.png.
keep_screen() {
    [ -n "$screens" ] || return 0
    mkdir -p "$screens"
    import -window root "$screens/$1.png"
}
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A display of our own; Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

board="$work/start.cpx"
cp "$source_dir/examples/timer.cpx" "$board"

# The session, in model units: a cut between holes (470,320) and (480,320),
# a wire from (440,320) to (500,320), an NPN at (540,340) described
# "T1 BC547".
cut_x=475 cut_y=320
wire_x0=440 wire_x1=500 wire_y=320
part_x=540 part_y=340

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
key ^W
file $work/scripted.cpx
screenshot $work/scripted_screen.png
key q
EOF
"$linux" --script "$work/session.txt" "$board" >"$work/transcript.txt" 2>&1 ||
    fail "the scripted session failed: $(cat "$work/transcript.txt")"

# Waits for a visible window whose title is exactly $1 and prints its id.
window_named() {
    local id=""
    for _ in $(seq 100); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits until no visible window has the title $1.
window_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Types at the end of the focused field of the window titled $1 and
# presses Return there.
answer_window() {
    local id
    id="$(window_named "$1")" || { fail "no window \"$1\" appeared"; return 1; }
    xdotool windowfocus --sync "$id"
    sleep 0.2
    xdotool key End
    xdotool type --delay 40 "$2"
    xdotool key Return
    window_gone "$1" || fail "window \"$1\" did not close"
}

# Started in $work, where the save chooser opens, so that typing a bare
# name there saves into $work.
(cd "$work" && exec "$program" "$board") >"$work/desktop.log" 2>&1 </dev/null &
editor_pid=$!

main="$(window_named "Cuprolay 1.00 - 32-bit")" || {
    fail "the main window did not appear: $(cat "$work/desktop.log")"
    exit 1
}
eval "$(xdotool getwindowgeometry --shell "$main")"
left=$X top=$Y menu_height=$((HEIGHT - 455))
[ "$WIDTH" -eq 639 ] || fail "the window is $WIDTH pixels wide, expected 639"
[ "$menu_height" -gt 10 ] && [ "$menu_height" -lt 60 ] || fail "odd menu bar height $menu_height"

# Model point to screen point at zoom 10 (the drawing area's origin is
# the top-left hole).
point() { echo "$((left + $1)) $((top + menu_height + $2))"; }
# A press and a release far enough apart to be seen as a click.
press_at() {
    xdotool mousemove $(point "$2" "$3")
    sleep 0.15
    xdotool mousedown "$1"
    sleep 0.25
}
release() {
    xdotool mouseup "$1"
    sleep 0.25
}

# The help viewer opens at start-up. A press on a cut position of the
# board while it is open is swallowed: held until after Escape has closed
# the viewer, it would otherwise reach the editor and cut the strip, and
# the saved files would differ.
help="$(window_named "Help")" || fail "the help viewer did not open at start-up"
sleep 1
keep_screen help-about
press_at 1 455 300
window_named "Help" >/dev/null || fail "a press on the board closed the help viewer"
[ -n "${help:-}" ] && { xdotool windowfocus --sync "$help"; xdotool key Escape; }
window_gone "Help" || fail "Escape did not close the help viewer"
release 1

xdotool windowfocus --sync "$main"
press_at 1 "$cut_x" "$cut_y"
release 1
press_at 1 "$wire_x0" "$wire_y"
xdotool mousemove $(point 470 "$wire_y")
sleep 0.15
xdotool mousemove $(point "$wire_x1" "$wire_y")
sleep 0.25
release 1
press_at 3 "$part_x" "$part_y"
release 3
answer_window "Enter" "npn"
xdotool windowfocus --sync "$main"
xdotool key t
answer_window "Enter" "T1 BC547"
xdotool windowfocus --sync "$main"
xdotool key ctrl+w
answer_window "Save as" "desktop.cpx"
sleep 0.5

# Dialogs and menus for a look.
xdotool windowfocus --sync "$main"
xdotool key p
if export_id="$(window_named "Export")"; then
    sleep 0.5
    keep_screen export-dialog
    xdotool windowfocus --sync "$export_id"
    xdotool key Escape
    window_gone "Export" || fail "Escape did not close the export dialog"
else
    fail "p opened no export dialog"
fi
xdotool windowfocus --sync "$main"
xdotool key h
if help_id="$(window_named "Help")"; then
    sleep 1
    keep_screen help-quick
    xdotool windowfocus --sync "$help_id"
    xdotool key Escape
    window_gone "Help" || fail "Escape did not close the help viewer"
else
    fail "h opened no help viewer"
fi

# compare_area NAME EXPECTED WIDTH HEIGHT: the top-left WIDTH x HEIGHT
# pixels of the drawing area against those of the picture EXPECTED.
compare_area() {
    local name="$1" expected="$2" w="$3" h="$4"
    import -window root "$work/screen_$name.png"
    convert "$work/screen_$name.png" -crop "${w}x${h}+${left}+$((top + menu_height))" +repage \
        "$work/area_$name.png"
    convert "$expected" -crop "${w}x${h}+0+0" +repage "$work/expected_$name.png"
    local differing
    differing="$(compare -metric AE "$work/area_$name.png" "$work/expected_$name.png" null: 2>&1)"
    [ "$differing" = "0" ] || fail "$name: $differing pixels of the drawing area differ"
}

# render_saved ZOOM: --render of the board the window saved.
render_saved() {
    "$linux" --render "$work/desktop.cpx" "$work/render$1.png" --zoom "$1" ||
        fail "--render of the saved board failed"
}

if [ -f "$work/desktop.cpx" ]; then
    # After a redraw the window shows the saved board as --render draws it.
    xdotool windowfocus --sync "$main"
    xdotool key ctrl+l
    sleep 0.5
    render_saved 10
    compare_area "zoom10" "$work/render10.png" 631 401
else
    fail "the save chooser wrote no file: $(cat "$work/desktop.log")"
fi

# A new cut and Quit: the question about unsaved work.
xdotool windowfocus --sync "$main"
press_at 1 405 100
release 1
xdotool key q
if warning="$(window_named "Warning")"; then
    sleep 0.5
    keep_screen message-box
    xdotool windowfocus --sync "$warning"
    xdotool key Return
else
    fail "Quit with unsaved work asked nothing"
fi
status=""
for _ in $(seq 50); do
    if ! kill -0 "$editor_pid" 2>/dev/null; then
        wait "$editor_pid"
        status=$?
        editor_pid=""
        break
    fi
    sleep 0.1
done
[ "$status" = "0" ] || fail "the editor did not quit with status 0 (status '${status}')"

if [ -f "$work/desktop.cpx" ] && [ -f "$work/scripted.cpx" ]; then
    diff "$work/scripted.cpx" "$work/desktop.cpx" >"$work/diff.txt" ||
        fail "the window's file differs from the scripted run's: $(cat "$work/diff.txt")"
    grep -q "T1 BC547" "$work/desktop.cpx" || fail "the description is not in the saved file"
    grep -qi "^CUT" "$work/desktop.cpx" || fail "no cut in the saved file"
else
    fail "a saved file is missing (scripted: $(ls "$work"))"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s); desktop log: $(cat "$work/desktop.log")" >&2
    exit 1
fi
echo "window under wine: all checks passed"
