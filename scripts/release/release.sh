#!/usr/bin/env bash
# Makes a release from the committed HEAD, as root on Debian 12 or 13 (it installs what it lacks,
# as the other scripts do): dist/loopline-<version>/ holding only
#   loopline-<version>.tar.gz                  the source (git archive of HEAD)
#   loopline_<version>+deb12_amd64.deb, +deb13 each made by scripts/debian/package.sh in a clean
#                                              room of its release (scripts/dev/clean-room.sh)
#   loopline-<version>-win64.zip and .msi      made by scripts/windows/build.sh and tested under
#                                              Wine by scripts/windows/test.sh in a clean Debian
#                                              13 room
#   SHA256SUMS                                 over all of them
# Everything carries the commit's time (SOURCE_DATE_EPOCH): the same commit makes the same files,
# bit for bit, later, elsewhere, under another umask, time zone or locale. A tree with
# uncommitted changes is refused: a release is its commit.
#
#   scripts/release/release.sh [--windows-tested-elsewhere]
#
# --windows-tested-elsewhere leaves out the Windows tests: for CI, which has tested the zip and
# installer of this commit already and then checks that the release's are the same bytes.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
# One order of files wherever it runs (the checksum list's, among others).
export LC_ALL=C
fail() { echo "release: $*" >&2; exit 1; }
windows='scripts/windows/build.sh && scripts/windows/test.sh'
[ "${1:-}" != "--windows-tested-elsewhere" ] || windows='scripts/windows/build.sh --program-only'

[ "$(id -u)" -eq 0 ] || fail "needs root, for the clean rooms"
command -v git >/dev/null || fail "git is missing"
changes=$(git status --porcelain)
[ -z "$changes" ] || fail "the tree has uncommitted changes; commit or stash them first:
$changes"
commit=$(git rev-parse HEAD)
unset SOURCE_DATE_EPOCH
default_source_date_epoch
version=$(project_version) || fail "no version in CMakeLists.txt"
dist=dist/loopline-$version
echo "== Loopline $version from $commit, at $(date -u -d "@$SOURCE_DATE_EPOCH" '+%F %T') UTC" \
    "(SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
rm -rf "$dist"
mkdir -p "$dist"
share=$(mktemp -d /tmp/loopline-release-XXXXXX)
trap 'rm -rf "$share"' EXIT

echo "== The source"
git -c tar.tar.gz.command="gzip -9n" archive --format=tar.gz --prefix="loopline-$version/" \
    -o "$dist/loopline-$version.tar.gz" HEAD

# Each in a clean room of its own, from a clean clone of HEAD; the room's /work/share is the one
# way out.
room() {
    local release=$1 what=$2 command=$3
    echo "== $what, in a clean Debian room ($release)"
    mkdir -p "$share/$release"
    LOOPLINE_CLEAN_ROOM_SHARE=$share/$release scripts/dev/clean-room.sh --release "$release" \
        bash -c "$command" || fail "$what failed (status $?)"
}
package='scripts/debian/package.sh && cp build-package/loopline_*.deb /work/share/'
room bookworm "the Debian 12 package" "$package"
room trixie "the Debian 13 package" "$package"
# Windows from Debian 13: its Wine shows the program's OpenGL view, so the released program's
# first frame is checked on the screen too.
room trixie "the Windows zip and installer" \
    "$windows && cp build-windows/loopline-*-win64.zip build-windows/loopline-*-win64.msi /work/share/"

for file in "$share/bookworm/loopline_${version}+deb12_amd64.deb" \
    "$share/trixie/loopline_${version}+deb13_amd64.deb" \
    "$share/trixie/loopline-$version-win64.zip" "$share/trixie/loopline-$version-win64.msi"; do
    [ -f "$file" ] || fail "$(basename "$file") was not made"
    cp "$file" "$dist/"
done
(cd "$dist" && sha256sum -- loopline* >SHA256SUMS && sha256sum --check --quiet SHA256SUMS) ||
    fail "SHA256SUMS does not check"
echo "== Made $dist:"
(cd "$dist" && cat SHA256SUMS)
