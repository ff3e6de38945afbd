#!/usr/bin/env bash
# Sets up, builds, and opens the editor window on the example timer board.
# Without a display it renders the board to a picture instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
board="$root/examples/timer.cpx"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/build/cuprolay" "$board"
fi
out="$root/build/timer.png"
"$root/build/cuprolay" --render "$board" "$out" --zoom 20
echo "no display: rendered $board to $out"
