// Which bitmap resource a page's bitmap index names on this display, how it
// is drawn there, and the palette an 8-bit bitmap brings along.
#pragma once

#include <cstddef>
#include <cstdint>

// Resource ids of one bitmap index: for displays with fewer than 256
// colours, and for all others.
struct BitmapIdRow {
    int32_t fewColours;
    int32_t manyColours;
};

struct BitmapIdTable {
    const BitmapIdRow* rows;
    int32_t count;
};

// The module's table: one row, (0, 0); no page of the module names a bitmap.
// Tests point it at rows of their own.
extern BitmapIdTable bitmapIdTable;

// What the display reports: GetDeviceCaps NUMCOLORS and SIZEPALETTE.
struct DisplayColours {
    int32_t numColors;
    int32_t sizePalette;
};

// The resource id of `index` for this display, or 0 for an index outside
// the table.
int32_t BitmapResourceId(const BitmapIdTable& table, int32_t index, const DisplayColours& display);

enum class BitmapPath {
    DeviceDependent, // loaded as a bitmap of the display
    NewPalette,      // 2101..2200 on a palette display: its colours become the page palette
    CurrentPalette,  // 2201 and above on a palette display: drawn with the page palette
};
BitmapPath ChooseBitmapPath(int32_t resourceId, const DisplayColours& display);

struct TargetSize {
    int32_t width, height;
};
// The scaled size, truncated; no product overflows.
TargetSize ScaledSize(int32_t width, int32_t height, int32_t percent);

// A bitmap resource (header, colour table, pixels) fit for the palette path.
constexpr size_t kDibHeaderSize = 40;
constexpr size_t kDibColourTableSize = 256 * 4;
struct PaletteDib {
    int32_t width, height;
    const uint8_t* colourTable; // 256 entries of blue, green, red, reserved
    const uint8_t* pixels;
};
// True when the resource is an uncompressed 8-bit bitmap with a 40-byte
// header, one plane, a full colour table and all its pixel rows inside
// `size`; then `dib` points into it.
bool ReadPaletteDib(const void* resource, size_t size, PaletteDib& dib);

// The logical palette block: version 0x300, 256 entries, each the red,
// green and blue of the colour table's entry and flags 0.
constexpr size_t kPaletteBlockSize = 4 + 256 * 4;
void FillPaletteBlock(uint8_t* block, const uint8_t* colourTable);
