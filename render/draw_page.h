// Drawing the current page into the off-screen page, item by item.
#pragma once

#include <windows.h>

#include "render/page_items.h"

// Draws every item of the current page into the page surface; after each
// item the host window repaints just that area.
void DrawPage();

// 1 when an area must be repainted (out receives it), else 0.
int DrawShape(HDC dc, const ShapeItem& shape, RECT& out);
// 1 when a text was drawn (out receives its area), else 0.
int DrawTextItem(HDC dc, const TextItem& text, RECT& out);
// Marks the host window's area showing this page rectangle for repainting.
void InvalidatePageRect(const RECT& pageRect);

// The area remembered by a save-area shape.
extern RECT savedArea;
