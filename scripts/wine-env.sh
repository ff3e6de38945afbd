# Sourced by the Windows build and test steps: wine's settings for the
# tree in $windows_dir, and its server started and stopped around them.
# A wine process started first inside ninja or ctest would keep their
# pipes open through the server it spawns and hang them.
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
export WINEPREFIX="$windows_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_start() {
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 </dev/null || true
    # Persistent, so that it outlives the short-lived test processes.
    "$wineserver" -p >/dev/null 2>&1 </dev/null || true
}

wine_stop() {
    "$wineserver" -k >/dev/null 2>&1 || true
}
