#include "order/orderer_text.h"

#include <cstdio>
#include <cstring>

namespace {

bool IsBlank(unsigned char c) {
    return c >= 1 && c <= 32;
}

size_t CopyLimited(char* out, size_t at, size_t outSize, const char* text) {
    while (*text && at + 1 < outSize)
        out[at++] = *text++;
    out[at] = '\0';
    return at;
}

} // namespace

void TrimOrdererSlot(char* slot) {
    size_t length = std::strlen(slot);
    while (length > 0 && IsBlank(static_cast<unsigned char>(slot[length - 1])))
        slot[--length] = '\0';
}

void JoinAddressLines(const char (*lines)[42], char* out, size_t outSize) {
    if (outSize == 0)
        return;
    int last = 0;
    for (int i = 1; i < kAddressSlots; ++i)
        if (lines[i][0])
            last = i;
    size_t at = 0;
    out[0] = '\0';
    for (int i = 0; i <= last; ++i) {
        if (i > 0)
            at = CopyLimited(out, at, outSize, "\r\n");
        at = CopyLimited(out, at, outSize, lines[i]);
    }
}

void SplitAddressText(const char* text, char (*lines)[42]) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    for (int slot = 0; slot < kAddressSlots; ++slot) {
        int length = 0;
        for (; *p >= 32; ++p)
            if (length < kOrdererTextLimit)
                lines[slot][length++] = static_cast<char>(*p);
        lines[slot][length] = '\0';
        while (IsBlank(*p))
            ++p;
    }
}

long ParseQuantityText(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value <= kMaxQuantity)
            value = value * 10 + (*p - '0');
    return negative ? -value : value;
}

void SurchargeText(double percent, char* out, size_t outSize) {
    std::snprintf(out, outSize, "%g %%", percent);
}
