#!/usr/bin/env bash
# page_test_mode.sh PAGE NATIVE: the page's test mode in headless Chromium
# against the Linux program. Scripted sessions of the end-to-end tests run
# in the page (served on 127.0.0.1) and natively from a folder holding the
# same files; transcripts and every written file must be the same bytes
# (the garbage collection's byte counts aside: they hold pointer sizes).
# A session that only shows a board must leave the canvas showing
# exactly --render of it.
set -u
page="$(cd "$(dirname "$1")" && pwd)"
native="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

mkdir -p "$work/served" "$work/out" "$work/native"
sessions=(wires components regions cells_undo)
for name in "${sessions[@]}"; do
    sed 's|@WORK@|.|g' "$source_dir/tests/e2e/scripts/$name.script" >"$work/served/$name.script"
done
printf 'key ^L\n' >"$work/served/show.script"
queries=()
for name in "${sessions[@]}"; do queries+=("script=$name.script&board=timer.cpx"); done
queries+=("script=show.script&board=amplifier.cpx")
node "$here/run_test_mode.js" "$page" "$work/served" "$work/out" "${queries[@]}" ||
    fail "the page's test mode did not finish"

# The page's JSON, unpacked: N/transcript and N/files/NAME.
node -e '
const fs = require("fs"), path = require("path");
const [dir, count] = process.argv.slice(1);
for (let i = 1; i <= +count; i++) {
  const file = path.join(dir, i + ".json");
  if (!fs.existsSync(file)) continue;
  const result = JSON.parse(fs.readFileSync(file, "utf8"));
  fs.mkdirSync(path.join(dir, String(i), "files"), { recursive: true });
  fs.writeFileSync(path.join(dir, String(i), "transcript"), result.transcript);
  for (const [name, data] of Object.entries(result.files))
    fs.writeFileSync(path.join(dir, String(i), "files", name), Buffer.from(data, "base64"));
  const capture = JSON.parse(fs.readFileSync(path.join(dir, i + ".canvas.json"), "utf8"));
  fs.writeFileSync(path.join(dir, i + ".canvas.png"), Buffer.from(capture.png.split(",")[1], "base64"));
}' "$work/out" "${#queries[@]}"

mask() { sed -E 's/(usage is|memory to) [0-9]+ bytes/\1 N bytes/' "$1"; }
i=0
for name in "${sessions[@]}"; do
    i=$((i + 1))
    run="$work/native/$i"
    mkdir -p "$run"
    cp "$source_dir"/examples/*.cpx "$run/"
    cp "$work/served/$name.script" "$run/"
    # The files the session wrote are the ones not there before.
    (cd "$run" && "$native" --script "$name.script" timer.cpx >"../$i.transcript" 2>/dev/null)
    rm "$run/$name.script"
    for example in "$source_dir"/examples/*.cpx; do
        cmp -s "$example" "$run/$(basename "$example")" && rm "$run/$(basename "$example")"
    done
    diff <(mask "$work/native/$i.transcript") <(mask "$work/out/$i/transcript") >"$work/diff" ||
        fail "$name: the page's transcript differs: $(head -c 1500 "$work/diff")"
    diff -r "$run" "$work/out/$i/files" >"$work/diff" || fail "$name: the page's files differ: $(head -c 1500 "$work/diff")"
    [ -n "$(ls "$run")" ] || fail "$name: the session wrote nothing"
done

# The canvas after the show session is --render of the board.
i=$((i + 1))
"$native" --render "$source_dir/examples/amplifier.cpx" "$work/render.ppm" || fail "--render failed"
if [ -f "$work/out/$i.canvas.png" ]; then
    convert "$work/out/$i.canvas.png" -crop 631x401+0+0 +repage -depth 8 ppm:"$work/canvas.ppm"
    cmp -s "$work/canvas.ppm" "$work/render.ppm" ||
        fail "the canvas differs from --render in $(compare -metric AE "$work/canvas.ppm" "$work/render.ppm" null: 2>&1) pixels"
else
    fail "no canvas capture"
fi
[ "$failures" -eq 0 ] && echo "the page's test mode agrees with the Linux program (${#queries[@]} sessions)"
exit $((failures > 0))
