#!/usr/bin/env bash
# Builds the 32-bit release again in a second folder and compares it byte
# for byte with the one in the first: the same commit must give the same
# binaries and the same archive, wherever it is built.
#
#   scripts/check-reproducible.sh BUILD_DIR OTHER_DIR
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
first="${1:?usage: check-reproducible.sh BUILD_DIR OTHER_DIR}"
second="${2:?usage: check-reproducible.sh BUILD_DIR OTHER_DIR}"
jobs="${BRENK_JOBS:-$(nproc)}"

# Afresh every time: a clean second build, whatever the folder held.
cmake --fresh -S "$repo" -B "$second" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENK_TESTS=OFF >/dev/null || exit 1
cmake --build "$second" -j "$jobs" --target release >/dev/null || {
    echo "reproducible: the second build in $second failed" >&2
    exit 1
}

status=0
for file in "$first"/brenk_C-*-win32.zip "$first"/bin/{brenk_C.dll,PAVLO.DLL,FENNIK.DLL,demohost.exe,cardconv.exe,cnftool.exe}; do
    other="$second/${file#"$first"/}"
    if cmp -s "$file" "$other"; then
        echo "reproducible: ${file#"$first"/} ($(stat -c %s "$file") bytes) the same in both builds"
    else
        echo "reproducible: ${file#"$first"/} differs between $first and $second" >&2
        status=1
    fi
done
exit $status
