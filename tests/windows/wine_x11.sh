# Sourced by window.sh: a display of its own, wine's X11 driver set up for
# a display without a window manager, and helpers that wait for what wine
# has done instead of sleeping.
#
# Xvfb runs no window manager. Wine's managed windows wait up to two
# seconds for one at every show and hide, with the program's event loop
# blocked meanwhile, and wine then moves its active window only when a
# window manager offers it the focus: keys sent to a window the test had
# focused itself went to the window wine still thought active, or nowhere.
# With Managed=N wine draws its own frames and activates its windows
# itself. Wine hands every key it gets from any of its windows to the
# window it has active, so the keys reach the right one as long as the X
# focus is on one of the program's windows; once a dialog's window is
# gone the X focus falls back to the root, and the test puts it back on
# the main window.

# start_display WORK WIDTH HEIGHT: Xvfb on a free display, DISPLAY exported.
start_display() {
    # A number left from an earlier run would be read before Xvfb writes.
    rm -f "$1/display"
    Xvfb -displayfd 3 -screen 0 "$2x$3x24" -nolisten tcp 3>"$1/display" 2>"$1/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    [ -s "$1/display" ] || { echo "FAIL: Xvfb did not start: $(cat "$1/xvfb.log")" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$1/display")"
}

# unmanaged_windows WINE: wine owns its windows and their focus.
unmanaged_windows() {
    "$1" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}

# window_named TITLE: waits for a visible window titled exactly TITLE and
# prints its id.
window_named() {
    local id=""
    for _ in $(seq 150); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# window_gone TITLE: waits until no visible window has the title TITLE.
window_gone() {
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# window_size ID WIDTH HEIGHT: waits until the window ID is WIDTH by HEIGHT.
window_size() {
    for _ in $(seq 150); do
        eval "$(xdotool getwindowgeometry --shell "$1")"
        [ "$WIDTH" = "$2" ] && [ "$HEIGHT" = "$3" ] && return 0
        sleep 0.1
    done
    echo "the window is ${WIDTH}x$HEIGHT, not $2x$3" >&2
    return 1
}

# screen_settled FILE: the whole screen into FILE once two captures in a
# row agree, so that a window still being painted is not taken half done.
screen_settled() {
    local previous="$1.previous.png" differing
    import -window root "$previous"
    for _ in $(seq 30); do
        sleep 0.1
        import -window root "$1"
        differing="$(compare -metric AE "$1" "$previous" null: 2>&1)"
        [ "$differing" = "0" ] && { rm -f "$previous"; return 0; }
        mv "$1" "$previous"
    done
    mv "$previous" "$1"
}
