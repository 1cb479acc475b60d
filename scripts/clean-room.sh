#!/usr/bin/env bash
# clean-room.sh COMMAND...: runs COMMAND as root in a clean clone of this repository's HEAD inside a
# pristine, minimal Debian 12 root (debootstrap --variant=minbase bookworm: no compiler, no CMake,
# no X), the way a new user's machine meets the project. Exit status: COMMAND's.
#
# The pristine root is made once, from the mirror the host's own apt sources name, and cached in
# $LOOPLINE_CLEAN_ROOT_CACHE (default /var/cache/loopline/bookworm-minbase). Every run works on a
# throw-away copy of it, so the cache never changes; the copy is unmounted and removed however the
# run ends.
#
#   clean-room.sh --prepare    only makes (or checks) the cached root
#
# With LOOPLINE_CLEAN_ROOM_SHARE=DIR, the host's folder DIR is mounted at /work/share in the room:
# the one way to hand something (a package) from one room to the next.
#
# Exit status 125 means the clean room itself could not be made (not root, no debootstrap, mirror
# unreachable after a retry); the command did not run.
set -uo pipefail

cache=${LOOPLINE_CLEAN_ROOT_CACHE:-/var/cache/loopline/bookworm-minbase}
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel) || exit 125

fail_room() { echo "clean-room: $*" >&2; exit 125; }

# The first Debian mirror the host's apt sources name (deb822 or one-line format), never the
# security archive, which holds no full distribution.
host_mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk 'tolower($1)=="uris:" { for (i = 2; i <= NF; i++) print $i }' |
        grep -v -- '-security' | grep -m1 '/debian/\?$')
    [ -n "$uri" ] || uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1=="deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }' |
        grep -v -- '-security' | grep -m1 '/debian/\?$')
    echo "$uri"
}

prepare() {
    [ "$(id -u)" -eq 0 ] || fail_room "needs root (chroot and mounts)"
    [ -x "$cache/usr/bin/apt-get" ] && return 0
    if ! command -v debootstrap >/dev/null; then
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends debootstrap; } >/dev/null 2>&1 ||
            fail_room "debootstrap is not installed and could not be installed"
    fi
    local mirror
    mirror=$(host_mirror)
    [ -n "$mirror" ] || fail_room "no Debian mirror found in the host's apt sources"
    mkdir -p "$(dirname "$cache")"
    local tmp="$cache.partial" attempt
    for attempt in 1 2; do
        rm -rf --one-file-system "$tmp"
        echo "clean-room: making the pristine Debian 12 root from $mirror (attempt $attempt)"
        if debootstrap --variant=minbase bookworm "$tmp" "$mirror" >"$cache.log" 2>&1; then
            mv "$tmp" "$cache"
            return 0
        fi
        sleep 10
    done
    rm -rf --one-file-system "$tmp"
    fail_room "debootstrap failed twice (log: $cache.log)"
}

prepare
[ "${1:-}" = "--prepare" ] && exit 0
[ $# -gt 0 ] || { echo "usage: clean-room.sh COMMAND... | --prepare" >&2; exit 2; }

work=$(mktemp -d /tmp/loopline-clean-room-XXXXXX) || fail_room "no temporary folder"
root="$work/root"
mounts=(proc dev dev/pts tmp)
share=${LOOPLINE_CLEAN_ROOM_SHARE:-}
[ -z "$share" ] || mounts+=(work/share)

cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    # Anything still running inside the copy (an X server, a test) would keep the mounts busy.
    local link pid
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
        pid=${link#/proc/}; pid=${pid%/root}
        kill -KILL "$pid" 2>/dev/null
    done
    local i m
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        m="$root/${mounts[i]}"
        mountpoint -q "$m" && { umount "$m" 2>/dev/null || umount -l "$m"; }
    done
    # Never delete through a mount that is still there: that would reach the host's /dev.
    if findmnt -rn -o TARGET | grep -q -F "$work"; then
        echo "clean-room: $work is still mounted; left in place" >&2
    else
        rm -rf --one-file-system "$work"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

cp -a "$cache" "$root" || fail_room "could not copy the pristine root"
# Name resolution and the host's apt sources (mirror, updates, security), read at run time.
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null
[ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$root/etc/apt/sources.list"
# Only Debian's own sources: a third-party one would need a key the pristine root lacks.
debian_sources=$(grep -l -s 'debian-archive-keyring' /etc/apt/sources.list.d/*.sources)
if [ -n "$debian_sources" ]; then
    cp $debian_sources "$root/etc/apt/sources.list.d/" && rm -f "$root/etc/apt/sources.list"
fi

# A clean clone of the commit: nothing uncommitted, no build folders.
git clone -q --no-hardlinks "$repo" "$root/work/main" || fail_room "could not clone $repo"
git -C "$root/work/main" checkout -q --detach "$(git -C "$repo" rev-parse HEAD)"

mount -t proc proc "$root/proc" &&
    mount --bind /dev "$root/dev" &&
    mount --bind /dev/pts "$root/dev/pts" &&
    mount -t tmpfs tmpfs "$root/tmp" || fail_room "could not mount /proc, /dev, /dev/pts or /tmp"
if [ -n "$share" ]; then
    mkdir -p "$share" "$root/work/share" && mount --bind "$share" "$root/work/share" ||
        fail_room "could not mount $share"
fi

echo "clean-room: running '$*' in a clean clone of $(git -C "$repo" rev-parse --short HEAD) on a pristine Debian 12"
# In the background, so that a signal to this script is handled at once, not after the command.
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c 'cd /work/main && exec "$@"' clean-room "$@" &
wait $!
status=$?
echo "clean-room: exit status $status"
exit "$status"
