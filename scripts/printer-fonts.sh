#!/usr/bin/env bash
# Makes Wine print the order sheet's font as wide as it measures it.
#
# The order is printed in "Times New Roman" at a requested width. Wine's
# PostScript driver measures a TrueType face through GDI, which honours that
# width, but downloads the face to the printer (as a Type 42 font) with a
# square font matrix, so on paper every glyph has the face's own width:
# with DejaVu Serif standing in for the face, text came out about 1.3 times
# as wide as measured and crossed the lines of its cells. A printer font of
# the queue's PPD ("Times", printed by Ghostscript with its metric-compatible
# URW face) is measured from the driver's own font metrics and printed with
# the same ones. The driver's font substitution table, a printer setting in
# the Wine prefix, maps the face to it.
#
# Wine takes the print server's queues into the prefix when a program loads
# its spooler library, and drops them again when one starts without the
# server; a printer that comes back has lost the setting. So this runs after
# start_print_server, every time, and brings the queue in first: a printer
# key made by hand would look to Wine like a printer it already set up.
#
# Sourced:  use_printer_fonts [LOADER]     Run: scripts/printer-fonts.sh [LOADER]
# Needs WINEPREFIX and CUPS_SERVER; the queue is BRENK_PRINT_QUEUE ("PDF"
# unless set). LOADER is the Wine loader of the prefix (default: wine).

printer_registry_key() {
    echo "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\${BRENK_PRINT_QUEUE:-PDF}"
}

use_printer_fonts() {
    local loader="${1:-wine}" key
    key="$(printer_registry_key)"
    if [ -z "${WINEPREFIX:-}" ] || [ -z "${CUPS_SERVER:-}" ]; then
        echo "printer fonts: WINEPREFIX and CUPS_SERVER must be set" >&2
        return 1
    fi
    # Loading the spooler library takes in the queues; regsvr32 then finds
    # nothing to register, and says so in its exit code only.
    WINEDEBUG=-all "$loader" regsvr32 /s winspool.drv >/dev/null 2>&1
    if ! WINEDEBUG=-all "$loader" reg query "$key" /v Port >/dev/null 2>&1; then
        echo "printer fonts: Wine does not list the queue ${BRENK_PRINT_QUEUE:-PDF}" >&2
        return 1
    fi
    WINEDEBUG=-all "$loader" reg add "$key\\PrinterDriverData\\FontSubTable" \
        /v "Times New Roman" /t REG_SZ /d Times /f >/dev/null
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    use_printer_fonts "$@"
fi
