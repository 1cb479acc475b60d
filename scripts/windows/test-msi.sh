#!/usr/bin/env bash
# test-msi.sh BUILD_WINDOWS_DIR MSI NEWER_MSI ICON: run by scripts/windows/test.sh under Xvfb. In a
# Wine prefix of its own, the life of the installer as a computer lab meets it: a silent install
# puts exactly the program's files and its Start menu shortcut in place, lists one product with
# its name, version and icon (ICON), and the installed program runs; NEWER_MSI (the same package at
# a higher version) replaces it; the older one is then refused; the silent uninstall leaves no
# file, folder or registry key of the program's in the prefix, and nothing is left in the home
# folder.
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source scripts/lib/wine-prefix.sh
out=$1 msi=$2 newer=$3 icon=$4
work=$out/msi-test
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

mkdir -p "$work"
touch "$work/started"
wine_prefix "$out/wine-msi" "$work/wineboot.log"
c=$WINEPREFIX/drive_c
dir="$c/Program Files/Loopline"
# A per-machine package puts its shortcut in the common Start menu; Wine 8 puts it in the user's.
links=("$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Loopline.lnk"
    "$c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Loopline.lnk")
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

property() { msiinfo export "$1" Property | tr -d '\r' | awk -v k="$2" '$1 == k { print $2 }'; }
# Every file and folder of the prefix's C: drive, and the whole registry as text: a line per key
# and a line per value, each value after its key (continued lines joined).
snapshot() {
    (cd "$c" && find . | LC_ALL=C sort) >"$work/$1.files"
    wine reg export HKLM "$work/$1.hklm.reg" /y >/dev/null 2>&1 </dev/null
    wine reg export HKCU "$work/$1.hkcu.reg" /y >/dev/null 2>&1 </dev/null
    cat "$work/$1.hklm.reg" "$work/$1.hkcu.reg" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r' |
        awk '/^\[/ { key = $0; print key; next }
             /\\$/ { part = part substr($0, 1, length($0) - 1); next }
             NF { print key " " part $0; part = "" }' | LC_ALL=C sort >"$work/$1.reg"
}
# A GUID as Windows Installer keeps it in the registry: each of the first three groups reversed,
# then the digits of each following byte swapped.
packed() {
    local g=${1//[\{\}-]/} out="" i
    g=${g^^}
    for i in 7 6 5 4 3 2 1 0 11 10 9 8 15 14 13 12; do out+=${g:i:1}; done
    for ((i = 16; i < 32; i += 2)); do out+=${g:i+1:1}${g:i:1}; done
    echo "$out"
}
# The installed programs whose name is Loopline, one line each: "{code} version".
products() {
    local key name
    for key in $(wine reg query "$uninstall" 2>/dev/null </dev/null | tr -d '\r' | grep -o '{[^}]*}$'); do
        name=$(wine reg query "$uninstall\\$key" /v DisplayName 2>/dev/null </dev/null | tr -d '\r')
        grep -q 'REG_SZ *Loopline$' <<<"$name" || continue
        echo "$key $(wine reg query "$uninstall\\$key" /v DisplayVersion 2>/dev/null </dev/null |
            tr -d '\r' | awk '$1 == "DisplayVersion" { print $3 }')"
    done
}
msiexec() { wine msiexec "$@" </dev/null >/dev/null 2>&1; }

version=$(property "$msi" ProductVersion)
newer_version=$(property "$newer" ProductVersion)
code=$(property "$msi" ProductCode)
newer_code=$(property "$newer" ProductCode)
echo "== The installer under $(wine --version): $(basename "$msi") ($version, $code)," \
    "$(basename "$newer") ($newer_version, $newer_code)"
snapshot before

# 1. Silent install.
msiexec /i "$msi" /qn /l*v "$work/install.log"
status=$?
[ "$status" -eq 0 ] && ok "msiexec /i /qn: status 0" || fail "msiexec /i /qn: status $status"
# The files and the folders they lie in.
expected=$( { windows_files; windows_files | xargs -n 1 dirname | grep -vx '\.'; } |
    sed 's|^|./|' | LC_ALL=C sort -u)
files=$(cd "$dir" 2>/dev/null && find . -mindepth 1 | LC_ALL=C sort)
if [ "$files" = "$expected" ]; then
    ok "Program Files\\Loopline holds exactly: $(echo $files)"
else
    fail "Program Files\\Loopline holds: $(echo $files); expected: $(echo $expected)"
fi
cmp -s "$dir/loopline.exe" "$out/stage/loopline-$version-win64/loopline.exe" ||
    fail "the installed loopline.exe is not the one built"
link=
for candidate in "${links[@]}"; do [ -f "$candidate" ] && link=$candidate; done
if [ -n "$link" ]; then
    # A shell link keeps its target as a local path (ANSI, in its link info).
    if strings -n 8 "$link" | grep -qx 'C:\\Program Files\\Loopline\\loopline.exe'; then
        ok "Start menu shortcut ${link#"$c/"}, target C:\\Program Files\\Loopline\\loopline.exe"
    else
        fail "the shortcut does not point at the installed program: $(strings -n 8 "$link" | tr '\n' ' ')"
    fi
else
    fail "no Start menu shortcut Loopline.lnk"
fi
snapshot installed
# Beside the program and its shortcut, only Windows Installer's own cache of the package and icon.
new_files=$(comm -13 "$work/before.files" "$work/installed.files" | grep -v -e '^./Program Files/Loopline' \
    -e '/Start Menu/Programs/Loopline.lnk$' -e '^./windows/Installer')
