#!/usr/bin/env bash
# Configures and builds the browser build: build-web.sh [DIR [TARGET...]]
# (default build-web, every target).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$root/build-web}"
shift || true
# Debian's emscripten runs its own tools under node with this module path.
export NODE_PATH=/usr/share/nodejs
mkdir -p "$dir"
emcmake cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CROSSCOMPILING_EMULATOR=node >"$dir/configure.log" 2>&1 || { cat "$dir/configure.log" >&2; exit 1; }
if [ $# -gt 0 ]; then
  cmake --build "$dir" -j 2 --target "$@"
else
  cmake --build "$dir" -j 2
fi
