#!/usr/bin/env bash
# msi.sh STAGE ICON VERSION OUT: makes the Windows Installer package OUT with Debian's wixl from
# packaging/windows/loopline.wxs, holding what the zip's folder STAGE holds (loopline.exe,
# README.txt, LICENSES/), with ICON (the program's .ico) for the Start menu and the list of
# installed programs. Run by scripts/windows/build.sh, which also runs it with a higher VERSION to
# test upgrades. Installs wixl (and faketime) if missing. Given SOURCE_DATE_EPOCH, the same inputs
# make the same package, bit for bit.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: msi.sh STAGE ICON VERSION OUT" >&2; exit 2; }
stage=$(realpath "$1") icon=$(realpath "$2") version=$3 out=$4
mkdir -p "$(dirname "$out")"
out=$(realpath "$out")
source "$(dirname "$0")/../lib/common.sh"
fail() { echo "msi: $*" >&2; exit 1; }

ensure_roles windows >/dev/null
for tool in wixl msibuild faketime; do
    command -v $tool >/dev/null || fail "$tool is missing after the install"
done
[[ "$version" =~ ^[0-9]+(\.[0-9]+){1,2}$ ]] || fail "version '$version' is not major.minor[.build]"
for f in $(windows_files); do
    [ -f "$stage/$f" ] || fail "$stage/$f is missing"
done
[ -f "$icon" ] || fail "the icon $icon is missing"

# A name-based UUID of a text: its SHA-256, marked as version 5 of the RFC 4122 variant.
name_uuid() {
    local h
    h=$(printf '%s' "$1" | sha256sum | cut -c1-32)
    printf '%s-%s-5%s-%x%s-%s' "${h:0:8}" "${h:8:4}" "${h:13:3}" \
        $(( (16#${h:16:1} & 3) | 8 )) "${h:17:3}" "${h:20:12}"
}
# One product code per version, the same whenever that version is built.
upgrade=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' packaging/windows/loopline.wxs)
[ -n "$upgrade" ] || fail "no UpgradeCode in packaging/windows/loopline.wxs"
product=$(name_uuid "$upgrade/$version")

wxs=$PWD/packaging/windows/loopline.wxs
# Built from a copy whose files carry the source's time (the cabinet keeps each file's time).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$stage/." "$work/"
cp "$icon" "$work/.loopline.ico"
[ -z "${SOURCE_DATE_EPOCH:-}" ] || find "$work" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
# wixl takes sources relative to the folder it runs in, not absolute ones.
build=(wixl --arch x64 -D Version="$version" -D ProductCode="$product" -D Stage=.
    -D Icon=.loopline.ico -o "$out" "$wxs")
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    (cd "$work" && "${build[@]}") || fail "wixl failed"
else
    # wixl ignores SOURCE_DATE_EPOCH: it writes the clock into the summary information and draws
    # a new package code each run. So it runs with the clock stopped at that time, and the
    # package code becomes a name-based UUID of what the package holds, its version and time.
    at=$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')
    (cd "$work" && TZ=UTC faketime -f "$at" "${build[@]}") || fail "wixl failed"
    payload=$(cd "$work" && find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum | sha256sum)
    package=$(name_uuid "$product/$SOURCE_DATE_EPOCH/$payload")
    subject=$(msiinfo suminfo "$out" | sed -n 's/^Subject: //p')
    template=$(msiinfo suminfo "$out" | sed -n 's/^Template: //p')
    TZ=UTC faketime -f "$at" msibuild "$out" -s "$subject" "The Loopline developers" "$template" \
        "{${package^^}}" || fail "msibuild could not set the package code"
fi
echo "msi: made $out (version $version, product code {$product})"
