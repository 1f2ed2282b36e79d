#include "print/order_page.h"

#include <algorithm>
#include <cstring>

#include "config/catalogue.h"
#include "config/catalogue_scratch.h"
#include "order/amount_mask.h"

namespace {

using Geometry = PrintGeometry;

void DrawPart(PrintSurface& surface, int x, int y, int width, const char* text, int length,
              int alignment) {
    const ClippedText clipped = ClipText(surface, text, length, x, width, alignment);
    if (clipped.length > 0)
        surface.Text(clipped.x, y, text, clipped.length, {x, x + width});
}

int ColumnLeft(const Geometry& g, int column) {
    return g.columns[column - 1];
}
int ColumnWidth(const Geometry& g, int column) {
    return g.columns[column] - g.columns[column - 1];
}

void DrawCentred(PrintSurface& surface, const Geometry& g, int column, int row, const char* text) {
    DrawTextCell(surface, g.lineHeight, ColumnLeft(g, column), RowTextTop(g, row),
                 ColumnWidth(g, column), kAlignCentre, text);
}

void DrawNumber(PrintSurface& surface, const Geometry& g, int column, int row, double amount,
                int count, const char* mask) {
    char text[kMaskedTextSize + 2];
    surface.MaskedNumber(text, amount, count, mask);
    text[sizeof text - 1] = '\0';
    DrawCentred(surface, g, column, row, text);
}

void DrawLetterhead(PrintSurface& surface, const Geometry& g, const OrderPrintData& data) {
    const int lh = g.lineHeight;
    DrawHostTextCell(surface, lh, g.left, g.headTop, g.split - g.leftText, kAlignLeft,
                     kLeftHeadingText);
    const AddressRecord& address = data.catalogue->addresses[0];
    for (int k = 1; k <= kAddressLines; ++k)
        DrawTextCell(surface, lh, g.leftText, g.headTop + k * lh, g.split - g.left, kAlignLeft,
                     address.lines[k - 1]);
    DrawHostTextCell(surface, lh, g.split, g.headTop, g.right - g.split, kAlignLeft,
                     kRightHeadingText);
    const int width = g.right - g.rightText;
    int line = 1;
    for (int slot = 0; slot < 5; ++slot) {
        const char* text = data.orderer[slot];
        if (text && text[0] != '\0')
            DrawTextCell(surface, lh, g.rightText, g.headTop + line++ * lh, width, kAlignLeft,
                         text);
    }
    // The two further fields follow the address after one free line.
    ++line;
    const uint32_t fieldTexts[2] = {kFirstFieldText, kSecondFieldText};
    for (int field = 0; field < 2; ++field) {
        const char* text = data.orderer[5 + field];
        if (text && text[0] != '\0')
            DrawHostTextCell(surface, lh, g.rightText, g.headTop + line++ * lh, width, kAlignLeft,
                             fieldTexts[field], text);
    }
    DrawHostTextCell(surface, lh, g.left, g.secondTop, g.split - g.left, kAlignLeft,
                     kBelowHeadText);
    DrawHostTextCell(surface, lh, g.left, g.secondTop + lh, g.split - g.left, kAlignLeft,
                     kBelowHeadSecondText);
}

void DrawGrid(PrintSurface& surface, const Geometry& g, int rows) {
    const int* c = g.columns;
    const int top = g.tableTop;
    const int rh = g.rowHeight;
    for (int k = 0; k <= rows + 1; ++k) {
        surface.Line(c[0], top + k * rh, c[5], top + k * rh);
        if (k <= 1)
            surface.Line(c[0], top + k * rh + g.unitY, c[5], top + k * rh + g.unitY);
    }
    for (int k = 0; k <= 3; ++k)
        surface.Line(c[k], top, c[k], top + (rows + 1) * rh);
    for (int k = 4; k <= 5; ++k)
        surface.Line(c[k], top, c[k], top + (rows + 3) * rh);
    surface.Line(c[4], top + (rows + 2) * rh, c[5], top + (rows + 2) * rh);
    const int bottom = top + (rows + 3) * rh;
    surface.Line(c[4], bottom, c[5] + 1, bottom);
    surface.Line(c[4], bottom + g.unitY, c[5] + 1, bottom + g.unitY);
}

void DrawHeadings(PrintSurface& surface, const Geometry& g, int rows) {
    for (int column = 1; column <= 5; ++column)
        DrawHostTextCell(surface, g.lineHeight, ColumnLeft(g, column), RowTextTop(g, 0),
                         ColumnWidth(g, column), kAlignCentre,
                         kFirstHeadingText + static_cast<uint32_t>(column - 1));
    const int labelWidth = g.columns[4] - g.columns[2] - 2 * g.unitX;
    DrawHostTextCell(surface, g.lineHeight, g.columns[2], RowTextTop(g, rows + 1), labelWidth,
                     kAlignRight, kTotalText);
    DrawHostTextCell(surface, g.lineHeight, g.columns[2], RowTextTop(g, rows + 2), labelWidth,
                     kAlignRight, kSurchargedTotalText);
}

void DrawItem(PrintSurface& surface, const Geometry& g, const OrderPrintData& data, int row,
              int item) {
    const Catalogue& items = *data.catalogue;
    const int quantity = items.quantities[item];
    const double price = items.prices[item];
    const int lh = g.lineHeight;
    const int y = RowTextTop(g, row);
    const int* c = g.columns;
    DrawNumber(surface, g, 1, row, 0, quantity, kQuantityMask);
    const int language = data.language >= 0 && data.language < kLanguageCount ? data.language : 0;
    if (const ItemTextRow* texts = items.itemTexts[language]) {
        DrawTextCell(surface, lh, c[1] + 2 * g.unitX, y, c[2] - c[1] - 2 * g.unitX, kAlignLeft,
                     texts[item].itemCode);
        DrawTextCell(surface, lh, c[2] + 2 * g.unitX, y, c[3] - c[2] - 2 * g.unitX, kAlignLeft,
                     texts[item].itemText);
    }
    DrawNumber(surface, g, 4, row, price, -1, kPriceMask);
    DrawNumber(surface, g, 5, row, quantity * price, -1, kTotalMask);
}

void DrawFooter(PrintSurface& surface, const Geometry& g, const OrderPrintData& data, int rows) {
    const int lh = g.lineHeight;
    const int* c = g.columns;
    const int footer = FooterTop(g, rows);
    const int labelWidth = c[4] - c[2] - 2 * g.unitX;
    DrawHostTextCell(surface, lh, c[2], footer, labelWidth, kAlignRight, kDateLabelText);
    DrawTextCell(surface, lh, c[4], footer, c[5] - c[4], kAlignLeft, data.date ? data.date : "");
    DrawHostTextCell(surface, lh, c[2], footer + 2 * lh, labelWidth, kAlignRight, kBelowDateText);
    const int language = data.language >= 0 && data.language < kLanguageCount ? data.language : 0;
    for (int k = 0; k < kNoteLines; ++k)
        DrawTextCell(surface, lh, g.left, footer + (3 + k) * lh, c[4] - g.left, kAlignLeft,
                     data.catalogue->noteLines[language][k]);
}

} // namespace

