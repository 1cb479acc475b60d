#!/usr/bin/env bash
# scripts/dev/clean-room.sh [--release bookworm|trixie] COMMAND...: runs COMMAND as root in a
# clean clone of this repository's HEAD inside a pristine, minimal Debian root (debootstrap
# --variant=minbase: no compiler, no CMake, no X), the way a new user's machine meets the project.
# The release is Debian 12 (bookworm, the default, or LOOPLINE_CLEAN_ROOM_RELEASE) or Debian 13
# (trixie).
# Exit status: COMMAND's. The command keeps the caller's standard input and terminal, so
# `clean-room.sh bash` gives a shell in the room.
#
#   scripts/dev/clean-room.sh [--release R] --prepare    only makes (or checks) the cached root
#
# One pristine root per release is made once and cached in $LOOPLINE_CLEAN_ROOM_CACHE (default
# /var/cache/loopline/clean-room)/<release>; making it is locked against other runs, and a root is
# accepted only with the mark this script writes when debootstrap has finished. Every run works
# on a throw-away copy in /tmp/loopline-clean-room-*, so the cache never changes. The mounts the
# room needs (/proc, /dev, /dev/pts, /tmp) live in a mount and PID namespace of the run's own:
# nothing appears on the host, and when the run ends, even by SIGKILL, every process in the room
# ends and every mount goes with them. A copy left by a killed run holds no mount; the next run
# removes it.
#
# The room's environment is a fresh one; only SOURCE_DATE_EPOCH, where set, passes into it, so that
# what a release builds there carries the commit's time.
#
# With LOOPLINE_CLEAN_ROOM_SHARE=DIR, the host's folder DIR is mounted at /work/share in the room:
# the one way to hand something (a package) from one room to the next.
#
# Exit status 125 means the clean room itself could not be made (not root, no namespaces, no
# debootstrap, mirror unreachable after a retry, ...); the command did not run.
set -uo pipefail

release=${LOOPLINE_CLEAN_ROOM_RELEASE:-bookworm}
if [ "${1:-}" = "--release" ]; then
    release=${2:-}
    shift 2 || shift
fi
case "$release" in
    bookworm) debian=12 ;;
    trixie) debian=13 ;;
    *) echo "clean-room: unknown release '$release' (bookworm or trixie)" >&2; exit 2 ;;
esac
cache=${LOOPLINE_CLEAN_ROOM_CACHE:-/var/cache/loopline/clean-room}/$release
mark=.loopline-clean-room
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel) || exit 125

say() { echo "clean-room: $*" >&2; }
fail_room() { say "$*"; exit 125; }

# A plain Debian mirror the host's apt sources name (deb822 or one-line format; not the security
# archive, not mirror+file: or other indirections), or nothing.
host_uris() {
    { cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk 'tolower($1)=="uris:" { for (i = 2; i <= NF; i++) print $i }'
      cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1=="deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }'
    } | grep -E '^https?://' | sed 's#/*$##'
}
host_mirror() { host_uris | grep -m1 '/debian$'; }
host_security() { host_uris | grep -m1 '/debian-security$'; }

# A root this script finished making, for this release.
complete_root() {
    [ -x "$1/usr/bin/apt-get" ] && [ "$(cat "$1/$mark" 2>/dev/null)" = "release=$release" ]
}

# debootstrap mounts /proc and /sys in the new root while it works: in a namespace of its own,
# those mounts cannot outlive it or show on the host.
bootstrap() {
    local target=$1 mirror=$2
    unshare --mount --propagation private --pid --fork --kill-child \
        debootstrap --variant=minbase "$release" "$target" ${mirror:+"$mirror"}
}