[ -z "$new_files" ] || fail "the install put more in place: $(echo $new_files)"
listed=$(products)
[ "$listed" = "$code $version" ] && ok "installed programs: Loopline $version ($code)" ||
    fail "installed programs named Loopline: '$listed', expected '$code $version'"
entry=$(wine reg query "$uninstall\\$code" </dev/null 2>/dev/null | tr -d '\r')
for value in UninstallString Publisher; do
    grep -q "^ *$value " <<<"$entry" || fail "the installed programs' entry has no $value"
done
grep -q '^ *NoModify *REG_DWORD *0x1' <<<"$entry" || fail "the entry offers to modify"
# The list's icon: Windows Installer keeps the package's product icon and names it in the
# product's key.
icon_line='[HKEY_LOCAL_MACHINE\Software\Classes\Installer\Products\'"$(packed "$code")"'] "ProductIcon"="C:\\windows\\Installer\\'"$code"'\\loopline.ico"'
if grep -qxF "$icon_line" "$work/installed.reg" &&
    cmp -s "$c/windows/Installer/$code/loopline.ico" "$icon"; then
    ok "the product's icon is the program's, kept as windows\\Installer\\$code\\loopline.ico"
else
    fail "the product's icon is not the program's"
fi

# 2. The installed program: window, a press on the floor, Escape.
LOOPLINE_WINDOWS_EXE='C:\Program Files\Loopline\loopline.exe' "$out/linux/tests/wine_e2e_tests" \
    --gtest_filter='WineE2E.ArgumentsAreIgnoredAndEscapeEndsWithStatusOne' >"$work/run.log" 2>&1 &&
    ok "the installed program opens its window, prints 'Hit 0 objects', Escape ends it with 1" ||
    { fail "the installed program under Wine:"; tail -n 20 "$work/run.log"; }

# 3. The newer package replaces it; the older one is then refused, with the package's message.
msiexec /i "$newer" /qn /l*v "$work/upgrade.log"
status=$?
[ "$status" -eq 0 ] || fail "upgrade: msiexec /i /qn: status $status"
listed=$(products)
[ "$listed" = "$newer_code $newer_version" ] &&
    ok "after the upgrade one product: Loopline $newer_version ($newer_code)" ||
    fail "after the upgrade, installed programs named Loopline: '$(echo $listed)'"
grep -q "^Loopline $newer_version for Windows" "$dir/README.txt" 2>/dev/null ||
    fail "after the upgrade README.txt is not the new one: $(head -n 1 "$dir/README.txt" 2>&1)"
msiexec /i "$msi" /qn /l*v "$work/downgrade.log"
status=$?
# Silent, the refusal is a failed launch condition, whose message a user with a UI would read.
message=$(msiinfo export "$msi" LaunchCondition | tr -d '\r' |
    awk -F'\t' '$1 == "NOT WIX_DOWNGRADE_DETECTED" { print $2 }')
if [ "$status" -ne 0 ] && grep -q 'LaunchConditions. Return value 0' "$work/downgrade.log" &&
    [ -n "$message" ]; then
    ok "downgrade refused (status $status) at its launch condition: \"$message\""
else
    fail "downgrade: status $status, launch condition message '$message'"
fi
[ "$(products)" = "$newer_code $newer_version" ] || fail "the refused downgrade changed what is installed"

# 4. Silent uninstall: the prefix as it was.
msiexec /x "$newer_code" /qn /l*v "$work/uninstall.log"
status=$?
[ "$status" -eq 0 ] || fail "msiexec /x /qn: status $status"
snapshot after
# Left aside: Windows Installer's own (now empty) cache folder, and the toolkit's preferences
# file, which FLTK writes for its options when the program runs, not the installer.
diff <(grep -v -x -e './windows/Installer' -e '.*/fltk\.org' -e '.*/fltk\.org/fltk\.prefs' \
    "$work/after.files") "$work/before.files" >"$work/files.diff"
if [ -s "$work/files.diff" ]; then
    fail "uninstall: C: differs from before the install (> before, < after):"; cat "$work/files.diff"
else
    ok "uninstall: every file and folder of C: as before the install"
fi
# The registry: no key or value that names the program (its name, product, upgrade and
# component codes, plain or packed) before or after, and no value added under Windows
# Installer's or the installed programs' keys. Wine's own counters may change.
ids=Loopline
for guid in "$code" "$newer_code" $(grep -o 'UpgradeCode="[^"]*"\|Guid="[^"]*"' \
    packaging/windows/loopline.wxs | cut -d'"' -f2); do
    ids+="|${guid//[\{\}]/}|$(packed "$guid")"
done
LC_ALL=C comm -3 "$work/before.reg" "$work/after.reg" >"$work/reg.diff"
left=$( { grep -i -E "$ids" "$work/reg.diff"; grep -E '(\\Installer|\\Uninstall)[^]]*\] ' "$work/reg.diff"; } |
    sort -u)
if [ -z "$left" ]; then
    ok "uninstall: no registry key or value of the program's ($(wc -l <"$work/reg.diff") other lines changed, Wine's own)"
else
    fail "uninstall: left in the registry:"; echo "$left" | head -n 20
fi

# 5. Nothing in the home folder: no desktop entries, icons or menus from the menu builder.
left=$(find "$HOME" -newer "$work/started" -not -path "$out/*" 2>/dev/null | head -n 20)
[ -z "$left" ] && ok "nothing written to $HOME" || fail "written to $HOME: $(echo $left)"

[ "$failures" -eq 0 ] || { echo "== the installer: $failures checks failed"; exit 1; }
echo "== the installer: every check passed"
