# Sourced by window.sh and test-windows.sh: wine's X11 driver set up for
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

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_display.sh"

# unmanaged_windows WINE: wine owns its windows and their focus.
unmanaged_windows() {
    "$1" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
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
