#!/bin/bash
# The editor window itself, under Xvfb and driven by xdotool: a cut, a
# wire drawn with the mouse, a component placed with the right button and
# the prompt, its description, Save as through the real chooser, Quit.
# The saved file must equal what the same session gives as a scripted
# run; the window must show exactly the picture the scripted run drew, and
# after a redraw exactly --render of the saved board, at both zooms.
set -u
program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
source_dir="${CUPROLAY_SOURCE_DIR:?}"

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
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

source "$source_dir/tests/support/x_display.sh"
start_display "$work" 1920 1080 || exit 1

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
"$program" --script "$work/session.txt" "$board" >"$work/transcript.txt" 2>&1 ||
    fail "the scripted session failed: $(cat "$work/transcript.txt")"

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
(cd "$work" && exec "$program" "$board") >"$work/desktop.log" 2>&1 &
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
sleep 0.5
# No further event: the drag's last position must already be on the
# window, the line drawn up to the pointer, not up to the step before.
import -window root "$work/drag_end.png"
read -r end_x end_y <<< "$(point $((wire_x1 - 3)) "$wire_y")"
drag_end="$(convert "$work/drag_end.png" -crop "1x1+${end_x}+${end_y}" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:)"
[ "$drag_end" != "255,255,0" ] || fail "the drag's last position did not show before the next event"
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
    "$program" --render "$work/desktop.cpx" "$work/render$1.png" --zoom "$1" ||
        fail "--render of the saved board failed"
}

if [ -f "$work/desktop.cpx" ]; then
    # What the editor drew, step by step, is what the window shows ...
    if [ -f "$work/scripted_screen.png" ]; then
        compare_area "session" "$work/scripted_screen.png" 631 401
    else
        fail "the scripted run wrote no screenshot"
    fi
    # ... and after a redraw it is the saved board as --render draws it,
    xdotool windowfocus --sync "$main"
    xdotool key ctrl+l
    sleep 0.5
    render_saved 10
    compare_area "zoom10" "$work/render10.png" 631 401
    # ... and at zoom 20, where a 1920 x 1080 desktop gives 1260 x 756.
    xdotool windowfocus --sync "$main"
    xdotool key z
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$main")"
    [ "$WIDTH" -eq 1260 ] && [ "$HEIGHT" -eq $((756 + menu_height)) ] ||
        fail "the zoomed window is ${WIDTH}x$HEIGHT, expected 1260x$((756 + menu_height))"
    render_saved 20
    compare_area "zoom20" "$work/render20.png" 1260 756
else
    fail "the save chooser wrote no file: $(cat "$work/desktop.log")"
fi

# Quit: the board was saved, so no question.
xdotool windowfocus --sync "$main"
xdotool key q
wait_for_exit 50
[ "$status" = "0" ] || fail "the editor did not quit with status 0 (status '${status}')"

if [ -f "$work/desktop.cpx" ] && [ -f "$work/scripted.cpx" ]; then
    diff "$work/scripted.cpx" "$work/desktop.cpx" >"$work/diff.txt" ||
        fail "the window's file differs from the scripted run's: $(cat "$work/diff.txt")"
    grep -q "T1 BC547" "$work/desktop.cpx" || fail "the description is not in the saved file"
    grep -qi "^CUT" "$work/desktop.cpx" || fail "no cut in the saved file"
else
    fail "a saved file is missing (scripted: $(ls "$work"))"
fi

# The close box with unsaved work: the window manager's close request
# (WM_DELETE_WINDOW, sent here as a window manager would) asks first;
# Cancel keeps the editor running, OK ends it with status 0.
close_window() {
    python3 - "$1" <<'PY'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
display = x11.XOpenDisplay(None)
window = int(sys.argv[1])
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
PY
}

(cd "$work" && exec "$program" "$board") >"$work/close.log" 2>&1 &
editor_pid=$!
if main="$(window_named "Cuprolay 1.00 - 32-bit")" && help="$(window_named "Help")"; then
    xdotool windowfocus --sync "$help"
    xdotool key Escape
    window_gone "Help"
    press_at 1 "$cut_x" "$cut_y"
    release 1
    close_window "$main"
    if warning="$(window_named "Warning")"; then
        xdotool windowfocus --sync "$warning"
        xdotool key Escape
        window_gone "Warning" || fail "Escape did not cancel the unsaved-work question"
        sleep 0.3
        kill -0 "$editor_pid" 2>/dev/null || fail "Cancel on the close question ended the editor"
        # Again while the user reads help: the question takes the keyboard,
        # so Return, typed with no window chosen, answers it and does not
        # close help; the editor then ends with status 0.
        xdotool windowfocus --sync "$main"
        xdotool key h
        if help="$(window_named "Help")"; then
            xdotool windowfocus --sync "$help"
        else
            fail "h did not open the help viewer"
        fi
        close_window "$main"
        if warning="$(window_named "Warning")"; then
            sleep 0.3
            xdotool key Return
        else
            fail "the second close request asked nothing"
        fi
    else
        fail "closing the window with unsaved work asked nothing"
    fi
    wait_for_exit 50
    [ "$status" = "0" ] || fail "OK on the close question did not end the editor with status 0 ('$status')"
else
    fail "the second session did not start: $(cat "$work/close.log")"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s); desktop log: $(cat "$work/desktop.log")" >&2
    exit 1
fi
echo "desktop: all checks passed"
