#!/usr/bin/env bash
# wine-tests.sh BUILD_WINDOWS_DIR: run by scripts/windows.sh under Xvfb. Makes a private Wine
# prefix for this run and keeps its server running (so no test pays for its start), then runs the
# cross-built suites through CTest (wine is their emulator) and the end-to-end test of
# loopline.exe in its window.
set -euo pipefail
out=$1
export WINEPREFIX=$out/wine WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: nothing here uses .NET or HTML, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# The server first, told to stay: a second one cannot be made persistent later.
wineserver -p >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# The services wineboot starts stay for the run, writing to the log rather than to CTest's pipes.
wineboot --init >"$out/wineboot.log" 2>&1 </dev/null
# No window manager here: Wine places and frames the windows itself instead of waiting for a
# manager's answer each time a window closes (two seconds a test).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$out/wineboot.log" 2>&1 </dev/null

echo "== The scene, view and app suites and the program's checks, under Wine"
ctest --test-dir "$out/cross" --output-on-failure
echo "== loopline.exe in its window, under Wine"
ctest --test-dir "$out/linux" -R '^WineE2E\.' --output-on-failure
