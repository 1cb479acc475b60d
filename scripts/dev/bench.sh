#!/usr/bin/env bash
# Builds the benchmarks (Release), runs them on Mesa's software OpenGL under Xvfb several times,
# each run a fresh process, measures the CPU the idle loop takes while "Play" is off, and writes
# docs/performance/: results-N.json (Google Benchmark's output of run N), idle-cpu.txt,
# frame-time.png (gnuplot) and table.md (the README's table, with the spread over the runs).
#
#   scripts/dev/bench.sh [runs] [repetitions per run]      (defaults: 3 and 5)
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
ensure_roles build run display test plots
export MESA_SHADER_CACHE_DISABLE=true

runs="${1:-3}"
repetitions="${2:-5}"
out=docs/performance
mkdir -p "$out"
rm -f "$out"/results*.json

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DLOOPLINE_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j "$(nproc)"

for run in $(seq "$runs"); do
    echo "== Run $run of $runs"
    with_xvfb build-bench/bench/loopline_bench --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true \
        --benchmark_out="$out/results-$run.json" --benchmark_out_format=json
done

# The idle loop while "Play" is off: CPU seconds the process uses over 10 s of wall time.
with_xvfb bash -c '
    build-bench/loopline >/dev/null &
    pid=$!
    sleep 3
    ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
    before=$(ticks); sleep 10; after=$(ticks)
    kill $pid
    echo "$before $after $(getconf CLK_TCK)"
' | awk '{ printf "%.0f\n", ($2 - $1) / $3 / 10 * 100 }' > "$out/idle-cpu.txt"

scripts/dev/bench-report.sh "$out"
cat "$out/table.md"
