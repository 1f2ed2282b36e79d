#include "frame/font_fit.h"

const PageFontSpec kPageFonts[3] = {
    {16, 7, 11, false},
    {20, 10, 15, false},
    {12, 6, 7, true},
};

int FitFontWidth(const PageFontSpec& fontShape, const std::function<int(int)>& measure) {
    int w = 0;
    for (;;) {
        const int widthB = measure(w);
        if (widthB < 0)
            return -1;
        if (widthB <= fontShape.widestB || w == 1)
            return w;
        if (w == 0)
            w = widthB;
        w = static_cast<int>(w * 0.9);
        if (w < 1) // cannot happen for widths above 1, but never loop on 0
            w = 1;
    }
}
