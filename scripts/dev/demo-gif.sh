#!/usr/bin/env bash
# Makes docs/demo.gif from real screenshots of the running editor under a virtual X server: a
# control point dragged with the track following it, then "Play" with the train going round.
# Builds build/loopline (Release) first, as ./run does.
#
#   scripts/dev/demo-gif.sh
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
ensure_roles build run display
export MESA_SHADER_CACHE_DISABLE=true

configure_hardened build
cmake --build build -j "$(nproc)" >/dev/null

frames=$(mktemp -d /tmp/loopline-demo-XXXXXX)
trap 'rm -rf "$frames"' EXIT

with_xvfb bash -s "$frames" <<'EOF'
set -euo pipefail
frames=$1
n=0
# One frame: the main window, which sits at (100, 100) without a window manager.
shot() {
    sleep "${1:-0.15}"
    import -window root -depth 8 -crop 900x525+100+100 +repage "$frames/$(printf %03d $n).png"
    n=$((n + 1))
}
./build/loopline >/dev/null & pid=$!
for _ in $(seq 100); do
    xdotool search --onlyvisible --classname '^loopline$' >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 1
shot; shot

# Drag P2, the green cube at (-2, 0.1, 2), which the start-up camera shows at (471, 340) in the
# window, out to the left and back towards the camera; the track follows it.
xdotool mousemove 571 440 mousedown 1
for step in $(seq 1 10); do
    xdotool mousemove $((571 - 9 * step)) $((440 + 5 * step))
    shot 0.1
done
xdotool mouseup 1
shot; shot

# "Velocity" turned down near its left end, then "Play": the train runs round the changed track.
xdotool mousemove 170 527 click 1
shot
xdotool mousemove 370 602 click 1
for _ in $(seq 1 32); do shot 0.05; done

xdotool mousemove 600 300 key Escape
wait $pid || true
EOF

mkdir -p docs
# Three fifths of the size, a shared 32-colour palette, and only what changes between frames.
convert -delay 15 -loop 0 "$frames"/*.png -resize 60% +dither -colors 32 -fuzz 3% -layers OptimizeTransparency \
    docs/demo.gif
echo "docs/demo.gif: $(du -k docs/demo.gif | cut -f1) KB, $(ls "$frames" | wc -l) frames"
