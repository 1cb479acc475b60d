#!/usr/bin/env bash
# Makes the Debian package build-package/loopline_<version>_<arch>.deb: a Release build with
# Debian's hardening flags (dpkg-buildflags), installed under /usr, packed by CPack with its
# dependencies computed by dpkg-shlibdeps. Those hold for the release it is built on, so the
# version names it: 0.1+deb12 on Debian 12, 0.1+deb13 on Debian 13.
#
#   scripts/debian/package.sh
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
ensure_roles build package

release=$(. /etc/os-release
    if [ "${ID:-}" = debian ] && [ -n "${VERSION_ID:-}" ]; then echo "+deb${VERSION_ID%%.*}"
    else echo "+${ID:-linux}${VERSION_ID:-${VERSION_CODENAME:-}}"; fi)

default_source_date_epoch
# CPack gives the package's ar members the modes the files got on disk: the same whatever umask.
umask 022
configure_hardened build-package -DCMAKE_INSTALL_PREFIX=/usr -DLOOPLINE_PACKAGE_RELEASE="$release"
cmake --build build-package -j "$(nproc)"
rm -f build-package/loopline_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/loopline_*.deb)
# CPack counts into Installed-Size the size the build's filesystem reports for each folder (4 KiB
# on ext4, less on tmpfs), so the package would depend on where it was built. Counted again from
# the files alone, each rounded up to a KiB, and repacked (dpkg-deb keeps SOURCE_DATE_EPOCH).
root=build-package/deb-root
rm -rf "$root"
dpkg-deb --raw-extract "$deb" "$root"
size=$(find "$root" -path "$root/DEBIAN" -prune -o -type f -printf '%s\n' |
    awk '{ k += int(($1 + 1023) / 1024) } END { print k }')
sed -i "s/^Installed-Size: .*/Installed-Size: $size/" "$root/DEBIAN/control"
dpkg-deb --root-owner-group -Zgzip --build "$root" "$deb" >/dev/null
rm -rf "$root"
echo "$deb"
