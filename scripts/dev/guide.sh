#!/usr/bin/env bash
# Makes the illustrated guide's figures and numbers again from scratch: builds the data tool
# (build-guide/, Release), which prints what the program's own functions compute, draws each
# figure with gnuplot into docs/how-it-works/, and writes the tool's numbers into the block of
# docs/how-it-works.md between its numbers markers. The test guide_numbers_match_the_code fails
# when that block no longer matches the code.
#
#   scripts/dev/guide.sh
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
ensure_roles build plots

cmake -S . -B build-guide -DCMAKE_BUILD_TYPE=Release -DLOOPLINE_GUIDE=ON >/dev/null
cmake --build build-guide -j "$(nproc)" --target loopline_guide_data
tool=build-guide/guide/loopline_guide_data
out=docs/how-it-works
mkdir -p "$out"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
for what in weights tracks frames velocity drag shadows; do
    "$tool" "$what" >"$data/$what.dat"
done

# Common look: a readable font at the size the guide shows the figures.
style='set terminal pngcairo size 900,380 font "DejaVu Sans,11" linewidth 1.5
set grid
set key outside right top box'

# The weights of each curve type over u: position on the left, tangent on the right.
columns=(2 10 18)
names=(Linear Cardinal B-Spline)
files=(linear cardinal bspline)
for k in 0 1 2; do
    c=${columns[k]}
    gnuplot <<GNUPLOT
$style
set output "$out/weights-${files[k]}.png"
set multiplot layout 1,2 title "${names[k]}: the weight of each of the four points over one segment"
set xlabel "u (0 at point i, 1 at point i + 1)"
set ylabel "position weight"
set key inside top right
set yrange [-0.25:1.05]
plot for [j=0:3] "$data/weights.dat" using 1:(column($c + j)) with lines title sprintf("w%d (point i%+d)", j, j - 1)
set ylabel "tangent weight"
set yrange [-1.6:1.6]
plot for [j=0:3] "$data/weights.dat" using 1:(column($c + 4 + j)) with lines title sprintf("w%d (point i%+d)", j, j - 1)
unset multiplot
GNUPLOT
done

# The start-up track from above in the three types, and after three presses of "Add to Curve".
gnuplot <<GNUPLOT
$style
set terminal pngcairo size 900,440 font "DejaVu Sans,11" linewidth 1.5
set output "$out/tracks.png"
set multiplot layout 1,2 title "The start-up track seen from above (x to the right, z down)"
set size ratio -1
set xlabel "x"
set ylabel "z"
set yrange [3:-3] reverse
set xrange [-3:3]
set key inside center center box
set title "four points"
plot "$data/tracks.dat" index 0 using 2:4 with lines title "Linear", \
     "" index 1 using 2:4 with lines title "Cardinal", \
     "" index 2 using 2:4 with lines title "B-Spline", \
     "" index 3 using 2:4 with points pointtype 7 pointsize 1.3 title "points", \
     "" index 3 using 2:4:(sprintf("P%d", \$1)) with labels offset 1.6,0.8 notitle
set title "after three presses of \"Add to Curve\""
plot "$data/tracks.dat" index 4 using 2:4 with lines title "Linear", \
     "" index 5 using 2:4 with lines title "Cardinal", \
     "" index 6 using 2:4 with lines title "B-Spline", \
     "" index 7 using 2:4 with points pointtype 7 pointsize 1.3 title "points", \
     "" index 7 using 2:4:(sprintf("P%d", \$1)) with labels offset 1.6,0.8 notitle
unset multiplot
GNUPLOT

# The train's frame along the track: forward and up, flat and with P2 raised.
gnuplot <<GNUPLOT
$style
set terminal pngcairo size 900,440 font "DejaVu Sans,11" linewidth 1.5
set output "$out/frames.png"
set multiplot layout 1,2 title "The train's frame every quarter of t (Cardinal): forward in red, up in blue"
set view 62, 32, 1, 1
set xyplane at 0
set xlabel "x"
set ylabel "z"
set zlabel "y" rotate parallel
set xrange [-3:3]
set yrange [-3:3]
set zrange [0:2.5]
set key at screen 0.02, 0.86 left top vertical box
set title "flat"
splot "$data/frames.dat" index 0 using 2:4:3 with lines lc rgb "gray40" title "track", \
      "" index 1 using 1:3:2:(\$4):(\$6):(\$5) with vectors lc rgb "red" lw 2 title "forward", \
      "" index 1 using 1:3:2:(0.8*\$7):(0.8*\$9):(0.8*\$8) with vectors lc rgb "blue" title "up"
