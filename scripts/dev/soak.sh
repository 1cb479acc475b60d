#!/usr/bin/env bash
# The long soak, on request: the real program, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), driven by seeded random user actions under Xvfb.
#
#   scripts/dev/soak.sh [actions] [seed ...]      (default: 2000 actions, three random seeds)
#
# A failing run prints its seed; `scripts/dev/soak.sh ACTIONS SEED` replays it.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
ensure_roles build run display test

actions="${1:-2000}"
shift || true
seeds=("$@")
[ ${#seeds[@]} -eq 0 ] && seeds=("$RANDOM$RANDOM" "$RANDOM$RANDOM" "$RANDOM$RANDOM")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOOPLINE_TESTS=ON \
    -DLOOPLINE_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$(nproc)" --target loopline loopline_soak

export MESA_SHADER_CACHE_DISABLE=true
status=0
for seed in "${seeds[@]}"; do
    with_xvfb build-asan/tests/loopline_soak --seed "$seed" --actions "$actions" || status=1
done
exit $status
