#!/usr/bin/env bash
# Copies the README's pictures out of a finished demonstration (made by
# scripts/demo.sh, which saves its screenshots and the printed order in
# build/demo): the slide show, a script step with its text, the filled-in
# order sheet and the first printed page. Small PNGs, checked to stay under
# 100 KB each, in docs/images.
#
#   scripts/demo.sh && scripts/readme-images.sh [DEMO_OUTPUT]
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
demo="${1:-$repo/build/demo}"
images="$repo/docs/images"
limit=$((100 * 1024))

fail() { echo "readme-images: $*" >&2; exit 1; }
for tool in convert pdftoppm; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

# The first screenshot whose name matches, e.g. "*-show.png".
first_shot() {
    local shot
    for shot in "$demo"/$1; do
        [ -e "$shot" ] && { echo "$shot"; return 0; }
    done
    return 1
}

# Writes a small PNG: no metadata, a reduced palette.
small_png() {
    convert "$1" -strip -colors 128 "PNG8:$2" || fail "could not write $2"
}

mkdir -p "$images"
declare -A shots=(
    [slide-show]="*-show.png"
    [script-step]="*-dialog-settings.png"
    [order-sheet]="*-order-sheet.png"
)
for name in "${!shots[@]}"; do
    shot="$(first_shot "${shots[$name]}")" || fail "no ${shots[$name]} in $demo: run scripts/demo.sh first"
    small_png "$shot" "$images/$name.png"
done

pdf="$demo/order-sheet.pdf"
[ -s "$pdf" ] || fail "no printed order ($pdf): run scripts/demo.sh first"
page="$(mktemp -d)"
pdftoppm -r 60 -f 1 -l 1 -png "$pdf" "$page/page" || fail "could not render $pdf"
small_png "$page"/page-*1.png "$images/printed-order.png"
rm -rf "$page"

for image in "$images"/*.png; do
    size=$(stat -c %s "$image")
    [ "$size" -lt "$limit" ] || fail "$image has $size bytes, more than 100 KB"
    echo "readme-images: $(basename "$image") ($((size / 1024)) KB)"
done