prepare() {
    [ "$(id -u)" -eq 0 ] || fail_room "needs root (chroot and mounts)"
    unshare --mount --propagation private --pid --fork --kill-child true ||
        fail_room "cannot make a mount and PID namespace here"
    complete_root "$cache" && return 0
    mkdir -p "$(dirname "$cache")" || fail_room "cannot make $(dirname "$cache")"
    local lock
    exec {lock}>"$cache.lock" || fail_room "cannot open $cache.lock"
    if ! flock -n "$lock"; then
        say "waiting (at most 30 min) for another run that is making the Debian $debian root"
        flock -w 1800 "$lock" || fail_room "gave up waiting for $cache.lock"
    fi
    # Another run may have made it while this one waited.
    if complete_root "$cache"; then
        exec {lock}>&-
        return 0
    fi
    [ ! -e "$cache" ] || fail_room "$cache exists but is not a finished Debian $debian root of" \
        "this script; remove it or set LOOPLINE_CLEAN_ROOM_CACHE"
    if ! command -v debootstrap >/dev/null; then
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends debootstrap; } >/dev/null 2>&1 ||
            fail_room "debootstrap is not installed and could not be installed"
    fi
    local tmp="$cache.partial" attempt mirror
    mirror=$(host_mirror)
    [ -n "$mirror" ] ||
        say "no plain Debian mirror in the host's apt sources; debootstrap uses its default mirror"
    for attempt in 1 2; do
        rm -rf --one-file-system "$tmp"
        say "making the pristine Debian $debian root (attempt $attempt${mirror:+, from $mirror})"
        if bootstrap "$tmp" "$mirror" >"$cache.log" 2>&1 &&
            [ -x "$tmp/usr/bin/apt-get" ] &&
            grep -qx "VERSION_CODENAME=$release" "$tmp/etc/os-release"; then
            # Marked last, moved into place in one step: a root is never half there.
            echo "release=$release" >"$tmp/$mark" && mv -T "$tmp" "$cache" ||
                fail_room "could not move the new root to $cache"
            exec {lock}>&-
            return 0
        fi
        say "debootstrap failed (attempt $attempt; log: $cache.log)"
        sleep 10
    done
    rm -rf --one-file-system "$tmp"
    fail_room "debootstrap failed twice (log: $cache.log)"
}

# Whether anything is mounted at or under a folder, as the host sees it. The list is read whole
# first: under pipefail, a grep -q that stops early could make findmnt's SIGPIPE read as "no".
mounted_under() {
    local mounts
    mounts=$(findmnt -rn -o TARGET)
    grep -q -F "$1" <<<"$mounts"
}

# Copies left by runs that were killed: no live run holds their lock, and none holds a mount.
# A run locks its copy the moment it makes it; a minute's age keeps clear of that moment.
remove_stale_rooms() {
    local dir fd
    for dir in /tmp/loopline-clean-room-*; do
        [ -n "$(find "$dir/.lock" -maxdepth 0 -mmin +1 2>/dev/null)" ] || continue
        exec {fd}<"$dir/.lock" || continue
        if flock -n "$fd" && ! mounted_under "$dir"; then
            say "removing $dir, left by a run that was killed"
            rm -rf --one-file-system "$dir"
        fi
        exec {fd}<&-
    done
}

# Apt sources of the room: the mirror debootstrap used, with the release's updates, and the
# security archive where the host names one.
write_sources() {
    local mirror security
    mirror=$(awk '$1=="deb" { print $2; exit }' "$cache/etc/apt/sources.list" 2>/dev/null)
    [ -n "$mirror" ] || return 1
    security=$(host_security)
    {
        echo "deb $mirror $release main"
        echo "deb $mirror $release-updates main"
        [ -z "$security" ] || echo "deb $security $release-security main"
    } >"$root/etc/apt/sources.list"
}

