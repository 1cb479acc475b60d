#!/usr/bin/env bash
# msi.sh STAGE ICON VERSION OUT: makes the Windows Installer package OUT with Debian's wixl from
# packaging/windows/loopline.wxs, holding what the zip's folder STAGE holds (loopline.exe,
# README.txt, LICENSES/), with ICON (the program's .ico) for the Start menu and the list of
# installed programs. Run by scripts/windows.sh, which also runs it with a higher VERSION to test
# upgrades. Installs wixl if it is missing.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: msi.sh STAGE ICON VERSION OUT" >&2; exit 2; }
cd "$(dirname "$0")/.."
source scripts/packages.sh
stage=$1 icon=$2 version=$3 out=$4
fail() { echo "msi: $*" >&2; exit 1; }

ensure_packages wixl >/dev/null
command -v wixl >/dev/null || fail "wixl is missing after the install"
[[ "$version" =~ ^[0-9]+(\.[0-9]+){1,2}$ ]] || fail "version '$version' is not major.minor[.build]"
for f in loopline.exe README.txt LICENSES/FLTK.txt LICENSES/GCC-runtime.txt LICENSES/Loopline.txt \
    LICENSES/mingw-w64-runtime.txt; do
    [ -f "$stage/$f" ] || fail "$stage/$f is missing"
done
[ -f "$icon" ] || fail "the icon $icon is missing"

# One product code per version, the same whenever that version is built: a name-based UUID
# (SHA-256 of the upgrade code and the version, marked as version 5, RFC 4122 variant).
upgrade=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' packaging/windows/loopline.wxs)
[ -n "$upgrade" ] || fail "no UpgradeCode in packaging/windows/loopline.wxs"
h=$(printf '%s/%s' "$upgrade" "$version" | sha256sum | cut -c1-32)
product=$(printf '%s-%s-5%s-%x%s-%s' "${h:0:8}" "${h:8:4}" "${h:13:3}" \
    $(( (16#${h:16:1} & 3) | 8 )) "${h:17:3}" "${h:20:12}")

# wixl takes sources relative to the folder it runs in, not absolute ones.
mkdir -p "$(dirname "$out")"
wxs=$PWD/packaging/windows/loopline.wxs
out=$(realpath "$out")
icon=$(realpath --relative-to="$stage" "$icon")
(cd "$stage" && wixl --arch x64 -D Version="$version" -D ProductCode="$product" -D Stage=. \
    -D Icon="$icon" -o "$out" "$wxs") || fail "wixl failed"
echo "msi: made $out (version $version, product code {$product})"
