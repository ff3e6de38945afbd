#!/bin/bash
# Runs a test program on an X display of its own (Xvfb): under_xvfb.sh PROGRAM [ARGS...]
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "skipped: Xvfb is not installed"
    exit 0
fi
work="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")" "$@"
