#include "render/bitmap_draw.h"

#include <climits>

#include "session/session.h"

namespace {

// Replaces the page palette by one made from `colourTable`. When no block
// can be had, the previous palette object stays, as drawing can go on with it.
void BuildPagePalette(const uint8_t* colourTable) {
    if (session.pagePaletteMemory) {
        GlobalUnlock(session.pagePaletteMemory);
        GlobalFree(session.pagePaletteMemory);
        session.pagePaletteMemory = nullptr;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kPaletteBlockSize);
    void* block = memory ? GlobalLock(memory) : nullptr;
    if (!block) {
        if (memory)
            GlobalFree(memory);
        return;
    }
    FillPaletteBlock(static_cast<uint8_t*>(block), colourTable);
    if (session.pagePalette)
        DeleteObject(session.pagePalette);
    session.pagePalette = CreatePalette(static_cast<const LOGPALETTE*>(block));
    session.pagePaletteMemory = memory;
}

// The device-independent path; false when the resource is missing or not an
// 8-bit bitmap, so that the device-dependent path takes over.
bool DrawPaletteBitmap(HDC dc, int32_t id, BitmapPath path, int x, int y, int percent,
                       DWORD rasterOp, TargetSize& target) {
    HRSRC found = FindResourceA(session.moduleInstance, MAKEINTRESOURCEA(id),
                                MAKEINTRESOURCEA(2)); // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(session.moduleInstance, found) : nullptr;
    const void* resource = loaded ? LockResource(loaded) : nullptr;
    PaletteDib dib;
    const bool usable =
        resource && ReadPaletteDib(resource, SizeofResource(session.moduleInstance, found), dib);
    if (usable) {
        if (path == BitmapPath::NewPalette)
            BuildPagePalette(dib.colourTable);
        HPALETTE previous = nullptr;
        if (session.pagePalette) {
            previous = SelectPalette(dc, session.pagePalette, FALSE);
            RealizePalette(dc);
        }
        target = ScaledSize(dib.width, dib.height, percent);
        if (target.width > 0 && target.height > 0)
            StretchDIBits(dc, x, y, target.width, target.height, 0, 0, dib.width, dib.height,
                          dib.pixels, static_cast<const BITMAPINFO*>(resource), DIB_RGB_COLORS,
                          rasterOp);
        if (previous)
            SelectPalette(dc, previous, FALSE);
    }
    if (loaded)
        FreeResource(loaded);
    return usable;
}

// The device-dependent path; false when the bitmap cannot be loaded.
bool DrawDeviceBitmap(HDC dc, int32_t id, int x, int y, int percent, DWORD rasterOp,
                      TargetSize& target) {
    HDC memoryDc = CreateCompatibleDC(dc);
    HBITMAP bitmap = LoadBitmapA(session.moduleInstance, MAKEINTRESOURCEA(id));
    if (!bitmap) {
        if (memoryDc)
            DeleteDC(memoryDc);
        return false;
    }
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    if (percent == 100) {
        target = {size.bmWidth, size.bmHeight};
        BitBlt(dc, x, y, size.bmWidth, size.bmHeight, memoryDc, 0, 0, rasterOp);
    } else {
        target = ScaledSize(size.bmWidth, size.bmHeight, percent);
        if (target.width > 0 && target.height > 0)
            StretchBlt(dc, x, y, target.width, target.height, memoryDc, 0, 0, size.bmWidth,
                       size.bmHeight, rasterOp);
    }
    SelectObject(memoryDc, previous);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    return true;
}

} // namespace

int DrawBitmapFor(HDC dc, const DisplayColours& display, int index, int x, int y, int percent,
                  DWORD rasterOp, RECT& out) {
    if (index < 0 || index >= bitmapIdTable.count)
        return 0;
    const int32_t id = BitmapResourceId(bitmapIdTable, index, display);
    const BitmapPath path = ChooseBitmapPath(id, display);
    TargetSize target = {0, 0};
    const bool drawn = path != BitmapPath::DeviceDependent &&
                       DrawPaletteBitmap(dc, id, path, x, y, percent, rasterOp, target);
    if (!drawn && !DrawDeviceBitmap(dc, id, x, y, percent, rasterOp, target))
        return 0;
    if (rasterOp == SRCAND || target.width <= 0 || target.height <= 0)
        return 0;
    out = RECT{x, y, x + target.width, y + target.height};
    return 1;
}

int DrawBitmap(HDC dc, int index, int x, int y, int percent, DWORD rasterOp, RECT& out) {
    const DisplayColours display = {GetDeviceCaps(dc, NUMCOLORS), GetDeviceCaps(dc, SIZEPALETTE)};
    return DrawBitmapFor(dc, display, index, x, y, percent, rasterOp, out);
}

int DrawBitmapItem(HDC dc, int index, int x, int y, int percent, DWORD rasterOp, RECT& out) {
    if (rasterOp != 0)
        return DrawBitmap(dc, index, x, y, percent, rasterOp, out);
    DrawBitmap(dc, index, x, y, percent, SRCAND, out);
    const int image = index < INT_MAX ? index + 1 : -1;
    return DrawBitmap(dc, image, x, y, percent, SRCPAINT, out);
}
