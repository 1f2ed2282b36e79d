#!/bin/sh
# A first session with cardconv: convert a small image, list it, write CSV,
# and meet an image without blocks. Usage: cardconv_session.sh CARDCONV WORK
set -eu
cardconv="$1"
work="$2"
mkdir -p "$work"
cd "$work"

fail() { echo "cardconv session: $*" >&2; exit 1; }

# Block 5: day 731426, second 45296, parameter 60, K = 2 (ids 0 and 4), then
# ten data words 1..10.
printf '\177\377\000\005\000\013\051\042\000\000\260\360\000\000\000\074' > card.img
printf '\000\000\000\002\000\000\000\000\000\000\000\004' >> card.img
for word in 1 2 3 4 5 6 7 10 11 12; do printf "\\000\\000\\000\\0$word" >> card.img; done

"$cardconv" card.img -o card.mdf > convert.txt || fail "conversion failed: $(cat convert.txt)"
grep -q '^result 0: converted' convert.txt || fail "unexpected: $(cat convert.txt)"
[ "$(wc -c < card.mdf)" -eq 98 ] || fail "card.mdf is not 98 bytes"
head -c 57 card.mdf | grep -q '^005;      98;15.07.2002;12:34:56;60;2;U1 V;I1 A;       5;$' ||
    fail "unexpected text: $(head -c 57 card.mdf)"

"$cardconv" dump card.mdf > dump.txt || fail "dump found problems: $(cat dump.txt)"
grep -q 'quantities (2): U1 \[V\], I1 \[A\]' dump.txt || fail "dump: $(cat dump.txt)"
grep -q '1 block, all checks passed' dump.txt || fail "dump: $(cat dump.txt)"

"$cardconv" csv card.mdf -o card.csv || fail "csv failed"
[ "$(head -n 2 card.csv)" = "$(printf 'U1,I1\n00000001,00000002')" ] || fail "csv: $(cat card.csv)"
[ "$(wc -l < card.csv)" -eq 6 ] || fail "csv rows: $(cat card.csv)"

: > empty.img
if "$cardconv" empty.img -o empty.mdf > empty.txt; then fail "an empty image converted"; fi
grep -q '^result -4: the image holds no block marker' empty.txt || fail "empty: $(cat empty.txt)"

"$cardconv" > /dev/null 2>&1 && fail "no arguments accepted"
echo "cardconv session passed"
