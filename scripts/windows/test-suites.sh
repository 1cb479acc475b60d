#!/usr/bin/env bash
# test-suites.sh BUILD_WINDOWS_DIR: run by scripts/windows/test.sh under Xvfb. In a private Wine
# prefix made for this run, runs the cross-built suites through CTest (wine is their emulator) and the
# end-to-end tests of loopline.exe in its window, at Windows' scale 100 %, 150 % and 200 %.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
source scripts/lib/wine-prefix.sh
out=$1
wine_prefix "$out/wine" "$out/wineboot.log"

echo "== The scene, view and app suites and the program's checks, under Wine"
ctest --test-dir "$out/cross" --output-on-failure
echo "== loopline.exe in its window, under Wine"
ctest --test-dir "$out/linux" -R '^WineE2E\.' --output-on-failure
echo "== loopline.exe on a screen Windows scales to 150 % and 200 %, under Wine"
# On an X server of their own, large enough for the window at twice its size.
xvfb-run -a -s "-screen 0 2200x1400x24 -noreset" \
    ctest --test-dir "$out/linux" -R 'ScaledWineE2E\.' --output-on-failure
