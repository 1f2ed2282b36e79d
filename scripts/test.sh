#!/usr/bin/env bash
# Builds everything and runs every test: the native core (with ASan and
# UBSan), the 32-bit module and its tools, and the Windows tests under Wine.
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

step "32-bit Windows tree: module, stand-ins, demo host"
cmake --preset mingw >/dev/null || fail "mingw configure failed"
cmake --build --preset mingw -j "$jobs" || fail "mingw build failed"
"$repo/scripts/check-exports.sh" "$repo/build/mingw/bin/brenk_C.dll" || fail "export table"

if [ "$windowsPreset" = mingw64 ]; then
    step "64-bit Windows tree (this machine runs no 32-bit programs)"
    cmake --preset mingw64 >/dev/null || fail "mingw64 configure failed"
    cmake --build --preset mingw64 -j "$jobs" || fail "mingw64 build failed"
fi

# The sample price catalogue (built by the native cnftool) sits beside the
# module, where the demo host points DemoInit by default.
for tree in "$repo/build/mingw" "$windowsBuild"; do
    cp "$repo/build/native/TALVERIN.CNF" "$tree/bin/" || fail "no sample catalogue"
done

ensure_display || fail "no display"
trap 'stop_print_server; stop_display' EXIT
ensure_wine_prefix "$windowsBuild/wineprefix"
# A PDF printer for the printing tests, which find its output in BRENK_PDF_DIR.
start_print_server "$windowsBuild/printserver" "$windowsBuild/pdf" || fail "no print server"

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
step "Windows tests under Wine ($windowsPreset)"
run_ctest "$windowsBuild" --timeout 300

echo
echo "Summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
