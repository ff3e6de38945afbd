#!/usr/bin/env bash
# The Windows executable: cross-built in build-windows, its unit and
# end-to-end tests run under wine, and its outputs compared byte for byte
# with the Linux program's (build/cuprolay, built first by test.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows_dir="$root/build-windows"
source "$root/scripts/wine-env.sh"
source "$root/tests/windows/wine_x11.sh"
xvfb_pid=""
trap 'wine_stop; [ -z "$xvfb_pid" ] || kill "$xvfb_pid"' EXIT
# One display for every wine process of the run, made before the first:
# the desktop process wine starts for a process without a display has no
# window driver, and a window program started while it lives cannot open
# its windows.
mkdir -p "$windows_dir"
if command -v Xvfb >/dev/null 2>&1 && start_display "$windows_dir" 1920 1200; then
    export CUPROLAY_XVFB_DISPLAY="$DISPLAY"
fi
wine_start
# No debug information: it only slows the cross build and bloats the exe.
bash "$root/scripts/build.sh" "$windows_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCUPROLAY_LINUX_PROGRAM="$root/build/cuprolay"
(cd "$windows_dir" && ctest --output-on-failure -j 2)
