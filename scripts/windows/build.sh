#!/usr/bin/env bash
# Cross-builds Loopline for 64-bit Windows on Debian 12 or 13 with Debian's mingw-w64 and makes
# build-windows/loopline-<version>-win64.zip and .msi; scripts/windows/test.sh then tests them
# under Wine. Installs what is missing (as root, or with sudo), as ./run does.
#
#   scripts/windows/build.sh [--program-only]
#
# --program-only builds neither GoogleTest nor the test suites (the zip and the installer are the
# same): for a release whose Windows files are tested elsewhere.
#
#  1. FLTK 1.4.5 from its release source ($LOOPLINE_FLTK_SOURCE, default
#     ../shared/third_party/fltk-1.4.5-source.tar.gz, its sha256 checked), the static fltk and
#     fltk_gl only, and GoogleTest from Debian's /usr/src/googletest: built once with the
#     project's toolchain file and kept in build-windows/prefix.
#  2. loopline.exe and the scene, view and app test suites, cross-built (build-windows/cross).
#  3. The zip: loopline.exe, README.txt and the licence notices of what is linked into it.
#  4. The installer (scripts/windows/msi.sh) with the same files and a Start menu shortcut; and,
#     for the test of upgrades, the same package at the next version (build-windows/stage-newer).
# Everything carries SOURCE_DATE_EPOCH (by default the last commit's time): the same commit
# makes the same zip and installer, bit for bit.
# A missing tool, a wrong checksum or a failed step stops it with a message naming it.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
tests=ON
[ "${1:-}" != "--program-only" ] || tests=OFF

step="installing the packages"
trap 'echo "windows: failed: $step (status $?)" >&2' ERR
fail() { echo "windows: $*" >&2; exit 1; }

# The cross compiler and its tools, and what the icon needs.
ensure_roles build windows
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres x86_64-w64-mingw32-objdump \
    rsvg-convert convert zip wixl msibuild faketime; do
    command -v "$tool" >/dev/null || fail "$tool is missing after the install"
done
[ -d /usr/src/googletest/googletest ] || fail "GoogleTest's source is missing (/usr/src/googletest)"

default_source_date_epoch
version=$(project_version) || fail "no version in CMakeLists.txt"
out=$PWD/build-windows
prefix=$out/prefix
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)
mkdir -p "$out"

# 1. FLTK and GoogleTest for Windows, once.
# 1.4: it scales to the screen and declares itself aware of its resolution.
fltk_source=${LOOPLINE_FLTK_SOURCE:-$PWD/../shared/third_party/fltk-1.4.5-source.tar.gz}
fltk_sha256=5613ac7880f2c53af25f800abf5b69141a3ab889431933a03733d223b74cad74
# Checked on every run, built libraries kept or not: they must come from this source.
step="checking FLTK's source"
[ -f "$fltk_source" ] || fail "FLTK's source is not at $fltk_source"
echo "$fltk_sha256  $fltk_source" | sha256sum --check --status ||
    fail "FLTK's source $fltk_source does not have the sha256 $fltk_sha256"
# The libraries only.
fltk_options=(-DCMAKE_BUILD_TYPE=Release -DFLTK_BUILD_SHARED_LIBS=OFF -DFLTK_BUILD_GL=ON
    -DFLTK_BUILD_TEST=OFF -DFLTK_BUILD_EXAMPLES=OFF -DFLTK_BUILD_FLUID=OFF
    -DFLTK_BUILD_FLTK_OPTIONS=OFF -DFLTK_BUILD_FORMS=OFF -DFLTK_BUILD_HTML_DOCS=OFF
    -DFLTK_USE_SYSTEM_ZLIB=OFF -DFLTK_USE_SYSTEM_LIBPNG=OFF
    -DFLTK_USE_SYSTEM_LIBJPEG=OFF)
