#!/bin/sh
# A long fuzzing campaign: 10^7 executions of each libFuzzer target (or RUNS),
# from the seed corpus in fuzz/corpus/, inputs up to 64 KB. Prints, per
# target, the executions, the rate, the coverage (edges and features) and the
# corpus it grew; a fault stops the campaign with the fuzzer's report and the
# input that shows it (crash-* in the build directory).
# usage: tools/fuzz-long.sh [RUNS]
# Build directory: build-fuzz (or $LOBUS_FUZZ_BUILD). Takes about an hour on
# two cores; run it in the background, e.g. with nice.
set -eu
runs=${1:-10000000}
src=$(cd "$(dirname "$0")/.." && pwd)
build=${LOBUS_FUZZ_BUILD:-$src/build-fuzz}

CC=clang CXX=clang++ cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLOBUS_BUILD_FUZZ=ON -DLOBUS_BUILD_GUI=OFF -DLOBUS_BUILD_TESTS=OFF -DLOBUS_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_recordreader fuzz_passes >/dev/null

for name in recordreader passes; do
  target=fuzz_$name
  corpus="$build/corpus-long/$target"
  log="$build/$target-long.log"
  mkdir -p "$corpus"
  start=$(date +%s)
  if ! (cd "$build" && "$build/bin/$target" -runs="$runs" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 "$corpus" "$src/fuzz/corpus/$name") >"$log" 2>&1; then
    tail -40 "$log"
    echo "$target: a fault (whole log: $log)"
    exit 1
  fi
  seconds=$(( $(date +%s) - start ))
  done_line=$(grep -E "^#[0-9]+[[:space:]]+DONE" "$log" | tail -1)
  echo "$target: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') executions in ${seconds} s" \
    "($(grep -E '^stat::average_exec_per_sec' "$log" | awk '{print $2}')/s);" \
    "$(echo "$done_line" | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9]+[a-zA-Z]*')"
done