void DrawClippedText(PrintSurface& surface, int x, int y, int width, const char* text,
                     int alignment) {
    DrawPart(surface, x, y, width, text, static_cast<int>(std::strlen(text)), alignment);
}

void DrawTextCell(PrintSurface& surface, int lineHeight, int x, int y, int width, int alignment,
                  const char* text) {
    // Through the shared text buffer, as every cell's text is.
    FillTextMarker("%s", text, scratchText, sizeof scratchText);
    const TextLines lines = SplitAtLineFeed(scratchText);
    DrawPart(surface, x, y, width, scratchText, static_cast<int>(lines.firstLength), alignment);
    if (lines.second && lines.second[0] != '\0')
        DrawClippedText(surface, x, y + lineHeight, width, lines.second, alignment);
}

void DrawHostTextCell(PrintSurface& surface, int lineHeight, int x, int y, int width, int alignment,
                      uint32_t id, const char* value) {
    char hostText[kHostPrintTextSize] = "";
    surface.HostText(id, hostText, sizeof hostText);
    hostText[sizeof hostText - 1] = '\0';
    char filled[kScratchTextSize];
    FillTextMarker(hostText, value, filled, sizeof filled);
    DrawTextCell(surface, lineHeight, x, y, width, alignment, filled);
}

PrintedPage DrawOrderPage(PrintSurface& surface, const PrintGeometry& geometry,
                          const OrderPrintData& data, int rows, int firstItem) {
    DrawLetterhead(surface, geometry, data);
    DrawGrid(surface, geometry, rows);
    DrawHeadings(surface, geometry, rows);
    const Catalogue& items = *data.catalogue;
    const int itemCount = std::min(items.itemCount, kMaxItems);
    PrintedPage page{firstItem, 0, 0.0};
    for (int row = 1; row <= rows; ++row) {
        while (page.nextItem < itemCount && items.quantities[page.nextItem] <= 0)
            ++page.nextItem;
        if (page.nextItem >= itemCount)
            break;
        const int item = page.nextItem++;
        page.pageSum += items.quantities[item] * items.prices[item];
        ++page.itemsDrawn;
        DrawItem(surface, geometry, data, row, item);
    }
    DrawNumber(surface, geometry, 5, rows + 1, page.pageSum, -1, kTotalMask);
    const double surcharged = page.pageSum + page.pageSum * items.surchargePercent * 0.01;
    DrawNumber(surface, geometry, 5, rows + 2, surcharged, -1, kTotalMask);
    DrawFooter(surface, geometry, data, rows);
    return page;
}
