#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan and UBSan) in build-fuzz and runs
# each for CUPROLAY_FUZZ_SECONDS (default 20), seeded from the examples and
# the tests. The corpus each run finds is kept in build-fuzz/corpus; a crash
# leaves its input in build-fuzz/crashes and fails the script.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build-fuzz"
seconds="${CUPROLAY_FUZZ_SECONDS:-20}"

CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCUPROLAY_FUZZ=ON -DCUPROLAY_SANITIZE=ON -DCUPROLAY_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$dir" --target fuzz_all -j 2 >/dev/null

# Seeds: boards from the examples and the end-to-end tests' inputs, the
# tests' scripts, a font bitmap.
seed_boards="$dir/seeds/boards"
mkdir -p "$seed_boards" "$dir/crashes"
cp "$root"/examples/*.cpx "$seed_boards/"
declare -A seeds=(
  [fuzz_board_reader]="$seed_boards"
  [fuzz_script_editor]="$root/tests/e2e/scripts $root/fuzz/seeds/script"
  [fuzz_font_loader]="$root/fuzz/seeds/font"
  [fuzz_netlist]="$root/fuzz/seeds/netlist"
)

status=0
for target in "$dir"/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  log="$dir/$name.log"
  if ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 "$target" -max_total_time="$seconds" \
      -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$dir/crashes/$name-" "$corpus" ${seeds[$name]:-} >"$log" 2>&1; then
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)"
    cov="$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)"
    echo "fuzz: $name: ${runs:-?} executions in ${seconds}s, $cov, corpus $(ls "$corpus" | wc -l)"
  elif grep -q 'ERROR: libFuzzer: timeout' "$log" && ! ls "$dir/crashes/$name-crash-"* >/dev/null 2>&1; then
    # A slow input is not a crash: self-inserting boards can legitimately grow
    # past the per-input limit. Report it, keep it, and go on.
    echo "fuzz: $name: stopped at a slow input (kept in $dir/crashes); no crash"
  else
    echo "fuzz: $name FAILED; input and log in $dir/crashes, $log" >&2
    tail -40 "$log" >&2
    status=1
  fi
done
exit $status
