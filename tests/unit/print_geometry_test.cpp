#include <gtest/gtest.h>

#include "print/print_geometry.h"

namespace {

// A4 at 300 dpi as a printer reports it, with the print font's line height.
constexpr int kA4Height = 3508;
constexpr int kA4LineHeight = 55;

TEST(PrintGeometry, A4At300DpiPlacesTheSheet) {
    const PrintGeometry g = ComputePrintGeometry(kA4Height, 300, 300, kA4LineHeight);
    EXPECT_EQ(g.left, 75);
    EXPECT_EQ(g.top, 75);
    EXPECT_EQ(g.right, 2325);  // 7.5 inches right of the left edge
    EXPECT_EQ(g.bottom, 3358); // half an inch above the page's end
    EXPECT_EQ(g.unitY, 13);    // 3283 / 250
    EXPECT_EQ(g.unitX, 7);     // 2250 / 300
    EXPECT_EQ(g.headTop, 185);
    EXPECT_EQ(g.secondTop, 735);
    EXPECT_EQ(g.tableTop, 872); // 2.5 line heights truncated: 137
    EXPECT_EQ(g.rowHeight, 81);
    const int edges[kPrintColumnEdges] = {75, 300, 660, 1560, 1942, 2325};
    for (int k = 0; k < kPrintColumnEdges; ++k)
        EXPECT_EQ(g.columns[k], edges[k]) << "edge " << k;
    EXPECT_EQ(g.split, 1425);
    EXPECT_EQ(g.leftText, 145);
    EXPECT_EQ(g.rightText, 1495);
    EXPECT_EQ(g.rowsPerPage, 24); // (3358 - 275 - 872) / 81 - 3
    EXPECT_EQ(RowTextTop(g, 0), 885);
    EXPECT_EQ(RowTextTop(g, 2), 885 + 162);
    EXPECT_EQ(FooterTop(g, 5), 8 * 81 + 872 + 165);
}

TEST(PrintGeometry, FractionsTruncate) {
    // 7.5 x 301 = 2257.5, 0.186 x 301 = 55.986, 0.063 x 301 = 18.963.
    const PrintGeometry g = ComputePrintGeometry(3000, 301, 301, 51);
    EXPECT_EQ(g.right, 2257 + 75);
    EXPECT_EQ(g.tableTop, g.secondTop + 127);
    const PrintFontSize font = PrintFontSizeFor(301, 301);
    EXPECT_EQ(font.height, 55);
    EXPECT_EQ(font.width, 18);
    EXPECT_EQ(PrintFontSizeFor(600, 600).height, 111);
    EXPECT_EQ(PrintFontSizeFor(600, 600).width, 37);
}

TEST(PrintGeometry, PagesForOrdersOfDifferentSizes) {
    const int perPage = ComputePrintGeometry(kA4Height, 300, 300, kA4LineHeight).rowsPerPage;
    EXPECT_EQ(PageCount(3, perPage), 1);
    EXPECT_EQ(PageCount(20, perPage), 1);
    EXPECT_EQ(PageCount(24, perPage), 1);
    EXPECT_EQ(PageCount(25, perPage), 2);
    EXPECT_EQ(PageCount(45, perPage), 2);
    EXPECT_EQ(PageCount(50, perPage), 3);
    EXPECT_EQ(PageCount(0, perPage), 0);
}

TEST(PrintGeometry, ShortLastPageKeepsFiveSlots) {
    EXPECT_EQ(RowsOnPage(20, 3), 5); // three items, two empty slots
    EXPECT_EQ(RowsOnPage(20, 7), 7);
    EXPECT_EQ(RowsOnPage(20, 20), 20);
    EXPECT_EQ(RowsOnPage(20, 45), 20); // a full page
    EXPECT_EQ(RowsOnPage(3, 2), 3);    // never more than a page holds
    EXPECT_EQ(RowsOnPage(24, 21), 21); // second page of 45 items
}

TEST(PrintGeometry, PageTooSmallForOneRowHoldsNone) {
    // Half an inch of paper: the bottom lies above the table.
    EXPECT_EQ(ComputePrintGeometry(150, 300, 300, kA4LineHeight).rowsPerPage, 0);
    EXPECT_EQ(PageCount(3, 0), 0);
    EXPECT_EQ(PageCount(3, -2), 0);
    // No resolution or no height: nothing to compute from.
    EXPECT_EQ(ComputePrintGeometry(kA4Height, 0, 300, kA4LineHeight).rowsPerPage, 0);
    EXPECT_EQ(ComputePrintGeometry(kA4Height, 300, -1, kA4LineHeight).rowsPerPage, 0);
    EXPECT_EQ(ComputePrintGeometry(0, 300, 300, kA4LineHeight).rowsPerPage, 0);
    EXPECT_EQ(PrintFontSizeFor(0, 300).height, 0);
    // Row height 0 (a 1-dpi page with no line height) must not divide.
    EXPECT_EQ(ComputePrintGeometry(100, 1, 1, 0).rowsPerPage, 0);
}

} // namespace
