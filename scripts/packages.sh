# ensure_packages PKG...: installs the Debian packages that are not installed yet, and nothing
# when all are. Needs root (or sudo) only when something is missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    # Through env, since sudo would drop the variable from the environment.
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# debian_build_flags: prints, one a line, the CMake arguments that build with the compiler and
# linker flags Debian gives its own packages, every hardening feature on (dpkg-buildflags under
# DEB_BUILD_MAINT_OPTIONS=hardening=+all, read in the current folder, which its file prefix map
# names). The build type's optimisation level comes after them and stays in force. Needs dpkg-dev.
debian_build_flags() {
    local get="env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get" cpp cxx ld
    cpp=$($get CPPFLAGS) && cxx=$($get CXXFLAGS) && ld=$($get LDFLAGS) ||
        { echo "dpkg-buildflags failed" >&2; return 1; }
    echo "-DCMAKE_CXX_FLAGS=$cpp $cxx"
    echo "-DCMAKE_EXE_LINKER_FLAGS=$ld"
}

# default_source_date_epoch: unless the caller set SOURCE_DATE_EPOCH, exports the time of the
# last commit as the time every artifact carries (the linker's PE header, the package's file
# times, the zip's entries), so that two builds of one commit are the same. Left unset where no
# git history can be read (a clean room has no git: its caller passes it in).
default_source_date_epoch() {
    [ -z "${SOURCE_DATE_EPOCH:-}" ] || { export SOURCE_DATE_EPOCH; return 0; }
    local t
    t=$(git log -1 --format=%ct 2>/dev/null) && [ -n "$t" ] && export SOURCE_DATE_EPOCH=$t
    return 0
}