set title "P2 raised to y = 2"
splot "$data/frames.dat" index 2 using 2:4:3 with lines lc rgb "gray40" notitle, \
      "" index 3 using 1:3:2:(\$4):(\$6):(\$5) with vectors lc rgb "red" lw 2 notitle, \
      "" index 3 using 1:3:2:(0.8*\$7):(0.8*\$9):(0.8*\$8) with vectors lc rgb "blue" notitle
unset multiplot
GNUPLOT

# "Constant Velocity": world distance per step over one lap, off and on.
gnuplot <<GNUPLOT
$style
set output "$out/velocity.png"
set title "One lap of \"Play\" at velocity 0.5 on the start-up track (Cardinal)"
set xlabel "step of the idle callback"
set ylabel "world distance covered in the step"
set yrange [0:0.7]
plot "$data/velocity.dat" index 0 using 1:2 with linespoints pointtype 7 pointsize 0.6 title "Constant Velocity off", \
     "" index 1 using 1:2 with linespoints pointtype 5 pointsize 0.6 title "Constant Velocity on"
GNUPLOT

# The drag planes, seen from the side (z to the right, y up).
gnuplot <<GNUPLOT
$style
set terminal pngcairo size 900,600 font "DejaVu Sans,11" linewidth 1.5
set output "$out/drag.png"
set key below box
set title "One mouse ray and P2, seen from the side: where each drag puts the point"
set xlabel "z"
set bmargin 7
set ylabel "y"
set size ratio -1
set xrange [-1:12]
set yrange [-0.5:7]
set arrow from -1,0.1 to 12,0.1 nohead dashtype 2 lc rgb "gray50"
set label "plain drag: the plane y = 0.1" at 5,0.45 textcolor rgb "gray30"
set arrow from 2,-0.5 to 2,7 nohead dashtype 2 lc rgb "gray50"
set label "Ctrl drag: the plane z = 2" at 2.3,6.4 textcolor rgb "gray30"
plot "< grep -E '^(near|far) ' $data/drag.dat" using 4:3 with linespoints lc rgb "black" pointtype 6 title "the mouse ray (near and far point)", \
     "< grep '^point ' $data/drag.dat" using 4:3 with points pointtype 7 pointsize 1.6 lc rgb "dark-green" title "P2 before the drag", \
     "< grep '^plain ' $data/drag.dat" using 4:3 with points pointtype 5 pointsize 1.6 lc rgb "blue" title "after a plain drag", \
     "< grep '^ctrl ' $data/drag.dat" using 4:3 with points pointtype 9 pointsize 1.8 lc rgb "red" title "after a Ctrl drag"
GNUPLOT

# The two shadow modes, seen from the side in the vertical plane x = z.
gnuplot <<GNUPLOT
$style
set terminal pngcairo size 900,600 font "DejaVu Sans,11" linewidth 1.5
set output "$out/shadows.png"
set key below box maxrows 3
set title "A point's shadow, seen from the side in the plane x = z"
set xlabel "x (= z)"
set bmargin 7
set ylabel "y"
set size ratio -1
set xrange [-1.5:6]
set yrange [-0.3:7.6]
set arrow from -1.5,0 to 6,0 nohead lc rgb "gray50"
set label "floor" at 5.2,0.3 textcolor rgb "gray30"
plot "< grep -E '^(light|point-light) ' $data/shadows.dat" using 2:3 with lines dashtype 2 lc rgb "orange" title "ray from the light", \
     "< grep -E '^(point|drop) ' $data/shadows.dat" using 2:3 with lines dashtype 3 lc rgb "gray40" title "straight down", \
     "< grep '^light ' $data/shadows.dat" using 2:3 with points pointtype 5 pointsize 1.8 lc rgb "red" title "light marker", \
     "< grep '^point ' $data/shadows.dat" using 2:3 with points pointtype 7 pointsize 1.6 lc rgb "dark-green" title "point", \
     "< grep '^drop ' $data/shadows.dat" using 2:3 with points pointtype 9 pointsize 1.8 lc rgb "black" title "\"Hack Drop\" shadow", \
     "< grep '^point-light ' $data/shadows.dat" using 2:3 with points pointtype 11 pointsize 1.8 lc rgb "black" title "\"Hack Point Light\" shadow"
GNUPLOT

# The numbers the guide quotes, between its markers.
guide=docs/how-it-works.md
"$tool" numbers >"$data/numbers.md"
awk -v numbers="$data/numbers.md" '
    /^<!-- numbers: begin -->$/ { print; while ((getline line < numbers) > 0) print line; skip = 1; next }
    /^<!-- numbers: end -->$/ { skip = 0 }
    !skip' "$guide" >"$data/guide.md"
grep -q '^<!-- numbers: begin -->$' "$guide" || { echo "guide.sh: $guide has no numbers block" >&2; exit 1; }
cp "$data/guide.md" "$guide"
ls "$out"
