#!/usr/bin/env bash
# page_session.sh PAGE NATIVE: the editor page driven in headless Chromium
# with real mouse and key events (tests/web/drive_editor.js): every dialog
# kind opens and answers through the page's suspension, the downloaded
# board equals the Linux program's from the same session as a script, and
# the canvas shows exactly that session's last screen.
set -u
page="$(cd "$(dirname "$1")" && pwd)"
native="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
# CUPROLAY_KEEP_WORK=1 keeps the screenshots for a look.
trap '[ -n "${CUPROLAY_KEEP_WORK:-}" ] && echo "kept $work" >&2 || rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

mkdir -p "$work/page" "$work/native"
node "$here/drive_editor.js" "$page" "$work/page" || fail "the page session failed"

cp "$source_dir/examples/timer.cpx" "$work/native/"
cat >"$work/native/session.script" <<'SCRIPT'
click 475 320
move 440 320
down left
move 470 320
move 500 320
up left
rclick 540 340
answer npn
key t
answer T1 BC547
key q
cancel
menu 270
key p
export-cancel
key z
key z
key ^W
file session.cpx
screenshot screen.ppm
SCRIPT
(cd "$work/native" && "$native" --script session.script timer.cpx >transcript 2>&1) ||
    fail "the scripted session failed: $(cat "$work/native/transcript")"
cmp -s "$work/page/session.cpx" "$work/native/session.cpx" ||
    fail "the downloaded board differs: $(diff "$work/native/session.cpx" "$work/page/session.cpx" | head -20)"
grep -qx "NPN 0 108 68 \* 542 338 T1 BC547" "$work/page/session.cpx" || fail "no described NPN in the saved board"
[ "$(head -n1 "$work/page/zoom.txt" 2>/dev/null)" -gt 639 ] 2>/dev/null || fail "the zoom did not widen the canvas"
[ "$(sed -n 2p "$work/page/zoom.txt" 2>/dev/null)" = "255 255 0" ] ||
    fail "zoom 20 not shown until the next event: pixel (705, 105) is $(sed -n 2p "$work/page/zoom.txt")"
if [ -f "$work/page/canvas.png" ]; then
    convert "$work/page/canvas.png" -crop 631x401+0+0 +repage -depth 8 ppm:"$work/canvas.ppm"
    cmp -s "$work/canvas.ppm" "$work/native/screen.ppm" ||
        fail "the canvas differs from the scripted screen in $(compare -metric AE "$work/canvas.ppm" "$work/native/screen.ppm" null: 2>&1) pixels"
fi
[ "$failures" -eq 0 ] && echo "the page session matches the scripted one"
exit $((failures > 0))
