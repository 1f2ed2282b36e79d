// Drawing the module's bitmap resources onto a page, scaled, plainly or
// through a mask, with the page palette on 256-colour palette displays.
#pragma once

#include <windows.h>

#include "render/bitmap_table.h"

// Raster operation 0 draws index with SRCAND (the mask), then index + 1
// with SRCPAINT (the image); any other is used as it stands. 1 when an area
// must be repainted (out receives it), else 0.
int DrawBitmapItem(HDC dc, int index, int x, int y, int percent, DWORD rasterOp, RECT& out);

// Draws one bitmap of bitmapIdTable; same result rule. A SRCAND pass
// reports nothing.
int DrawBitmap(HDC dc, int index, int x, int y, int percent, DWORD rasterOp, RECT& out);

// The same with the display's colours given, so that both paths can be
// drawn on any display.
int DrawBitmapFor(HDC dc, const DisplayColours& display, int index, int x, int y, int percent,
                  DWORD rasterOp, RECT& out);
