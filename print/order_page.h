// One printed page of the order: letterhead, orderer, the item table with
// its grid, the page totals and the footer, drawn on any surface that can
// measure and draw text and lines.
#pragma once

#include <cstdint>

#include "print/print_geometry.h"
#include "print/print_text.h"

struct Catalogue;

constexpr int kPrintOrdererSlots = 7;
constexpr int kHostPrintTextSize = 99;

// Host text ids of the printout.
enum PrintTextId : uint32_t {
    kLeftHeadingText = 8301,
    kRightHeadingText = 8302,
    kFirstFieldText = 8303,
    kSecondFieldText = 8304,
    kBelowHeadText = 8305,
    kBelowHeadSecondText = 8306,
    kDateLabelText = 8307,
    kBelowDateText = 8308,
    kFirstHeadingText = 8309, // ..8313, one per column
    kTotalText = 8314,
    kSurchargedTotalText = 8315,
};

// A text cell's span across the page; right is outside it.
struct CellSpan {
    int left, right;
};

// What a page is drawn on: a printer in the module, a recorder in tests.
class PrintSurface : public PrefixWidthSource {
  public:
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Draws a text measured to fit `cell` with its top at y. No ink may leave
    // the cell's span or the text's line, even where the device prints its
    // glyphs wider than it measured them.
    virtual void Text(int x, int y, const char* text, int length, CellSpan cell) = 0;
    // The host's text `id` into `buffer` (empty when it has none).
    virtual void HostText(uint32_t id, char* buffer, int size) = 0;
    // The count (0 or more) or amount (count negative) padded to `mask` in
    // the page's font; `out` holds at least 30 bytes.
    virtual void MaskedNumber(char* out, double amount, int count, const char* mask) = 0;
};

struct OrderPrintData {
    const Catalogue* catalogue;
    int language;                            // 0..6; another value reads language 0
    const char* orderer[kPrintOrdererSlots]; // address lines 0..4, fields 5 and 6
    const char* date;
};

// Text cells: the text cut at its first line feed, the first part at y and a
// non-empty second part one line lower, each cut to the cell.
void DrawClippedText(PrintSurface& surface, int x, int y, int width, const char* text,
                     int alignment);
void DrawTextCell(PrintSurface& surface, int lineHeight, int x, int y, int width, int alignment,
                  const char* text);
// The host's text `id` with `value` in its one marker (see FillTextMarker).
void DrawHostTextCell(PrintSurface& surface, int lineHeight, int x, int y, int width, int alignment,
                      uint32_t id, const char* value = nullptr);

struct PrintedPage {
    int nextItem;   // where the next page's search for ordered items starts
    int itemsDrawn; // ordered items on this page
    double pageSum; // quantity x price over this page's items
};

// Draws one page with `rows` row slots, filling them with the ordered items
// (quantity above 0) from item index `firstItem` on.
PrintedPage DrawOrderPage(PrintSurface& surface, const PrintGeometry& geometry,
                          const OrderPrintData& data, int rows, int firstItem);
