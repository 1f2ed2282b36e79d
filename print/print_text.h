// Texts of the printed order sheet: host texts with their one value filled
// in, the split at a line feed, and cutting a text to its cell.
#pragma once

#include <cstddef>

// Fills the first "%s" or "%d" of `format` with `value` (null: empty) and
// turns "%%" into "%"; every other character, a further marker included, is
// copied as it stands. The host's text is never handed to a printf-style
// function. The result is cut to outSize - 1.
void FillTextMarker(const char* format, const char* value, char* out, size_t outSize);

// Splits at the first line feed: the first part's length, and where the
// second part starts (null when there is no line feed). A third line stays
// part of the second.
struct TextLines {
    size_t firstLength;
    const char* second;
};
TextLines SplitAtLineFeed(const char* text);

// Pixel width of the first n characters of a text on what will draw it.
class PrefixWidthSource {
  public:
    virtual ~PrefixWidthSource() = default;
    virtual int PrefixWidth(const char* text, int n) const = 0;
};

enum CellAlignment { kAlignLeft = 0, kAlignRight = 2, kAlignCentre = 6 };

// How much of a text to draw in a cell, and where.
struct ClippedText {
    int length; // 0: draw nothing
    int x;
};

// Drops characters from the end until the text fits in width - 2 (one unit
// kept clear on each side), then places it left, right or centred; any other
// alignment is left.
ClippedText ClipText(const PrefixWidthSource& widths, const char* text, int length, int x,
                     int width, int alignment);
