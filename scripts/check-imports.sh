#!/usr/bin/env bash
# Checks that shipped Windows binaries load on Windows XP SP3: every import
# is on resources/allowed-imports.txt (so no DLL outside the system's own, no
# MinGW runtime DLL, no function newer than XP), and the PE header asks for
# Windows 5.1 at most. Names every offence; exit 1 if there is one.
#
#   scripts/check-imports.sh BINARY...
set -uo pipefail
allowed="$(dirname "$0")/../resources/allowed-imports.txt"
objdump=i686-w64-mingw32-objdump
[ $# -gt 0 ] || { echo "usage: check-imports.sh BINARY..." >&2; exit 2; }

# "dll function" per import, dll in lower case; imports by ordinal as "#N".
list_imports() {
    "$objdump" -p "$1" | awk '
        /^\tDLL Name: / { dll = tolower($3); next }
        /^$/ && dll != "" && seen { dll = ""; seen = 0; next }
        dll != "" && /^\t[0-9a-f]+\t/ {
            seen = 1
            sub(/^\t[0-9a-f]+\t */, "")
            n = split($0, field, " ")
            print dll, (n >= 2 ? field[2] : "#" field[1])
        }'
}

header_value() {
    "$objdump" -p "$1" | awk -v key="$2" '$1 == key { print $2; exit }'
}

allowedSet="$(grep -v '^#' "$allowed" | grep -v '^$' | sort -u)"
allowedDlls="$(cut -d' ' -f1 <<<"$allowedSet" | sort -u)"

# Checks one binary; 1 if anything is wrong with it.
check_binary() {
    local binary="$1" name imports dll function key major minor offence=0
    name="$(basename "$binary")"
    if [ ! -f "$binary" ]; then
        echo "$name: missing" >&2
        return 1
    fi
    imports="$(list_imports "$binary" | sort -u)"
    if [ -z "$imports" ]; then
        echo "$name: no import table read" >&2
        return 1
    fi
    for dll in $(cut -d' ' -f1 <<<"$imports" | sort -u); do
        if ! grep -qxF "$dll" <<<"$allowedDlls"; then
            echo "$name: depends on $dll, which is not a system DLL of Windows XP" >&2
            offence=1
        fi
    done
    while read -r dll function; do
        grep -qxF "$dll" <<<"$allowedDlls" || continue
        echo "$name: imports $dll $function, which is not on the allowed list (resources/allowed-imports.txt)" >&2
        offence=1
    done < <(comm -23 <(echo "$imports") <(echo "$allowedSet"))
    for key in MajorOSystemVersion MajorSubsystemVersion; do
        major="$(header_value "$binary" "$key")"
        minor="$(header_value "$binary" "${key/Major/Minor}")"
        if [ "$major.$minor" != "5.1" ]; then
            echo "$name: PE header ${key/Major/} is $major.$minor, not 5.1" >&2
            offence=1
        fi
    done
    [ "$offence" = 0 ] &&
        echo "imports: $name: $(wc -l <<<"$imports") imports, all allowed on XP SP3; PE versions 5.1"
    return $offence
}

bad=0
for binary in "$@"; do
    check_binary "$binary" || bad=1
done
exit $bad
