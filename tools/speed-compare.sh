#!/bin/sh
# Times two Release builds side by side, alternating, with the load average
# beside every figure: the drawing benchmarks (CPU medians of 3 runs), the
# matplotlib reference, and the whole lobus-render of a 6 x 1,000,000 case
# to PNG (wall time, CPU user and sys, peak memory; 5 runs each) against a
# single-threaded from_chars parse of the case's result files.
#
# usage: tools/speed-compare.sh OLD_BUILD NEW_BUILD [WORKDIR]
#   OLD_BUILD, NEW_BUILD: build folders configured with -DCMAKE_BUILD_TYPE=Release
#   (bench_draw, lobus-render, lobus-examples and fromchars_floor built);
#   WORKDIR (default: a new temporary folder) keeps the generated case.
set -eu
old=$1
new=$2
work=${3:-$(mktemp -d)}
here=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$work"
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "== drawing benchmarks (CPU ms, median of 3), alternating builds"
# (BM_OpenToPicture, whose largest case writes 396 MB of files first, is run
# by hand: BUILD/bin/bench_draw --benchmark_filter=BM_OpenToPicture)
for round in 1 2; do
  for b in "$old" "$new"; do
    echo "-- $b (round $round, load $(load))"
    "$b/bin/bench_draw" --benchmark_filter='BM_DrawStress/|BM_SaveBmp|BM_SavePng' \
      --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
      awk '/_median/ { print $1, $4, $5 }'
  done
done

echo "== matplotlib reference (load $(load))"
"$here/bench/matplotlib_compare.py" 200 10000

case=$work/huge
dan=$case/DANE/stress6x1000000.dan
if [ ! -f "$dan" ]; then
  "$new/bin/lobus-examples" --stress 6x1000000 "$case" >/dev/null
fi
echo "== from_chars floor of the result files (CPU s), 3 runs"
for i in 1 2 3; do
  echo "load $(load): $("$new/bin/fromchars_floor" "$case"/WYN/*)"
done
echo "== lobus-render of the 6 x 1,000,000 case to PNG: wall s, user s, sys s, peak KB"
for i in 1 2 3 4 5; do
  for b in "$old" "$new"; do
    /usr/bin/time -f "$b: %e %U %S %M  (load $(load))" "$b/bin/lobus-render" "$dan" -o "$work/huge.png" 2>&1 | tail -1
  done
done
