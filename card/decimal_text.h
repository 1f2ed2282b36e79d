// Decimal numbers written straight into a text, as printf's "%0Nu" and "%Nu"
// would write them; the block texts are made for every block, and printf's
// format parsing cost more than everything else a small block needs.
#pragma once

#include <cstdint>

// Writes `value` right-aligned in at least `width` places filled with
// `fill`; returns the position behind it.
inline char* PutDecimal(char* out, uint32_t value, int width, char fill) {
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int pad = width - count; pad > 0; --pad)
        *out++ = fill;
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

// A block number, 0 to 255, as "%03u": the three places every block text
// starts with.
inline void PutBlockNumber(char* out, uint32_t number) {
    out[0] = static_cast<char>('0' + number / 100);
    out[1] = static_cast<char>('0' + number / 10 % 10);
    out[2] = static_cast<char>('0' + number % 10);
}