prepare
[ "${1:-}" = "--prepare" ] && exit 0
[ $# -gt 0 ] || { echo "usage: scripts/dev/clean-room.sh [--release bookworm|trixie] COMMAND... | --prepare" >&2; exit 2; }

remove_stale_rooms
work=$(mktemp -d /tmp/loopline-clean-room-XXXXXX) || fail_room "no temporary folder"
exec {work_lock}>"$work/.lock" && flock -n "$work_lock" || fail_room "cannot lock $work"
root="$work/root"
room_pid=

# Runs once, whatever ends the script; a second signal cannot cut it short.
cleanup() {
    local status=$?
    trap '' INT TERM HUP
    trap - EXIT
    # Killing the namespace's first process ends every process in the room, and with the last
    # of them its mounts.
    if [ -n "$room_pid" ] && kill -0 "$room_pid" 2>/dev/null; then
        kill -KILL "$room_pid" 2>/dev/null
        wait "$room_pid" 2>/dev/null
    fi
    local link pid left waited
    for waited in $(seq 50); do
        left=
        for link in /proc/[0-9]*/root; do
            [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
            pid=${link#/proc/}; pid=${pid%/root}
            kill -KILL "$pid" 2>/dev/null && left=1
        done
        [ -n "$left" ] || break
        sleep 0.2
    done
    # The room's mounts were never on the host: nothing under $work reaches the host's /dev.
    if mounted_under "$work"; then
        say "$work is still mounted on the host; left in place"
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
rm -f "$root/$mark"
# Name resolution, and only Debian's own sources: a third-party one would need a key the pristine
# root lacks, and an indirect one (mirror+file:) a file it lacks.
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null
write_sources || fail_room "no mirror in the pristine root's apt sources"

# A clean clone of the commit: nothing uncommitted, no build folders.
head=$(git -C "$repo" rev-parse HEAD) || fail_room "no HEAD in $repo"
git clone -q --no-hardlinks "$repo" "$root/work/main" || fail_room "could not clone $repo"
git -C "$root/work/main" checkout -q --detach "$head" || fail_room "could not check out $head"
# What Debian cannot give the build (FLTK's release source, for the Windows build) lies beside
# the clone, as beside the repository.
if [ -d "$repo/../shared/third_party" ]; then
    mkdir -p "$root/work/shared" && cp -a "$repo/../shared/third_party" "$root/work/shared/" ||
        fail_room "could not copy ../shared/third_party"
fi
share=${LOOPLINE_CLEAN_ROOM_SHARE:-}
if [ -n "$share" ]; then
    mkdir -p "$share" "$root/work/share" || fail_room "could not make $share"
fi

# The room's first process: mounts what the command needs, runs it as its child (the first
# process of a PID namespace must stay to reap orphans), and passes on its status.
room_init='
root=$1 share=$2; shift 2
mount -t proc proc "$root/proc" &&
    mount --bind /dev "$root/dev" &&
    mount --bind /dev/pts "$root/dev/pts" &&
    mount -t tmpfs tmpfs "$root/tmp" || { echo "clean-room: could not mount /proc, /dev or /tmp" >&2; exit 125; }
if [ -n "$share" ]; then
    mount --bind "$share" "$root/work/share" || { echo "clean-room: could not mount $share" >&2; exit 125; }
fi
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    ${SOURCE_DATE_EPOCH:+SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH"} \
    bash -c "cd /work/main && exec \"\$@\"" clean-room "$@"
exit $?
'

say "running '$*' in a clean clone of $(git -C "$repo" rev-parse --short HEAD) on a pristine Debian $debian ($release)"
# In the background, so that a signal to this script is handled at once, not after the command;
# with the caller's standard input given back, which a background job would otherwise lose. If
# this script is killed outright, the kernel kills unshare (pdeathsig), unshare the namespace's
# first process, and the kernel every other process in the room.
exec {stdin}<&0
setpriv --pdeathsig KILL unshare --mount --propagation private --pid --fork --kill-child \
    bash -c "$room_init" room-init "$root" "$share" "$@" <&"$stdin" &
room_pid=$!
exec {stdin}<&-
wait "$room_pid"
status=$?
room_pid=
say "exit status $status"
exit "$status"