# Built again when the source or the options change.
fltk_key="$fltk_sha256 ${fltk_options[*]}"
if [ "$(cat "$prefix/.fltk" 2>/dev/null)" != "$fltk_key" ]; then
    step="building FLTK for Windows"
    echo "== FLTK 1.4.5 for Windows (once)"
    rm -rf "$out/fltk-src" "$out/fltk-build"
    mkdir -p "$out/fltk-src" "$prefix/include/FL" "$prefix/lib"
    tar -xzf "$fltk_source" -C "$out/fltk-src" --strip-components=1
    cmake -S "$out/fltk-src" -B "$out/fltk-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        "${fltk_options[@]}" >"$out/fltk-configure.log"
    cmake --build "$out/fltk-build" -j "$jobs" --target fltk fltk_gl >"$out/fltk-build.log"
    cp "$out"/fltk-src/FL/* "$out"/fltk-build/FL/*.h "$prefix/include/FL/"
    cp "$out"/fltk-build/lib/libfltk.a "$out"/fltk-build/lib/libfltk_gl.a "$prefix/lib/"
    cp "$out/fltk-src/COPYING" "$prefix/FLTK-COPYING"
    echo "$fltk_key" > "$prefix/.fltk"
fi
if [ "$tests" = ON ] && [ ! -f "$prefix/.googletest" ]; then
    step="building GoogleTest for Windows"
    echo "== GoogleTest for Windows (once)"
    rm -rf "$out/googletest-build"
    cmake -S /usr/src/googletest -B "$out/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$prefix" \
        >"$out/googletest-configure.log"
    cmake --build "$out/googletest-build" -j "$jobs" >"$out/googletest-build.log"
    cmake --install "$out/googletest-build" >/dev/null
    touch "$prefix/.googletest"
fi

# 2. The program and its suites.
step="cross-building Loopline"
echo "== loopline.exe$([ "$tests" = OFF ] || echo " and its test suites") (build-windows/cross)"
cmake -S . -B "$out/cross" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DLOOPLINE_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DLOOPLINE_TESTS="$tests" >/dev/null
cmake --build "$out/cross" -j "$jobs"
exe=$out/cross/loopline.exe
icon=$out/cross/app/loopline.ico

# stage VERSION FOLDER: the zip's folder for that version (its README names the version).
stage() {
    local folder=$2
    rm -rf "$folder"
    mkdir -p "$folder/LICENSES"
    cp "$exe" "$folder/"
    sed "s/@VERSION@/$1/g" packaging/windows/README.txt | sed 's/$/\r/' > "$folder/README.txt"
    cp "$prefix/FLTK-COPYING" "$folder/LICENSES/FLTK.txt"
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/LICENSES/GCC-runtime.txt"
    cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$folder/LICENSES/mingw-w64-runtime.txt"
    cp packaging/copyright "$folder/LICENSES/Loopline.txt"
    local made
    made=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
    [ "$made" = "$(windows_files | LC_ALL=C sort)" ] ||
        fail "the staged folder $folder does not hold exactly the Windows file list"
}

# 3. The zip.
step="making the zip"
name=loopline-$version-win64
rm -rf "$out/stage" "$out/$name.zip"
stage "$version" "$out/stage/$name"
# The same zip from the same files, whatever the clock, umask, time zone (zip keeps local times)
# or folder order: every entry at the source's time, fixed permissions, in sorted order.
chmod -R u=rwX,go=rX "$out/stage"
[ -z "${SOURCE_DATE_EPOCH:-}" ] || find "$out/stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$out/stage" && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "../$name.zip")
echo "== Made build-windows/$name.zip:"
zip -sf "$out/$name.zip"

# 4. The installer, from the zip's folder; and the same at the next version, for the test of
# upgrades and downgrades.
step="making the installer"
scripts/windows/msi.sh "$out/stage/$name" "$icon" "$version" "$out/$name.msi"
newer=$(awk -F. -v OFS=. '{ $NF = $NF + 1; print }' <<<"$version")
rm -rf "$out/stage-newer"
stage "$newer" "$out/stage-newer/loopline-$newer-win64"
scripts/windows/msi.sh "$out/stage-newer/loopline-$newer-win64" "$icon" "$newer" \
    "$out/stage-newer/loopline-$newer-win64.msi" >/dev/null
echo "== Made build-windows/$name.msi"
