# Sourced by the scripts that test under Wine. wine_prefix DIR LOG: makes a fresh Wine prefix in
# DIR for this run, exports it, and keeps its server running until the calling script ends (so no
# test pays for its start). Output of the set-up goes to LOG.
wine_prefix() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko: nothing here uses .NET or HTML, and their installers would ask. No menu
    # builder: it would turn Start menu shortcuts into desktop entries and icons in the home
    # folder of whoever runs the tests.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Nor Mesa's shader cache (Debian 13's keeps one in ~/.cache): a test leaves nothing behind.
    export MESA_SHADER_CACHE_DISABLE=true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # The server first, told to stay: a second one cannot be made persistent later.
    wineserver -p >/dev/null 2>&1 </dev/null
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    # The services wineboot starts stay for the run, writing to the log rather than to CTest's
    # pipes.
    wineboot --init >"$2" 2>&1 </dev/null
    # No window manager here: Wine places and frames the windows itself instead of waiting for a
    # manager's answer each time a window closes (two seconds a test).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$2" 2>&1 </dev/null
}
