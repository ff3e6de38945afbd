#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build (unit and
# end-to-end tests), then the unit tests again under ASan and UBSan.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"

bash "$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j 2)
bash "$root/scripts/test-windows.sh"

bash "$root/scripts/build.sh" "$root/build-sanitize" -DCUPROLAY_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-sanitize" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j 2 -L unit)
bash "$root/scripts/test-web.sh" "$root/build/cuprolay"
bash "$root/scripts/test-fuzz.sh"
