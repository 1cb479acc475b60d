#!/usr/bin/env bash
# The performance guard: a benchmark with a pass mark, for CI. It runs the frame and pick
# benchmarks of a built tree (default build-tests/, as ./check leaves it) under Xvfb and fails
# when:
#   - a frame with point-light shadows at 10,000 points costs more than 2 x the bare replay of
#     the same GL stream,
#   - a pick at 10,000 points costs more than 2 x its replay (taken in pairs, each pick beside a
#     replay, so that the machine's load slows both alike),
#   - a frame with point-light shadows grows more than 20 x from 1,000 to 10,000 points
#     (linear growth measures about 7.6 x).
# Each ratio is taken within one run (medians of its repetitions), five runs, and the median of
# the five is held against the bound. The ratios cancel the machine's speed; the bounds sit well
# above what runs measure, even on a busy machine, so only a real regression trips them.
#
#   scripts/dev/perf-guard.sh [build dir] [repetitions]      (defaults: build-tests and 3)
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
export MESA_SHADER_CACHE_DISABLE=true
build=${1:-build-tests}
repetitions=${2:-3}
max_ratio=2
max_growth=20

bench=$build/bench/loopline_bench
if [ ! -x "$bench" ]; then
    echo "perf-guard: $bench is missing; build with -DLOOPLINE_BENCHMARKS=ON (./check does)" >&2
    exit 2
fi

out=$(mktemp -d /tmp/loopline-perf-guard-XXXXXX)
trap 'rm -rf "$out"' EXIT

# name,iterations,real_time,...,counters with quoted names; the median of a run's repetitions, of
# its real time or, given a column's name, of that column.
median() {
    local csv=$1 name=$2 column=${3:-real_time} value
    value=$(awk -F, -v want="\"$name/real_time_median\"" -v column="$column" '
        /^name,/ { for (i = 1; i <= NF; i++) { h = $i; gsub(/"/, "", h); if (h == column) c = i } }
        c && $1 == want { print $c }' "$csv")
    if [ -z "$value" ]; then
        echo "perf-guard: no median for $name in the benchmark's output" >&2
        exit 2
    fi
    echo "$value"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a / b }'; }

# Several runs, each a fresh process, so that a burst of load on the machine lands in one run;
# each figure is the median over the runs of that run's ratio.
runs=5
for run in $(seq $runs); do
    # The scene only grows, so 1,000 points are measured before 10,000. The pick's pairs report
    # a counter the frames do not have, which one CSV file cannot hold: a file of their own.
    with_xvfb bash -c '"$0" --benchmark_filter="$1" "${@:3}" --benchmark_out="$2.csv" &&
        "$0" --benchmark_filter="^PickPaired/10000/" "${@:3}" --benchmark_out="$2-pick.csv"' \
        "$bench" '^(Frame|FrameBaseline)/PointLight/(1000|10000)/' "$out/run-$run" \
        --benchmark_min_time=0.2 --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true --benchmark_out_format=csv 2>/dev/null ||
        { echo "perf-guard: the benchmark binary failed in run $run" >&2; exit 2; }
    csv=$out/run-$run.csv
    frame=$(median "$csv" Frame/PointLight/10000)
    frameBase=$(median "$csv" FrameBaseline/PointLight/10000)
    frameSmall=$(median "$csv" Frame/PointLight/1000)
    pick=$(median "$out/run-$run-pick.csv" PickPaired/10000/iterations:11 ratio)
    echo "$(ratio "$frame" "$frameBase") $(ratio "$pick" 1) $(ratio "$frame" "$frameSmall")" \
        >> "$out/ratios"
done

failed=0
# check COLUMN WHAT BOUND: the median over the runs of one column of ratios against its bound.
check() {
    local values value
    values=$(cut -d' ' -f"$1" "$out/ratios" | sort -g | tr '\n' ' ')
    value=$(echo "$values" | awk '{ print $(int((NF + 1) / 2)) }')
    if awk -v v="$value" -v b="$3" 'BEGIN { exit !(v <= b) }'; then
        printf 'perf-guard: ok    %-44s %6.2f (bound %s; runs: %s)\n' "$2" "$value" "$3" "$values"
    else
        printf 'perf-guard: FAIL  %-44s %6.2f (bound %s; runs: %s)\n' "$2" "$value" "$3" "$values"
        failed=1
    fi
}
check 1 "frame with shadows / replay, 10,000 points" $max_ratio
check 2 "pick / replay, 10,000 points" $max_ratio
check 3 "frame with shadows, 10,000 / 1,000 points" $max_growth
exit $failed
