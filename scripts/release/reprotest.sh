#!/usr/bin/env bash
# Debian's reprotest on the Debian package, in a clean room of the release
# (scripts/dev/clean-room.sh), as root: scripts/debian/package.sh once to install what the build
# needs, then twice more under reprotest, the second time with its variations, and the two
# packages compared (diffoscope shows any difference). SOURCE_DATE_EPOCH is the commit's time.
#
# Varied: the environment, the build path, the kernel's reported version, address space
# randomisation, the number of CPUs, the clock (faketime), the home folder, the locale, the PATH,
# the time zone and the umask. Not varied, since a room cannot give them: the file order
# (disorderfs needs FUSE), the user and group (a second user with sudo) and the host and domain
# names (a namespace of their own inside the room's).
#
#   scripts/release/reprotest.sh [--release bookworm|trixie]
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
release=bookworm
[ "${1:-}" != "--release" ] || release=${2:?}
default_source_date_epoch
exec scripts/dev/clean-room.sh --release "$release" bash -c '
set -euo pipefail
scripts/debian/package.sh >/dev/null
rm -rf build-package
source scripts/lib/common.sh
ensure_packages reprotest faketime diffoscope >/dev/null
reprotest --vary=-fileordering,-user_group,-domain_host --store-dir=/tmp/reprotest \
    -c scripts/debian/package.sh . "build-package/loopline_*.deb"
'
