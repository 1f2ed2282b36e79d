// Where everything sits on a printed order page, in printer device units,
// derived from the printer's resolution so the sheet has the same physical
// layout on every printer.
#pragma once

constexpr int kPrintColumnEdges = 6;

// The print font's size for a printer resolution (0 for a bad resolution).
struct PrintFontSize {
    int height;
    int width;
};
PrintFontSize PrintFontSizeFor(int dpiX, int dpiY);

struct PrintGeometry {
    int left, top, right, bottom;
    int lineHeight;
    int unitY, unitX; // u and v: 1/250 of the printable height, 1/300 of the width
    int headTop;      // letterhead
    int secondTop;    // the two lines below the letterhead
    int tableTop;
    int rowHeight;
    int columns[kPrintColumnEdges]; // edges c0..c5 of the five table columns
    int split;                      // between the letterhead's two blocks
    int leftText, rightText;        // text starts of the two blocks
    // Table rows that fit on a page; below 1 the page is too small to print.
    int rowsPerPage;
};

// Geometry for a page `pageHeight` units high at the given resolution, with
// the print font's line height. A resolution or height of 0 or less gives
// rowsPerPage 0.
PrintGeometry ComputePrintGeometry(int pageHeight, int dpiX, int dpiY, int lineHeight);

// Text top of table row `row` (row 0 holds the headings).
int RowTextTop(const PrintGeometry& geometry, int row);
// Top of the footer on a page of `rows` row slots.
int FooterTop(const PrintGeometry& geometry, int rows);

// Pages for `items` ordered items; 0 when rowsPerPage is below 1.
int PageCount(int items, int rowsPerPage);
// Row slots on a page with `remaining` items still to print: a short last
// page keeps at least five slots, never more than a full page.
int RowsOnPage(int rowsPerPage, int remaining);
