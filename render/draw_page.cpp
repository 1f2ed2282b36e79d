#include "render/draw_page.h"

#include <algorithm>
#include <cstring>

#include "config/catalogue.h"
#include "render/bitmap_draw.h"
#include "render/page_contents.h"
#include "render/page_text.h"
#include "session/session.h"

RECT savedArea;

namespace {

// The slot for text id -2000; nothing in the system fills it.
char specialText[1] = "";

RECT ToRect(const PageRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

int SaveArea(HDC dc, const ShapeItem& shape) {
    const int width = std::min<LONG>(shape.rect.right - shape.rect.left, kWorkSize);
    const int height = std::min<LONG>(shape.rect.bottom - shape.rect.top, kWorkSize);
    BitBlt(session.workDc, 0, 0, width, height, dc, shape.rect.left, shape.rect.top, SRCCOPY);
    savedArea = ToRect(shape.rect);
    return 0;
}

int RestoreArea(HDC dc, RECT& out) {
    BitBlt(dc, savedArea.left, savedArea.top, savedArea.right - savedArea.left,
           savedArea.bottom - savedArea.top, session.workDc, 0, 0, SRCCOPY);
    out = savedArea;
    return 1;
}

void DrawOutlinedShape(HDC dc, const ShapeItem& shape) {
    const bool filled = shape.style >= 0;
    const int radius = filled ? shape.style : -shape.style - 1;
    HBRUSH brush =
        filled ? CreateSolidBrush(shape.colour) : static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    HPEN pen = CreatePen(PS_SOLID, 1, shape.style == kStyleFill ? shape.colour : RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const PageRect& r = shape.rect;
    if (radius == 0 || shape.style == kStyleFill)
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    else
        RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    if (filled)
        DeleteObject(brush);
}

// The text a text item shows, or false when it shows nothing.
bool ResolveText(int32_t textId, char* out, size_t outSize) {
    if (textId >= 0) {
        char hostText[kHostPageTextSize];
        GetHostText(static_cast<DWORD>(textId), hostText, sizeof hostText);
        return SubstituteHostText(hostText, catalogue, out, outSize);
    }
    return ResolveCatalogueText(textId, catalogue, specialText, out, outSize);
}

void RepaintItem(const RECT& area) {
    InvalidatePageRect(area);
    UpdateWindow(session.hostWindow);
}

} // namespace

int DrawShape(HDC dc, const ShapeItem& shape, RECT& out) {
    if (shape.style == kStyleSaveArea)
        return SaveArea(dc, shape);
    if (shape.style == kStyleRestoreArea)
        return RestoreArea(dc, out);
    DrawOutlinedShape(dc, shape);
    out = ToRect(shape.rect);
    return 1;
}

int DrawTextItem(HDC dc, const TextItem& item, RECT& out) {
    char text[kHostPageTextSize];
    if (!ResolveText(item.textId, text, sizeof text))
        return 0;
    SetTextAlign(dc, static_cast<UINT>(item.alignment));
    SetTextColor(dc, item.colour);
    SetBkMode(dc, TRANSPARENT);
    HFONT font = item.fontIndex >= 0 && item.fontIndex < kFontCount ? session.fonts[item.fontIndex]
                                                                    : nullptr;
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const int length = static_cast<int>(std::strlen(text));
    TextOutA(dc, item.x, item.y, text, length);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &size);
    if (oldFont)
        SelectObject(dc, oldFont);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, OPAQUE);
    out.left = AlignedLeft(item.x, item.alignment, size.cx);
    out.top = item.y;
    out.right = item.x + size.cx;
    out.bottom = item.y + size.cy;
    return 1;
}

void InvalidatePageRect(const RECT& pageRect) {
    RECT r = pageRect;
    OffsetRect(&r, CentringOffset(session.pageAreaWidth, kPageWidth),
               CentringOffset(session.pageAreaHeight, kPageHeight));
    InvalidateRect(session.hostWindow, &r, FALSE);
}

void DrawPage() {
    const int page = session.flow.currentPage;
    // After DemoFree there is no surface left to draw on.
    if (page < 0 || page >= kPageCount || !session.pageDc)
        return;
    const PageItems& items = pageItems[page];
    RECT area;
    for (int i = 0; i < items.shapeCount; ++i)
        if (DrawShape(session.pageDc, items.shapes[i], area))
            RepaintItem(area);
    for (int i = 0; i < items.bitmapCount; ++i) {
        const BitmapItem& bitmap = items.bitmaps[i];
        if (DrawBitmapItem(session.pageDc, bitmap.bitmapIndex, bitmap.x, bitmap.y,
                           bitmap.scalePercent, static_cast<DWORD>(bitmap.rasterOp), area))
            RepaintItem(area);
    }
    for (int i = 0; i < items.textCount; ++i)
        if (DrawTextItem(session.pageDc, items.texts[i], area))
            RepaintItem(area);
}
