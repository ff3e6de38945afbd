#!/usr/bin/env bash
# measure_page.sh PAGE NATIVE [REPEATS]: the page's speed and size. A
# scripted session of 3,000 events (pointer moves, cuts, wire drags, undo
# and redo, zoom toggles, a save) runs REPEATS times (default 5) in the
# page's test mode and in the Linux program; prints the medians, their
# ratio and the page's gzipped size. The outputs must agree too.
set -eu
page="$(cd "$(dirname "$1")" && pwd)"
native="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
repeats="${3:-5}"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap '[ -n "${CUPROLAY_KEEP_WORK:-}" ] && echo "kept $work" >&2 || rm -rf "$work"' EXIT
mkdir -p "$work/served" "$work/out" "$work/native"

# 3,000 event lines: a pointer tour with a cut every 10th point, a wire
# drawn every 50th, undo and redo every 100th and a zoom there and back
# every 500th.
awk 'BEGIN {
  n = 0
  for (i = 0; n < 2990; i++) {
    x = 20 + (i * 37) % 600; y = 20 + (i * 53) % 380
    if (i % 50 == 49) { print "move " x " " y; print "down left"; print "move " x+30 " " y; print "up left"; n += 4; continue }
    if (i % 10 == 9) { print "click " x+5 " " y; n += 1; continue }
    if (i % 100 == 99) { print "key u"; print "key r"; n += 2; continue }
    if (i % 500 == 499) { print "key z"; print "key z"; n += 2; continue }
    print "move " x " " y; n += 1
  }
  print "key ^W"; print "file speed.cpx"; print "key q"
}' >"$work/served/speed.script"
echo "session: $(grep -vc -e '^file' "$work/served/speed.script") events"

queries=()
for _ in $(seq "$repeats"); do queries+=("script=speed.script&board=timer.cpx"); done
node "$here/run_test_mode.js" "$page" "$work/served" "$work/out" "${queries[@]}"

cp "$source_dir/examples/timer.cpx" "$work/served/speed.script" "$work/native/"
native_ms=()
for _ in $(seq "$repeats"); do
    rm -f "$work/native/speed.cpx"
    start=$(date +%s%N)
    (cd "$work/native" && "$native" --script speed.script timer.cpx >transcript)
    native_ms+=($(( ($(date +%s%N) - start) / 1000 )))
done
NATIVE_DIR="$work/native" node -e '
const fs = require("fs");
const [out, repeats, ...native] = process.argv.slice(1);
const median = (v) => { const s = [...v].sort((a, b) => a - b); return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2; };
const page = [];
for (let i = 1; i <= +repeats; i++) page.push(JSON.parse(fs.readFileSync(`${out}/${i}.canvas.json`, "utf8")).milliseconds);
const nativeMs = native.map((us) => us / 1000);
const result = JSON.parse(fs.readFileSync(`${out}/1.json`, "utf8"));
const same = result.transcript === fs.readFileSync(process.env.NATIVE_DIR + "/transcript", "utf8") &&
  Buffer.from(result.files["speed.cpx"], "base64").equals(fs.readFileSync(process.env.NATIVE_DIR + "/speed.cpx"));
console.log(`page (in-page session time) ms: ${page.map((v) => v.toFixed(1)).join(" ")}; median ${median(page).toFixed(1)}`);
console.log(`native (whole process) ms: ${nativeMs.map((v) => v.toFixed(1)).join(" ")}; median ${median(nativeMs).toFixed(1)}`);
console.log(`ratio of medians page/native: ${(median(page) / median(nativeMs)).toFixed(2)}`);
console.log(`outputs agree: ${same}`);
if (!same) process.exit(1);
' "$work/out" "$repeats" "${native_ms[@]}"
echo "page: $(stat -c %s "$page/cuprolay.html") bytes, $(gzip -9 -c "$page/cuprolay.html" | wc -c) gzipped (gzip -9)"
