#!/usr/bin/env bash
# page_dialogs.sh PAGE NATIVE: every command that waits or opens a dialog,
# driven in the page with real events (tests/web/drive_dialogs.js); the
# boards and Gerber files it downloads must equal the Linux program's
# from the same session as a script.
set -u
page="$(cd "$(dirname "$1")" && pwd)"
native="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap '[ -n "${CUPROLAY_KEEP_WORK:-}" ] && echo "kept $work" >&2 || rm -rf "$work"' EXIT
mkdir -p "$work/page" "$work/native"
node "$here/drive_dialogs.js" "$page" "$work/page" || { echo "FAIL: the page session failed" >&2; exit 1; }

cp "$source_dir/examples/timer.cpx" "$work/native/"
(cd "$work/native" && "$native" --script "$work/page/session.script" timer.cpx >transcript 2>&1) ||
    { echo "FAIL: the scripted session failed: $(tail -n 5 "$work/native/transcript")" >&2; exit 1; }
failures=0
for name in dialogs.cpx reopened.cpx g.ctr g.smb g.sst g.bot g.top g.drd; do
    if ! cmp -s "$work/page/$name" "$work/native/$name"; then
        echo "FAIL: $name differs from the Linux program's: $(diff "$work/native/$name" "$work/page/$name" 2>&1 | head -n 6)" >&2
        failures=$((failures + 1))
    fi
done
# The session must have done what it says: a placed DIL8, the text, and
# the board reopened from the saved one.
grep -q '^DIL8 ' "$work/page/dialogs.cpx" && grep -q 'HELLO' "$work/page/dialogs.cpx" ||
    { echo "FAIL: the saved board lacks the placed component or text" >&2; failures=$((failures + 1)); }
# (A load lists the records in reverse; the set is the same.)
[ "$(sort "$work/page/dialogs.cpx")" = "$(sort "$work/page/reopened.cpx")" ] ||
    { echo "FAIL: the reopened board saved differently" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "every waiting command in the page matches the scripted session"
exit $((failures > 0))
