#!/usr/bin/env bash
# Runs a whole demonstration in the demo host: the slide show, page 0, page 1
# with an order filled in on the order sheet, and the script that operates the
# host until the demonstration ends. On the real display when DISPLAY is set,
# otherwise on a private Xvfb server with screenshots saved.
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
out="${BRENK_DEMO_OUT:-$repo/build/demo}"

"$repo/scripts/setup.sh" || exit 1
. "$repo/scripts/wine-env.sh"
pick_windows_tree
# The same tree the tests use, configured as they need it; only the demo
# host and what it loads (module, stand-ins, sample catalogue) are built.
configure_windows_tree "$windowsPreset" || exit 1
cmake --build --preset "$windowsPreset" -j "$(nproc)" --target demohost || exit 1

headless=0
if [ -z "${DISPLAY:-}" ]; then
    headless=1
    ensure_display || exit 1
fi
trap 'stop_print_server; if [ "$headless" = 1 ]; then stop_display; fi' EXIT
ensure_wine_prefix "$windowsBuild/wineprefix"

rm -rf "$out"
mkdir -p "$out"
# The printed order sheet lands as a PDF in the output folder.
start_print_server "$windowsBuild/printserver-demo" "$out" || exit 1
use_printer_fonts "$(wine_loader)" || exit 1
# Script 0 ends the demonstration by itself after about two and a half
# minutes; the limits only guard against a host that stopped answering.
options=(--exit-when-done --timeout 300 --end-script-after 240 --order-demo --print-order)
[ "$headless" = 1 ] && options+=(--screenshots "$(winepath -w "$out" 2>/dev/null || echo "$out")")
echo "Running the demonstration ($windowsPreset build)..."
(cd "$windowsBuild/bin" && "$repo/cmake/wine-run" ./demohost.exe "${options[@]}")
status=$?
# The printer names the file after the document and adds to it; give it a
# plain name.
wait_for_print_jobs
for pdf in "$out"/*.pdf; do
    [ -e "$pdf" ] && mv -f "$pdf" "$out/order-sheet.pdf"
done
# A printout without text means the print server failed the job (its log
# is in build/<tree>/printserver-demo/server/log).
if [ "$status" = 0 ]; then
    printed="$(pdftotext "$out/order-sheet.pdf" - 2>/dev/null | tr -d '[:space:]')"
    if [ -z "$printed" ]; then
        echo "demo: the order was not printed (no text in $out/order-sheet.pdf)" >&2
        status=1
    fi
fi

if [ "$headless" = 1 ]; then
    if command -v convert >/dev/null; then
        for shot in "$out"/*.bmp; do
            [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
        done
    fi
    echo "Screenshots and the host's log are in $out:"
    ls "$out"
fi
exit $status
