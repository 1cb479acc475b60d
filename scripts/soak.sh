#!/usr/bin/env bash
# The long soak, on request: the real program, built with AddressSanitizer and
# UndefinedBehaviorSanitizer, driven by seeded random user actions under Xvfb.
#
#   scripts/soak.sh [actions] [seed ...]      (default: 2000 actions, three random seeds)
#
# A failing run prints its seed; `scripts/soak.sh ACTIONS SEED` replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

ensure_packages g++ cmake make libfltk1.3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri \
    x11-utils xvfb xauth xdotool imagemagick libgtest-dev

actions="${1:-2000}"
shift || true
seeds=("$@")
[ ${#seeds[@]} -eq 0 ] && seeds=("$RANDOM$RANDOM" "$RANDOM$RANDOM" "$RANDOM$RANDOM")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOOPLINE_TESTS=ON \
    -DLOOPLINE_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$(nproc)" --target loopline loopline_soak

status=0
for seed in "${seeds[@]}"; do
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        build-asan/tests/loopline_soak --seed "$seed" --actions "$actions" || status=1
done
exit $status
