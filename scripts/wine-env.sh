# Sourced by the scripts: picks the Windows build tree that can run here,
# gives Wine a display and a prefix inside the build folder.

# The private print server (start_print_server, stop_print_server) and
# Wine's setting for printing its font (use_printer_fonts).
. "$(dirname "${BASH_SOURCE[0]}")/print-server.sh"
. "$(dirname "${BASH_SOURCE[0]}")/printer-fonts.sh"

# 32-bit programs need a kernel that runs 32-bit code; some sandboxes do not.
# There the same sources are built for x86-64 and run by 64-bit Wine.
can_run_32bit_wine() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

pick_windows_tree() {
    if can_run_32bit_wine; then
        windowsPreset=mingw
    else
        windowsPreset=mingw64
    fi
    windowsBuild="$repo/build/$windowsPreset"
}

# Configures a Windows preset's tree. CMake keeps the compilers a tree was
# first made with, even after the toolchain file names others (as when the
# thread model changed), so a tree made with another toolchain file is made
# afresh; its objects are then rebuilt.
configure_windows_tree() {
    local preset="$1"
    shift
    local tree="$repo/build/$preset" toolchain stamp fresh=()
    case "$preset" in
    mingw) toolchain="$repo/cmake/mingw-i686.cmake" ;;
    mingw64) toolchain="$repo/cmake/mingw-x86_64.cmake" ;;
    *) echo "configure_windows_tree: unknown preset $preset" >&2; return 1 ;;
    esac
    stamp="$(sha256sum "$toolchain" | cut -d' ' -f1)"
    if [ -f "$tree/CMakeCache.txt" ] && [ "$(cat "$tree/.toolchain-stamp" 2>/dev/null)" != "$stamp" ]; then
        echo "The $preset tree was made with another toolchain: configuring it afresh"
        fresh=(--fresh)
    fi
    cmake --preset "$preset" "${fresh[@]}" "$@" >/dev/null || return 1
    echo "$stamp" >"$tree/.toolchain-stamp"
}

xvfbPid=""
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${BRENK_FORCE_XVFB:-0}" != 1 ]; then
        return
    fi
    local number
    for number in $(seq 91 120); do
        [ -e "/tmp/.X${number}-lock" ] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfbPid=$!
        export DISPLAY=":$number"
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$number" ] && return
            sleep 0.1
        done
    done
    echo "could not start Xvfb" >&2
    return 1
}

stop_display() {
    # Wine's own processes go first, so none of them loses its display.
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null || true
        wait "$xvfbPid" 2>/dev/null || true
    fi
}

# The Wine loader of the picked tree's programs.
wine_loader() {
    if [ "$windowsPreset" = mingw64 ]; then
        echo /usr/lib/wine/wine64
    else
        echo wine
    fi
}

# Creates the prefix once (parallel first starts race), without a window
# manager's 2-second wait on every closing dialog.
ensure_wine_prefix() {
    export WINEPREFIX="$1" BRENK_WINEPREFIX="$1"
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    local loader
    loader="$(wine_loader)"
    if [ ! -f "$WINEPREFIX/.brenk-ready" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX (once; takes a minute)"
        mkdir -p "$WINEPREFIX"
        "$loader" wineboot --init >/dev/null 2>&1 || true
        "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
        # A crashing test must fail, not wait in a debugger.
        "$loader" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1 || true
        wineserver -w || true
        touch "$WINEPREFIX/.brenk-ready"
    fi
}
