# Sourced by every script: the facts they share, each written here once, and the steps built on
# them. Sourcing it moves to the repository's top folder.
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

# FLTK 1.4 where Debian has it (13 on): it scales to high-resolution screens and speaks Wayland.
# Debian 12 has only FLTK 1.3. On Wayland, FLTK 1.4 draws the window's title bar with a libdecor
# plug-in (Debian only recommends one).
debian_release=$(. /etc/os-release 2>/dev/null; echo "${VERSION_ID%%.*}")
if [[ "$debian_release" =~ ^[0-9]+$ ]] && [ "$debian_release" -ge 13 ]; then
    fltk_packages="libfltk1.4-dev fluid" fltk_run_packages="libdecor-0-plugin-1-cairo"
    fltk_test_packages="weston"
else
    fltk_packages="libfltk1.3-dev fluid" fltk_run_packages="" fltk_test_packages=""
fi

# The Debian packages of each role. A script asks for the roles it plays (ensure_roles), so one
# that builds the program cannot lack what the build needs.
#   build    the program: compiler, CMake, FLTK (above), OpenGL and GLU, and what renders the icon.
#            fluid: Debian's FLTK CMake file refuses to load without /usr/bin/fluid, though we
#            never run it. dpkg-dev: Debian's hardening flags (dpkg-buildflags).
#   run      what the program needs to show itself: Mesa's OpenGL, xdpyinfo to find the display
#   display  a virtual X server and xdotool, which drives the program in it
#   test     the suites: GoogleTest, Google Benchmark, Tesseract for reading the panel, and with
#            FLTK 1.4 the Wayland compositor Weston
#   package  the Debian package (dpkg-shlibdeps needs file)
#   package-checks  what checks it: lintian, the desktop entry's and the metainfo's validators
#   install-checks  what checks the installed program: hardening-check, objdump, appstreamcli
#   windows  the cross compiler, GoogleTest's source, the zip's and the installer's tools
#   wine     Wine, and what the tests of the Windows files read them with
#   plots    the figures of the guide and of the benchmarks
declare -A role_packages=(
    [build]="g++ cmake make $fltk_packages libgl-dev libglu1-mesa-dev librsvg2-bin imagemagick dpkg-dev"
    [run]="x11-utils libgl1-mesa-dri $fltk_run_packages"
    [display]="xvfb xauth xdotool"
    [test]="libgtest-dev libbenchmark-dev tesseract-ocr tesseract-ocr-eng $fltk_test_packages"
    [package]="file"
    [package-checks]="lintian desktop-file-utils appstream"
    [install-checks]="devscripts binutils appstream"
    [windows]="g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 googletest zip wixl msitools faketime"
    [wine]="wine wine64 msitools binutils binutils-mingw-w64-x86-64"
    [plots]="gnuplot-nox jq"
)

# ensure_packages PKG...: installs the Debian packages that are not installed yet, and nothing
# when all are. Needs root (or sudo) only when something is missing.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    # The package lists once an hour is enough: a script installing twice fetches them once.
    [ -n "$(find /var/lib/apt/lists -maxdepth 1 -name '*_Packages*' -mmin -60 2>/dev/null)" ] ||
        $sudo apt-get update -qq
    # Through env, since sudo would drop the variable from the environment.
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# ensure_roles ROLE...: the packages of those roles.
ensure_roles() {
    local role all=()
    for role in "$@"; do
        [ -n "${role_packages[$role]+set}" ] || { echo "ensure_roles: no role '$role'" >&2; return 1; }
        read -r -a pkgs <<<"${role_packages[$role]}"
        all+=("${pkgs[@]}")
    done
    ensure_packages "${all[@]}"
}

# The version, from project() in CMakeLists.txt, where it is kept.
project_version() {
    local v
    v=$(sed -n 's/^project(Loopline VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    [ -n "$v" ] || { echo "no version in CMakeLists.txt" >&2; return 1; }
    echo "$v"
}

# The time every artifact carries (the linker's PE header, the package's file times, the zip's
# entries): SOURCE_DATE_EPOCH where the caller set it, else the last commit's time, so that two
# builds of one commit are the same. Left unset where no history can be read (a clean room has no
# git: its caller passes the time in).
default_source_date_epoch() {
    [ -z "${SOURCE_DATE_EPOCH:-}" ] || { export SOURCE_DATE_EPOCH; return 0; }
    local t
    t=$(git log -1 --format=%ct HEAD 2>/dev/null) && [ -n "$t" ] && export SOURCE_DATE_EPOCH=$t
    return 0
}

# with_xvfb COMMAND...: COMMAND on a virtual X server of its own, at the size every test and
# script assumes. -noreset keeps the server up between clients, so a program starting just as
# the last one leaves is not refused.
with_xvfb() {
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"
}

# configure_hardened DIR [CMAKE ARGS]: a Release configuration in DIR with the compiler and linker
# flags Debian gives its own packages, every hardening feature on (dpkg-buildflags under
# hardening=+all, read in the top folder, which its file prefix map names). The build type's
# optimisation level comes after them and stays in force.
configure_hardened() {
    local dir=$1 get="env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get" cpp cxx ld
    shift
    cpp=$($get CPPFLAGS) && cxx=$($get CXXFLAGS) && ld=$($get LDFLAGS) ||
        { echo "dpkg-buildflags failed" >&2; return 1; }
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=$cpp $cxx" \
        "-DCMAKE_EXE_LINKER_FLAGS=$ld" "$@" >/dev/null
}

# The program's AppStream id, which names its metainfo file.
appstream_id() {
    local files=(packaging/*.metainfo.xml)
    [ ${#files[@]} -eq 1 ] && [ -f "${files[0]}" ] ||
        { echo "not one metainfo file in packaging/" >&2; return 1; }
    basename "${files[0]}" .metainfo.xml
}

# What the Windows zip's folder and the installed program's folder hold, one path a line (files
# only; LICENSES/ is their one subfolder).
windows_files() {
    printf '%s\n' loopline.exe README.txt LICENSES/FLTK.txt LICENSES/GCC-runtime.txt \
        LICENSES/Loopline.txt LICENSES/mingw-w64-runtime.txt
}
