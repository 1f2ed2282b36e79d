#include "print/print_surface_win32.h"

#include "order/amount_mask_win32.h"
#include "render/text_measure.h"
#include "session/session.h"

int DcPrintSurface::PrefixWidth(const char* text, int n) const {
    return TextWidth(dc_, text, n);
}

void DcPrintSurface::Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void DcPrintSurface::Text(int x, int y, const char* text, int length, CellSpan cell) {
    // A driver that prints glyphs wider than it measures them would carry
    // the text over the cell's lines; the cell's rectangle stops it there.
    const RECT clip = {cell.left, y, cell.right, y + LineHeight(dc_)};
    ExtTextOutA(dc_, x, y, ETO_CLIPPED, &clip, text, static_cast<UINT>(length), nullptr);
}

void DcPrintSurface::HostText(uint32_t id, char* buffer, int size) {
    GetHostText(id, buffer, size);
}

void DcPrintSurface::MaskedNumber(char* out, double amount, int count, const char* mask) {
    FormatToMask(dc_, out, amount, count, mask);
}
