#!/usr/bin/env bash
# Builds everything and runs every test: the native core (with ASan and
# UBSan), the 32-bit module, its tools and the release archive, the Windows
# tests under Wine, and the checks of what ships (exports, imports allowed
# on Windows XP SP3, hardening and version information, a second build
# giving the same bytes).
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
jobs="${BRENK_JOBS:-$(nproc)}"

"$repo/scripts/setup.sh" || exit 1
. "$repo/scripts/wine-env.sh"
pick_windows_tree

step() { echo; echo "== $*"; }
fail() { echo "test: $*" >&2; exit 1; }

step "native tree: core, tools, unit tests (ASan + UBSan)"
cmake --preset native >/dev/null || fail "native configure failed"
cmake --build --preset native -j "$jobs" || fail "native build failed"

# Tests on, whatever an earlier configure (the demo's, say) left cached.
step "32-bit Windows tree: module, stand-ins, demo host, release archive"
configure_windows_tree mingw -DBRENK_TESTS=ON || fail "mingw configure failed"
cmake --build --preset mingw -j "$jobs" || fail "mingw build failed"

if [ "$windowsPreset" = mingw64 ]; then
    step "64-bit Windows tree (this machine runs no 32-bit programs)"
    configure_windows_tree mingw64 -DBRENK_TESTS=ON || fail "mingw64 configure failed"
    cmake --build --preset mingw64 -j "$jobs" || fail "mingw64 build failed"
fi

ensure_display || fail "no display"
trap 'stop_print_server; stop_display' EXIT
ensure_wine_prefix "$windowsBuild/wineprefix"
# A PDF printer for the printing tests, which find its output in BRENK_PDF_DIR.
start_print_server "$windowsBuild/printserver" "$windowsBuild/pdf" || fail "no print server"
use_printer_fonts "$(wine_loader)" || fail "Wine's printer is not set up"

passed=0
failed=0
run_ctest() {
    local tree="$1"
    shift
    local log
    log="$(mktemp)"
    ctest --test-dir "$tree" --output-on-failure -j "$jobs" "$@" 2>&1 | tee "$log"
    local summary
    summary="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
    rm -f "$log"
    if [ -z "$summary" ]; then
        failed=$((failed + 1))
        return
    fi
    local total bad
    bad="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")"
    total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

step "native tests"
run_ctest "$repo/build/native"
step "Windows tests under Wine ($windowsPreset) and checks of what ships"
run_ctest "$windowsBuild" --timeout 300
if [ "$windowsPreset" = mingw64 ]; then
    step "checks of what ships (32-bit tree)"
    run_ctest "$repo/build/mingw" -L ship
fi

echo
echo "Summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
