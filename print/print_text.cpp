#include "print/print_text.h"

#include <cstring>

void FillTextMarker(const char* format, const char* value, char* out, size_t outSize) {
    if (outSize == 0)
        return;
    size_t used = 0;
    bool filled = false;
    auto append = [&](char c) {
        if (used + 1 < outSize)
            out[used++] = c;
    };
    for (const char* p = format ? format : ""; *p; ++p) {
        if (p[0] == '%' && p[1] == '%') {
            append('%');
            ++p;
        } else if (!filled && p[0] == '%' && (p[1] == 's' || p[1] == 'd')) {
            for (const char* v = value ? value : ""; *v; ++v)
                append(*v);
            filled = true;
            ++p;
        } else {
            append(*p);
        }
    }
    out[used] = '\0';
}

TextLines SplitAtLineFeed(const char* text) {
    const char* feed = std::strchr(text, '\n');
    if (!feed)
        return {std::strlen(text), nullptr};
    return {static_cast<size_t>(feed - text), feed + 1};
}

ClippedText ClipText(const PrefixWidthSource& widths, const char* text, int length, int x,
                     int width, int alignment) {
    const int innerX = x + 1;
    const int innerWidth = width - 2;
    int n = length;
    int textWidth = n > 0 ? widths.PrefixWidth(text, n) : 0;
    while (n > 0 && textWidth > innerWidth) {
        --n;
        textWidth = n > 0 ? widths.PrefixWidth(text, n) : 0;
    }
    if (n <= 0)
        return {0, innerX};
    switch (alignment) {
    case kAlignRight:
        return {n, innerX + innerWidth - textWidth};
    case kAlignCentre:
        return {n, innerX + (innerWidth - textWidth) / 2};
    default:
        return {n, innerX};
    }
}
