// Narrowing a page font until its widest letter fits.
#pragma once

#include <functional>

struct PageFontSpec {
    int height;
    int firstWidth;
    int widestB; // widest "B" allowed, in pixels
    bool swiss;  // swiss family "MS Sans Serif", else roman with no face
};

extern const PageFontSpec kPageFonts[3];

// Tries widths until measure(width) reports a "B" no wider than allowed (or
// the width reached 1). measure returns -1 when the font cannot be made.
// Returns the accepted width (0 stands for the first width), or -1.
int FitFontWidth(const PageFontSpec& fontShape, const std::function<int(int)>& measure);
