#include "render/bitmap_table.h"

namespace {

const BitmapIdRow kModuleBitmaps[] = {{0, 0}};

constexpr int32_t kFirstNewPaletteId = 2101;
constexpr int32_t kFirstCurrentPaletteId = 2201;

uint32_t Read16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}

uint32_t Read32(const uint8_t* p) {
    return Read16(p) | Read16(p + 2) << 16;
}

bool IsPaletteDisplay(const DisplayColours& display) {
    return display.sizePalette == 256;
}

} // namespace

BitmapIdTable bitmapIdTable = {kModuleBitmaps, 1};

int32_t BitmapResourceId(const BitmapIdTable& table, int32_t index, const DisplayColours& display) {
    if (index < 0 || index >= table.count)
        return 0;
    const bool many =
        display.numColors < 0 || display.numColors >= 256 || IsPaletteDisplay(display);
    return many ? table.rows[index].manyColours : table.rows[index].fewColours;
}

BitmapPath ChooseBitmapPath(int32_t resourceId, const DisplayColours& display) {
    if (!IsPaletteDisplay(display) || resourceId < kFirstNewPaletteId)
        return BitmapPath::DeviceDependent;
    return resourceId < kFirstCurrentPaletteId ? BitmapPath::NewPalette
                                               : BitmapPath::CurrentPalette;
}

TargetSize ScaledSize(int32_t width, int32_t height, int32_t percent) {
    auto scale = [percent](int32_t length) {
        const int64_t scaled = static_cast<int64_t>(length) * percent / 100;
        return static_cast<int32_t>(scaled > INT32_MAX   ? INT32_MAX
                                    : scaled < INT32_MIN ? INT32_MIN
                                                         : scaled);
    };
    return {scale(width), scale(height)};
}

bool ReadPaletteDib(const void* resource, size_t size, PaletteDib& dib) {
    const uint8_t* bytes = static_cast<const uint8_t*>(resource);
    if (!bytes || size < kDibHeaderSize + kDibColourTableSize)
        return false;
    const int32_t width = static_cast<int32_t>(Read32(bytes + 4));
    const int32_t height = static_cast<int32_t>(Read32(bytes + 8));
    const bool header = Read32(bytes) == kDibHeaderSize && Read16(bytes + 12) == 1 &&
                        Read16(bytes + 14) == 8 && Read32(bytes + 16) == 0;
    if (!header || width <= 0 || width > 0x7FFF || height == 0 || height < -0x7FFF ||
        height > 0x7FFF)
        return false;
    // Rows are padded to four bytes.
    const size_t rowBytes = (static_cast<size_t>(width) + 3) / 4 * 4;
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    if (size - kDibHeaderSize - kDibColourTableSize < rowBytes * rows)
        return false;
    dib.width = width;
    dib.height = height;
    dib.colourTable = bytes + kDibHeaderSize;
    dib.pixels = bytes + kDibHeaderSize + kDibColourTableSize;
    return true;
}

void FillPaletteBlock(uint8_t* block, const uint8_t* colourTable) {
    block[0] = 0x00; // version 0x300
    block[1] = 0x03;
    block[2] = 0x00; // 256 entries
    block[3] = 0x01;
    for (int i = 0; i < 256; ++i) {
        const uint8_t* quad = colourTable + 4 * i;
        uint8_t* entry = block + 4 + 4 * i;
        entry[0] = quad[2];
        entry[1] = quad[1];
        entry[2] = quad[0];
        entry[3] = 0;
    }
}
