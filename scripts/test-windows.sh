#!/usr/bin/env bash
# The Windows executable: cross-built in build-windows, its unit and
# end-to-end tests run under wine, and its outputs compared byte for byte
# with the Linux program's (build/cuprolay, built first by test.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows_dir="$root/build-windows"
source "$root/scripts/wine-env.sh"
trap wine_stop EXIT
wine_start
# No debug information: it only slows the cross build and bloats the exe.
bash "$root/scripts/build.sh" "$windows_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCUPROLAY_LINUX_PROGRAM="$root/build/cuprolay"
(cd "$windows_dir" && ctest --output-on-failure -j 2)
