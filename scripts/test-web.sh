#!/usr/bin/env bash
# The browser build's tests: builds build-web/ (the node program and the
# page), runs the scripted end-to-end tests against the node program,
# compares it with the Linux program NATIVE, and drives the page in
# headless Chromium. test-web.sh NATIVE
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
native="${1:-$root/build/cuprolay}"
dir="$root/build-web"
command -v emcc >/dev/null && command -v chromium >/dev/null || bash "$root/scripts/setup.sh"

targets=(cuprolay)
[ -f "$root/cmake/web_page.cmake" ] && targets+=(cuprolay_page)
bash "$root/scripts/build-web.sh" "$dir" "${targets[@]}"

# The e2e scripts take a program path; this one runs the wasm under node.
printf '#!/bin/sh\nexec node "%s/cuprolay.js" "$@"\n' "$dir" >"$dir/cuprolay-node"
chmod +x "$dir/cuprolay-node"

export CUPROLAY_SOURCE_DIR="$root"
failed=()
run_test() {
    local name="$1"
    shift
    if "$@" >"$dir/$name.log" 2>&1; then
        echo "web: $name passed"
    else
        echo "web: $name FAILED:" >&2
        tail -n 40 "$dir/$name.log" >&2
        failed+=("$name")
    fi
}
# The export files are checked byte for byte against the native ones
# below, and the native test checks those with the readers.
for test in "$root"/tests/e2e/script_*.sh "$root/tests/e2e/render.sh"; do
    run_test "node_$(basename "$test" .sh)" bash "$test" "$dir/cuprolay-node"
done
run_test node_matches_native bash "$root/tests/web/node_matches_native.sh" "$native" "$dir/cuprolay-node"
for test in "$root"/tests/web/page_*.sh; do
    [ -e "$test" ] || continue
    run_test "$(basename "$test" .sh)" bash "$test" "$dir/page/cuprolay.html" "$native"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "web: failed: ${failed[*]}" >&2
    exit 1
fi
