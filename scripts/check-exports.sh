#!/usr/bin/env bash
# Checks the module's export table: every name undecorated, none missing.
set -euo pipefail
dll="${1:?usage: check-exports.sh brenk_C.dll}"
def="$(dirname "$0")/../resources/brenk_C.def"
objdump=i686-w64-mingw32-objdump
exported="$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -nE 's/^\s*\[\s*[0-9]+\] (.*)$/\1/p' | sort)"
expected="$(sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | awk '{print $1}' | grep -v '^$' | sort)"
if [ "$exported" != "$expected" ]; then
    echo "export table differs from brenk_C.def:" >&2
    diff <(echo "$expected") <(echo "$exported") >&2 || true
    exit 1
fi
if grep -q '@' <<<"$exported"; then
    echo "decorated export names found" >&2
    exit 1
fi
echo "exports: $(wc -l <<<"$exported") undecorated names, as listed in brenk_C.def"
