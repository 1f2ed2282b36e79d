// Page items drawn on real device contexts and read back pixel by pixel.
#include <gtest/gtest.h>

#include "config/catalogue.h"
#include "frame/exports.h"
#include "render/draw_page.h"
#include "test_support.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

COLORREF At(const MemorySurface& s, int x, int y) {
    return PixelAt(s.dc(), x, y) & 0xFFFFFF;
}

class DrawingTest : public ::testing::Test {
  protected:
    MemorySurface page{200, 120};
    MemorySurface work{256, 256};
    RECT out{};

    void SetUp() override {
        session = DemoSession{};
        session.workDc = work.dc();
        session.hostTextCallback = TestHostText;
        EmptyCatalogue();
    }
    void TearDown() override { session = DemoSession{}; }
    int Draw(int32_t style, PageRect r, COLORREF colour) {
        return DrawShape(page.dc(), ShapeItem{style, r, colour}, out);
    }
};

TEST_F(DrawingTest, FillStyleHasNoBlackOutline) {
    ASSERT_EQ(Draw(kStyleFill, {10, 10, 50, 40}, kRed), 1);
    EXPECT_EQ(At(page, 10, 10), kRed);
    EXPECT_EQ(At(page, 49, 39), kRed);
    EXPECT_EQ(At(page, 50, 40), kWhite) << "right and bottom are exclusive";
    EXPECT_EQ(out.left, 10);
    EXPECT_EQ(out.bottom, 40);
}

TEST_F(DrawingTest, FilledStylesHaveABlackBorder) {
    Draw(0, {10, 10, 50, 40}, kGreen);
    EXPECT_EQ(At(page, 10, 10), kBlack);
    EXPECT_EQ(At(page, 49, 25), kBlack);
    EXPECT_EQ(At(page, 11, 11), kGreen);
    Draw(5, {60, 10, 100, 40}, kGreen); // rounded corners of 5 x 5
    EXPECT_EQ(At(page, 60, 10), kWhite) << "the corner is cut";
    EXPECT_EQ(At(page, 80, 10), kBlack);
    EXPECT_EQ(At(page, 80, 25), kGreen);
}

TEST_F(DrawingTest, HollowStylesLeaveTheInsideAlone) {
    Draw(kStyleFill, {0, 0, 200, 120}, kRed);
    Draw(-1, {10, 10, 50, 40}, kGreen);
    EXPECT_EQ(At(page, 10, 10), kBlack);
    EXPECT_EQ(At(page, 30, 25), kRed);
    Draw(-6, {60, 10, 100, 40}, kGreen); // corner ellipse 5 x 5
    EXPECT_EQ(At(page, 60, 10), kRed);
    EXPECT_EQ(At(page, 80, 10), kBlack);
    EXPECT_EQ(At(page, 80, 25), kRed);
}

TEST_F(DrawingTest, SaveAndRestoreAnArea) {
    Draw(kStyleFill, {20, 20, 60, 60}, kGreen);
    EXPECT_EQ(Draw(kStyleSaveArea, {10, 10, 70, 70}, 0), 0) << "saving repaints nothing";
    Draw(kStyleFill, {0, 0, 200, 120}, kRed);
    ASSERT_EQ(Draw(kStyleRestoreArea, {0, 0, 1, 1}, 0), 1);
    EXPECT_EQ(out.left, 10);
    EXPECT_EQ(out.right, 70);
    EXPECT_EQ(At(page, 10, 10), kWhite);
    EXPECT_EQ(At(page, 30, 30), kGreen);
    EXPECT_EQ(At(page, 75, 75), kRed) << "outside the saved area";
}

TEST_F(DrawingTest, TextItemReportsItsAreaAndResetsTheDc) {
    hostTexts[9001] = "Centre me";
    SetTextAlign(page.dc(), TA_RIGHT);
    SetTextColor(page.dc(), kRed);
    SetBkMode(page.dc(), TRANSPARENT);
    ASSERT_EQ(DrawTextItem(page.dc(), TextItem{9001, 100, 30, 0, kAlignCentre, kGreen}, out), 1);
    SIZE size;
    GetTextExtentPoint32A(page.dc(), "Centre me", 9, &size);
    EXPECT_EQ(out.left, 100 - size.cx / 2);
    EXPECT_EQ(out.right, 100 + size.cx);
    EXPECT_EQ(out.top, 30);
    EXPECT_EQ(out.bottom, 30 + size.cy);
    const RECT ink = page.InkBounds();
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 2) << "centred on x";
    EXPECT_EQ(GetTextAlign(page.dc()), 0u);
    EXPECT_EQ(GetTextColor(page.dc()) & 0xFFFFFF, kBlack);
    EXPECT_EQ(GetBkMode(page.dc()), OPAQUE);
}

TEST_F(DrawingTest, TextsThatResolveToNothingAreNotDrawn) {
    hostTexts[9002] = "Prices in %s";
    hostTexts[9003] = "Label %c";
    for (int32_t id : {9999, 9002, 9003, -3, -1000 - 8, -2000}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(DrawTextItem(page.dc(), TextItem{id, 10, 10, 0, kAlignLeft, kBlack}, out), 0);
    }
    EXPECT_EQ(page.InkBounds().right, 0);
}

TEST_F(DrawingTest, RepaintAreaFollowsTheCentredPage) {
    TestHostWindow host(700, 560);
    session.hostWindow = host.handle();
    session.pageAreaWidth = 636;  // dx = -1
    session.pageAreaHeight = 500; // dy = 45
    ValidateRect(host.handle(), nullptr);
    InvalidatePageRect(RECT{10, 20, 30, 40});
    RECT update;
    ASSERT_TRUE(GetUpdateRect(host.handle(), &update, FALSE));
    EXPECT_EQ(update.left, 9);
    EXPECT_EQ(update.top, 65);
    EXPECT_EQ(update.right, 29);
    EXPECT_EQ(update.bottom, 85);
    session.hostWindow = nullptr;
}

} // namespace
