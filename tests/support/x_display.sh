# Sourced by the window tests: Xvfb on a display of its own, and waits for
# what happened on it (a window shown, gone, resized; the editor ended)
# instead of sleeping.

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
    # On a loaded machine the first clients have been seen refused just
    # after the number came: wait until one gets in.
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "FAIL: no client could open $DISPLAY: $(cat "$1/xvfb.log")" >&2
    return 1
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

# wait_for_exit TRIES: waits up to TRIES tenths of a second for the editor
# ($editor_pid) to end; sets status to its exit status ("" if it did not).
wait_for_exit() {
    status=""
    for _ in $(seq "$1"); do
        if ! kill -0 "$editor_pid" 2>/dev/null; then
            wait "$editor_pid"
            status=$?
            editor_pid=""
            return 0
        fi
        sleep 0.1
    done
}
