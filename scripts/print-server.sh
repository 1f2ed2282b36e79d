#!/usr/bin/env bash
# A private print server for the tests and the demo: a cupsd of our own with
# its configuration, spool and logs in a folder of its own, reachable only
# through a unix socket in that folder, and one PDF queue whose files land in
# a folder the caller names. Nothing here needs systemd or the system's cupsd.
#
# The server's folder is /tmp/brenk-print-<number>, one per state folder the
# caller names (which gets a link "server" to it): CUPS runs its filters as
# the user lp, who must reach the spool and the printer description, and a
# build tree in root's home is out of lp's reach.
#
# Sourced:   start_print_server STATE_DIR PDF_DIR   then   stop_print_server
# Run:       scripts/print-server.sh start STATE_DIR PDF_DIR | stop STATE_DIR
#
# start exports CUPS_SERVER (the socket; Wine finds the server by it),
# BRENK_PDF_DIR (where the PDFs appear) and BRENK_PRINT_QUEUE (the queue,
# "PDF" unless set before). Several servers can run at once in different
# folders. A PDF's file name starts with the job's document name (characters
# other than letters, digits and "-" made "_"), but cups-pdf adds a few
# characters of its own after it: look for "<name>*.pdf".

printServerPid=""
printServerDir=""

print_server_ppd() {
    local ppd
    for ppd in /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd \
        /usr/share/cups/model/CUPS-PDF_noopt.ppd; do
        [ -f "$ppd" ] && { echo "$ppd"; return 0; }
    done
    return 1
}

write_print_server_config() {
    local dir="$1"
    mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log"
    # The filters run as lp: they must reach the spool and temporary files.
    chmod 755 "$dir" "$dir/etc" "$dir/cache" "$dir/state" "$dir/log"
    chmod 1777 "$dir/spool/tmp"
    cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
EOF
    # Only the socket: no TCP port, no browsing, no web pages. Whoever can
    # reach the socket (root, under the build tree) may do anything.
    cat >"$dir/cupsd.conf" <<EOF
LogLevel warn
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
}

# cups-pdf reads its settings only from /etc/cups: one file per instance,
# the instance named by the queue's device URI (cups-pdf:/<instance>). Each
# server gets an instance of its own, named after its folder, so servers
# running at once do not send each other's PDFs astray.
cups_pdf_instance() {
    echo "brenk$(printf '%s' "$1" | cksum | cut -d' ' -f1)"
}

# The server's own folder for a state folder (an absolute path).
print_server_folder() {
    echo "/tmp/brenk-print-$(printf '%s' "$1" | cksum | cut -d' ' -f1)"
}

write_cups_pdf_config() {
    local dir="$1" pdfDir="$2"
    mkdir -p "$pdfDir" "$dir/cups-pdf-spool"
    cat >"/etc/cups/cups-pdf-$(cups_pdf_instance "$dir").conf" <<EOF
Out $pdfDir
AnonDirName $pdfDir
Spool $dir/cups-pdf-spool
GSTmp $dir/spool/tmp
Log $dir/log
Label 0
EOF
}

# Waits until the server answers on its socket.
wait_for_print_server() {
    local _
    for _ in $(seq 1 100); do
        lpstat -r >/dev/null 2>&1 && return 0
        kill -0 "$printServerPid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Adds the PDF queue and makes it the default. A server started for the
# first time after installing answers before it accepts queues, so this
# tries again for up to 30 s and then shows lpadmin's own words.
add_print_queue() {
    local queue="$1" instance="$2" ppd="$3" error="" _
    for _ in $(seq 1 60); do
        # "-P file": lpadmin warns that drivers are deprecated; the queue works.
        if error="$(lpadmin -p "$queue" -E -v "cups-pdf:/$instance" -P "$ppd" 2>&1)" &&
            error="$(lpadmin -d "$queue" 2>&1 && cupsaccept "$queue" 2>&1 && cupsenable "$queue" 2>&1)"; then
            return 0
        fi
        sleep 0.5
    done
    echo "print server: could not set up the queue $queue: $error" >&2
    return 1
}

start_print_server() {
    local stateDir="$1" pdfDir="$2" dir
    local queue="${BRENK_PRINT_QUEUE:-PDF}"
    local ppd
    if ! command -v cupsd >/dev/null || ! ppd="$(print_server_ppd)"; then
        echo "print server: cups or printer-driver-cups-pdf is not installed" >&2
        return 1
    fi
    stateDir="$(mkdir -p "$stateDir" && cd "$stateDir" && pwd)"
    pdfDir="$(mkdir -p "$pdfDir" && cd "$pdfDir" && pwd)"
    dir="$(print_server_folder "$stateDir")"
    [ -f "$dir/cupsd.pid" ] && stop_print_server "$stateDir"
    mkdir -p "$dir"
    chmod 755 "$dir"
    ln -sfn "$dir" "$stateDir/server"
    # Only what an earlier server of ours left there.
    rm -rf "${dir:?}/etc" "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$dir/cups-pdf-spool"
    write_print_server_config "$dir"
    write_cups_pdf_config "$dir" "$pdfDir"
    export CUPS_SERVER="$dir/cups.sock"
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >>"$dir/log/cupsd.out" 2>&1 &
    printServerPid=$!
    printServerDir="$stateDir"
    echo "$printServerPid" >"$dir/cupsd.pid"
    if ! wait_for_print_server; then
        echo "print server: cupsd did not start (see $dir/log/error_log)" >&2
        stop_print_server "$stateDir"
        return 1
    fi
    if ! add_print_queue "$queue" "$(cups_pdf_instance "$dir")" "$ppd"; then
        stop_print_server "$stateDir"
        return 1
    fi
    export BRENK_PDF_DIR="$pdfDir" BRENK_PRINT_QUEUE="$queue"
}

# Stops the server started by start_print_server (or the one whose state
# folder is given), by its own process id only.
stop_print_server() {
    local dir="${1:-$printServerDir}"
    [ -n "$dir" ] && [ -d "$dir" ] && dir="$(print_server_folder "$(cd "$dir" && pwd)")"
    local pid="$printServerPid"
    [ -z "$pid" ] && [ -n "$dir" ] && [ -f "$dir/cupsd.pid" ] && pid="$(cat "$dir/cupsd.pid")"
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        local _
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
    if [ -n "$dir" ]; then
        rm -f "$dir/cupsd.pid" "/etc/cups/cups-pdf-$(cups_pdf_instance "$dir").conf"
    fi
    printServerPid=""
    unset CUPS_SERVER BRENK_PDF_DIR
}

# Waits until the queue has no unfinished job, so the last PDF is complete.
wait_for_print_jobs() {
    local _
    for _ in $(seq 1 150); do
        [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -u
    case "${1:-}" in
    start)
        start_print_server "${2:?state folder}" "${3:?PDF folder}" || exit 1
        # The server outlives this script; stop it with "stop STATE_DIR".
        disown "$printServerPid" 2>/dev/null
        echo "export CUPS_SERVER=$CUPS_SERVER BRENK_PDF_DIR=$BRENK_PDF_DIR BRENK_PRINT_QUEUE=$BRENK_PRINT_QUEUE"
        ;;
    stop) stop_print_server "${2:?state folder}" ;;
    *)
        echo "usage: $0 start STATE_DIR PDF_DIR | stop STATE_DIR" >&2
        exit 2
        ;;
    esac
fi
