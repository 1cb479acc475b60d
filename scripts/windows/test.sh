#!/usr/bin/env bash
# Tests what scripts/windows/build.sh made, under Wine on Xvfb: the cross-built suites and the
# check of loopline.exe, the real program in its window (driven from a Linux test program built in
# build-windows/linux), and the installer's life from a silent install to a clean uninstall.
# Installs what is missing, as the other scripts do.
#
#   scripts/windows/test.sh
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"

step="installing the packages"
trap 'echo "windows: failed: $step (status $?)" >&2' ERR
fail() { echo "windows: $*" >&2; exit 1; }

# Wine and the tools of the installer's test; the Linux build of the end-to-end test, and the
# display it runs on. Not the cross compiler: the files under test are built already.
ensure_roles build run display test wine
for tool in wine wineserver wineboot xvfb-run xdotool msiinfo strings iconv; do
    command -v "$tool" >/dev/null || fail "$tool is missing after the install"
done
version=$(project_version) || fail "no version in CMakeLists.txt"
out=$PWD/build-windows
name=loopline-$version-win64
newer=$(awk -F. -v OFS=. '{ $NF = $NF + 1; print }' <<<"$version")
for made in "$out/cross/loopline.exe" "$out/$name.zip" "$out/$name.msi" \
    "$out/stage-newer/loopline-$newer-win64.msi"; do
    [ -f "$made" ] || fail "$made is missing; scripts/windows/build.sh makes it"
done

# Files built on another Debian release (CI builds them once, on Debian 13) name that release's
# GoogleTest module in their test discovery, which is not here: this CMake's is used instead,
# given only the arguments it knows.
step="taking the suites' test discovery to this CMake"
module=$(ls /usr/share/cmake-*/Modules/GoogleTestAddTests.cmake | head -n 1)
known=$(sed -n '/cmake_parse_arguments(/,/)/p' "$module" | grep -o '[A-Z][A-Z_]*[A-Z]' | sort -u)
for file in "$out"/cross/tests/*_include.cmake; do
    named=$(sed -n 's/.*include("\(.*GoogleTestAddTests\.cmake\)").*/\1/p' "$file")
    [ ! -f "$named" ] || continue
    awk -v module="$module" -v known="$known" '
        BEGIN { n = split(known, k, "\n"); for (i = 1; i <= n; i++) ok[k[i]] = 1 }
        /include\(".*\/GoogleTestAddTests\.cmake"\)/ { sub(/"[^"]*"/, "\"" module "\"") }
        $2 ~ /^\[==\[/ && !($1 in ok) { next }
        { print }' "$file" >"$file.new"
    mv "$file.new" "$file"
done

step="building the end-to-end test of loopline.exe"
cmake -S . -B "$out/linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOOPLINE_TESTS=ON \
    -DLOOPLINE_WINDOWS_EXE="$out/cross/loopline.exe" >/dev/null
cmake --build "$out/linux" -j "$(nproc)" --target wine_e2e_tests

step="testing under Wine"
echo "== Tests under $(wine --version 2>/dev/null)"
with_xvfb scripts/windows/test-suites.sh "$out"

step="testing the installer under Wine"
with_xvfb scripts/windows/test-msi.sh "$out" "$out/$name.msi" \
    "$out/stage-newer/loopline-$newer-win64.msi" "$out/cross/app/loopline.ico"
echo "== Windows: every test under Wine passed"
