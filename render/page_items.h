// Drawing items of a presentation page: shapes, bitmaps and texts.
#pragma once

#include <cstdint>

// Shape styles besides the rounded-corner sizes (r > 0) and hollow ones (< 0).
constexpr int32_t kStyleSaveArea = 11111;
constexpr int32_t kStyleRestoreArea = 11112;
constexpr int32_t kStyleFill = 11113;

// Text alignment flags as GDI takes them.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignRight = 2;
constexpr int32_t kAlignCentre = 6;

struct PageRect {
    int32_t left, top, right, bottom; // right and bottom exclusive
};

struct ShapeItem {
    int32_t style;
    PageRect rect;
    uint32_t colour; // 0x00BBGGRR
};

struct BitmapItem {
    int32_t bitmapIndex;
    int32_t x, y;
    int32_t scalePercent;
    int32_t rasterOp; // 0: drawn through its mask
};

struct TextItem {
    int32_t textId;
    int32_t x, y;
    int32_t fontIndex;
    int32_t alignment;
    uint32_t colour;
};

struct PageItems {
    int32_t shapeCount;
    const ShapeItem* shapes;
    int32_t bitmapCount;
    const BitmapItem* bitmaps;
    int32_t textCount;
    const TextItem* texts;
};

// Left edge of a text drawn at x with the given alignment and width.
inline int32_t AlignedLeft(int32_t x, int32_t alignment, int32_t width) {
    if (alignment == kAlignLeft)
        return x;
    if (alignment == kAlignCentre)
        return x - width / 2;
    return x - width;
}

// Offset of the page centred in an area; negative when the area is smaller.
inline int32_t CentringOffset(int32_t area, int32_t page) {
    return (area - page) / 2;
}
