#include "print/print_geometry.h"

#include <algorithm>

// Fractions are applied as exact ratios of integers and truncated, so a
// product that is mathematically whole never loses one unit to a binary
// fraction just below it.
namespace {

int Fraction(int value, int numerator, int denominator) {
    return static_cast<int>(static_cast<long long>(value) * numerator / denominator);
}

} // namespace

PrintFontSize PrintFontSizeFor(int dpiX, int dpiY) {
    if (dpiX <= 0 || dpiY <= 0)
        return {0, 0};
    return {Fraction(dpiY, 186, 1000), Fraction(dpiX, 63, 1000)};
}

PrintGeometry ComputePrintGeometry(int pageHeight, int dpiX, int dpiY, int lineHeight) {
    PrintGeometry g{};
    if (pageHeight <= 0 || dpiX <= 0 || dpiY <= 0 || lineHeight < 0)
        return g;
    const int lh = lineHeight;
    g.lineHeight = lh;
    g.left = dpiX / 4;
    g.top = dpiY / 4;
    g.right = Fraction(dpiX, 15, 2) + g.left;
    g.bottom = pageHeight - dpiY / 2;
    g.unitY = (g.bottom - g.top) / 250;
    const int width = g.right - g.left;
    g.unitX = width / 300;
    g.headTop = g.top + 2 * lh;
    g.secondTop = g.headTop + 10 * lh;
    g.tableTop = g.secondTop + Fraction(lh, 5, 2);
    g.rowHeight = 2 * g.unitY + lh;
    const int percents[kPrintColumnEdges] = {0, 10, 26, 66, 83, 100};
    for (int k = 0; k < kPrintColumnEdges; ++k)
        g.columns[k] = g.left + Fraction(width, percents[k], 100);
    g.columns[kPrintColumnEdges - 1] = g.right;
    g.split = g.left + Fraction(width, 6, 10);
    g.leftText = g.left + 10 * g.unitX;
    g.rightText = g.split + 10 * g.unitX;
    // A row height of 0 (no font, no page) fits no rows rather than dividing.
    if (g.rowHeight > 0)
        g.rowsPerPage = std::max(0, (g.bottom - 5 * lh - g.tableTop) / g.rowHeight - 3);
    return g;
}

int RowTextTop(const PrintGeometry& geometry, int row) {
    return geometry.tableTop + geometry.unitY + row * geometry.rowHeight;
}

int FooterTop(const PrintGeometry& geometry, int rows) {
    return (rows + 3) * geometry.rowHeight + geometry.tableTop + 3 * geometry.lineHeight;
}

int PageCount(int items, int rowsPerPage) {
    if (rowsPerPage < 1 || items <= 0)
        return 0;
    return (items + rowsPerPage - 1) / rowsPerPage;
}

int RowsOnPage(int rowsPerPage, int remaining) {
    if (remaining >= rowsPerPage)
        return rowsPerPage;
    return std::min(rowsPerPage, std::max(remaining, 5));
}
