#!/usr/bin/env bash
# Sets up, builds, and renders the example timer board to a picture.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
out="$root/build/timer.png"
"$root/build/cuprolay" --render "$root/examples/timer.cpx" "$out" --zoom 20
echo "rendered $root/examples/timer.cpx to $out"
