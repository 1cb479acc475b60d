#!/usr/bin/env bash
# Turns docs/performance/results.json into table.md and frame-time.png.
set -euo pipefail
out="${1:-docs/performance}"
json="$out/results.json"

# Median real time of a benchmark, in the unit it reports (ms for frames and picks, which are
# timed in real time because GL's rasterizer threads do part of the work; ns for evaluations).
median() {
    jq -r --arg name "$1" '.benchmarks[]
        | select((.run_name == $name or .run_name == $name + "/real_time")
                 and .aggregate_name == "median") | .real_time' "$json"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
fmt() { awk -v a="$1" 'BEGIN { printf (a < 10 ? "%.3f" : "%.1f"), a }'; }

{
    echo "| Control points | Frame, no shadows (ms) | Baseline | Ratio | Frame, point-light shadows (ms) | Baseline | Ratio | Pick (ms) | Baseline | Ratio | Cost per added point, frame with shadows (µs) |"
    echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
    for n in 4 100 1000 10000; do
        fn=$(median "Frame/None/$n"); bn=$(median "FrameBaseline/None/$n")
        fl=$(median "Frame/PointLight/$n"); bl=$(median "FrameBaseline/PointLight/$n")
        pk=$(median "Pick/$n"); pb=$(median "PickBaseline/$n")
        # Marginal: what each point beyond the first four adds to the frame.
        per=$(awk -v t="$fl" -v t4="$(median "Frame/PointLight/4")" -v n="$n" \
            'BEGIN { if (n == 4) print "–"; else printf "%.2f", (t - t4) * 1000 / (n - 4) }')
        echo "| $n | $(fmt "$fn") | $(fmt "$bn") | $(ratio "$fn" "$bn") | $(fmt "$fl") | $(fmt "$bl") | $(ratio "$fl" "$bl") | $(fmt "$pk") | $(fmt "$pb") | $(ratio "$pk" "$pb") | $per |"
    done
    echo
    echo "| Evaluation (ns) | n = 4 | n = 1,000 | n = 100,000 | Ratio 100,000 / 4 |"
    echo "|---|---:|---:|---:|---:|"
    for op in Position Tangent; do
        for type in Linear Cardinal BSpline; do
            a=$(median "$op/$type/4"); b=$(median "$op/$type/1000"); c=$(median "$op/$type/100000")
            echo "| $op, $type | $(fmt "$a") | $(fmt "$b") | $(fmt "$c") | $(ratio "$c" "$a") |"
        done
    done
    echo
    echo "Idle loop with \"Play\" off: $(cat "$out/idle-cpu.txt")% of one core."
    echo
    jq -r '.context | "Measured on \(.host_name), \(.num_cpus) CPUs at \(.mhz_per_cpu) MHz, \(.date)."' "$json"
} > "$out/table.md"

data=$(mktemp)
for n in 4 100 1000 10000; do
    echo "$n $(median "Frame/None/$n") $(median "FrameBaseline/None/$n") $(median "Frame/PointLight/$n") $(median "FrameBaseline/PointLight/$n")"
done > "$data"
gnuplot <<GNUPLOT
set terminal pngcairo size 800,500
set output "$out/frame-time.png"
set title "Loopline: one frame against the number of control points (Mesa llvmpipe, Xvfb)"
set xlabel "control points"
set ylabel "frame time (ms)"
set logscale xy
set key top left
set grid
plot "$data" using 1:2 with linespoints title "frame, no shadows", \
     "$data" using 1:3 with linespoints dashtype 2 title "GL baseline, no shadows", \
     "$data" using 1:4 with linespoints title "frame, point-light shadows", \
     "$data" using 1:5 with linespoints dashtype 2 title "GL baseline, point-light shadows"
GNUPLOT
rm -f "$data"
