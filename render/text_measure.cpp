#include "render/text_measure.h"

#include <cstring>

int TextWidth(HDC dc, const char* text, int n) {
    SIZE size;
    if (n <= 0 || !GetTextExtentPoint32A(dc, text, n, &size))
        return 0;
    return size.cx;
}

int StringWidth(HDC dc, const char* text) {
    return TextWidth(dc, text, static_cast<int>(std::strlen(text)));
}

int LineHeight(HDC dc) {
    SIZE size;
    if (!GetTextExtentPoint32A(dc, "X", 1, &size))
        return 8;
    return size.cy;
}
