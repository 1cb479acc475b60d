#!/usr/bin/env bash
# Turns docs/performance/results-N.json (one file per run) into table.md and frame-time.png.
# Each figure is the median over the runs of each run's median; each ratio to the baseline is
# worked out per run and given as the median with the lowest and highest run in brackets. Run by
# scripts/dev/bench.sh; needs jq and gnuplot.
#
#   scripts/dev/bench-report.sh [folder]      (default: docs/performance)
set -euo pipefail
out="${1:-docs/performance}"
runs=("$out"/results-*.json)
[ -e "${runs[0]}" ] || { echo "bench-report: no $out/results-*.json" >&2; exit 1; }

# Median real time of a benchmark in one run, in the unit it reports (ms for frames and picks,
# which are timed in real time because GL's rasterizer threads do part of the work; ns for
# evaluations).
# A run of one repetition has no aggregates: its one measurement stands for the median.
median_in() {
    jq -r --arg name "$1" '[.benchmarks[]
        | select(.run_name == $name or .run_name == $name + "/real_time")] as $runs
        | ([$runs[] | select(.aggregate_name == "median")] + $runs)[0].real_time' "$2"
}
# One line per run: the figure, or the ratio of two figures taken in the same run.
values() { for f in "${runs[@]}"; do median_in "$1" "$f"; done; }
ratios() {
    for f in "${runs[@]}"; do
        awk -v a="$(median_in "$1" "$f")" -v b="$(median_in "$2" "$f")" 'BEGIN { print a / b }'
    done
}
middle() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
spread() {
    sort -g | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.2f (%.2f–%.2f)", m, v[1], v[NR] }'
}
fmt() { awk -v a="$1" 'BEGIN { printf (a < 10 ? "%.3f" : "%.1f"), a }'; }
figure() { fmt "$(values "$1" | middle)"; }

{
    echo "| Control points | Frame, no shadows (ms) | Ratio to baseline | Frame, point-light shadows (ms) | Ratio to baseline | Pick (ms) | Ratio to baseline | Cost per added point, frame with shadows (µs) |"
    echo "|---:|---:|---:|---:|---:|---:|---:|---:|"
    for n in 4 100 1000 10000; do
        fl=$(values "Frame/PointLight/$n" | middle)
        # Marginal: what each point beyond the first four adds to the frame.
        per=$(awk -v t="$fl" -v t4="$(values "Frame/PointLight/4" | middle)" -v n="$n" \
            'BEGIN { if (n == 4) print "–"; else printf "%.2f", (t - t4) * 1000 / (n - 4) }')
        echo "| $n | $(figure "Frame/None/$n") | $(ratios "Frame/None/$n" "FrameBaseline/None/$n" | spread) | $(fmt "$fl") | $(ratios "Frame/PointLight/$n" "FrameBaseline/PointLight/$n" | spread) | $(figure "Pick/$n") | $(ratios "Pick/$n" "PickBaseline/$n" | spread) | $per |"
    done
    echo
    echo "| Evaluation (ns) | n = 4 | n = 1,000 | n = 100,000 | Ratio 100,000 / 4 |"
    echo "|---|---:|---:|---:|---:|"
    for op in Position Tangent; do
        for type in Linear Cardinal BSpline; do
            echo "| $op, $type | $(figure "$op/$type/4") | $(figure "$op/$type/1000") | $(figure "$op/$type/100000") | $(ratios "$op/$type/100000" "$op/$type/4" | spread) |"
        done
    done
    echo
    echo "Idle loop with \"Play\" off: $(cat "$out/idle-cpu.txt")% of one core."
    echo
    echo "${#runs[@]} runs, $(jq -r '.benchmarks[0].repetitions' "${runs[0]}") repetitions each; ratios: median of the runs (lowest–highest)."
    jq -r '.context | "Measured on \(.host_name), \(.num_cpus) CPUs at \(.mhz_per_cpu) MHz, \(.date)."' "${runs[0]}"
} > "$out/table.md"

data=$(mktemp)
for n in 4 100 1000 10000; do
    echo "$n $(values "Frame/None/$n" | middle) $(values "FrameBaseline/None/$n" | middle) $(values "Frame/PointLight/$n" | middle) $(values "FrameBaseline/PointLight/$n" | middle)"
done > "$data"
gnuplot <<GNUPLOT
set terminal pngcairo size 800,500
set output "$out/frame-time.png"
set title "Loopline: one frame against the number of control points (Mesa llvmpipe, Xvfb)"
set xlabel "control points"
set ylabel "frame time (ms, median of the runs)"
set logscale xy
set key top left
set grid
plot "$data" using 1:2 with linespoints title "frame, no shadows", \
     "$data" using 1:3 with linespoints dashtype 2 title "GL baseline, no shadows", \
     "$data" using 1:4 with linespoints title "frame, point-light shadows", \
     "$data" using 1:5 with linespoints dashtype 2 title "GL baseline, point-light shadows"
GNUPLOT
rm -f "$data"
