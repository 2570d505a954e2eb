#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a short time,
# starting from the seed corpus in fuzz/corpus/ (which stays as it is: what
# the run finds goes into the build directory's corpus).
# usage: fuzz/run-brief.sh [SECONDS]   (default 30 per target)
# Build directory: build-fuzz beside this script's folder (or $LOBUS_FUZZ_BUILD).
set -eu
seconds=${1:-30}
here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
build=${LOBUS_FUZZ_BUILD:-$src/build-fuzz}

CC=clang CXX=clang++ cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLOBUS_BUILD_FUZZ=ON -DLOBUS_BUILD_GUI=OFF -DLOBUS_BUILD_TESTS=OFF -DLOBUS_BUILD_BENCH=OFF
cmake --build "$build" -j2 --target fuzz_recordreader fuzz_passes

status=0
for name in recordreader passes; do
  target=fuzz_$name
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s"
  (cd "$build" && "$build/bin/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$here/corpus/$name") || status=1
done
exit $status
