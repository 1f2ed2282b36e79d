// The session record behind the exports: what opening, restarting and
// freeing a session leave in it.
#include <gtest/gtest.h>

#include "frame/exports.h"
#include "frame/font_fit.h"
#include "test_support.h"

namespace {

class SessionTest : public ::testing::Test {
  protected:
    TestHostWindow* host = nullptr;

    void SetUp() override {
        WriteWholeFile("script_c.mst", "slide 600 Long|slide\n");
        session = DemoSession{};
        session.moduleInstance = GetModuleHandleA(nullptr);
    }
    void TearDown() override {
        DemoFree();
        delete host; // takes the show window along
        host = nullptr;
        UnregisterClassA("PavloWCl", GetModuleHandleA(nullptr));
        session = DemoSession{};
    }
    int Open(int language, int width = 700, int height = 560) {
        host = new TestHostWindow(width, height);
        return DemoInit(host->handle(), GetModuleHandleA(nullptr), TestHostText, "", language);
    }
};

TEST_F(SessionTest, LanguageArgumentSetsLanguageAndShowMode) {
    struct Case {
        int argument, language, showStartMode;
    } cases[] = {{-1, 0, 0}, {6, 6, 1}, {9, 0, 1}, {-7, 6, 0}, {-9, 0, 0}, {0, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        ASSERT_EQ(Open(c.argument), 1);
        EXPECT_EQ(session.language, c.language);
        EXPECT_EQ(session.showStartMode, c.showStartMode);
        TearDown();
        SetUp();
    }
}

TEST_F(SessionTest, OpenFetchesTheTitleAndBuildsTheSurfaces) {
    ASSERT_EQ(Open(0), 1);
    EXPECT_STREQ(session.titleText, "Test Demonstration");
    EXPECT_NE(session.bigCursor, nullptr);
    EXPECT_EQ(session.flow.phase, kPagePhase);
    EXPECT_EQ(session.flow.pageCount, 2);
    EXPECT_EQ(session.flow.currentPage, 0);
    EXPECT_EQ(session.flow.stepCount, 68) << "script 0 selected";
    BITMAP page, work;
    ASSERT_TRUE(GetObjectA(session.pageBitmap, sizeof page, &page));
    EXPECT_EQ(page.bmWidth, 638);
    EXPECT_EQ(page.bmHeight, 410);
    ASSERT_TRUE(GetObjectA(session.workBitmap, sizeof work, &work));
    EXPECT_EQ(work.bmWidth, 256);
    EXPECT_EQ(work.bmHeight, 256);
    EXPECT_EQ(GetCurrentObject(session.pageDc, OBJ_BITMAP), session.pageBitmap);
    EXPECT_EQ(PixelAt(session.pageDc, 0, 0) & 0xFFFFFF, 0xFFFFFFu) << "page 0 clears the page";
    EXPECT_EQ(PixelAt(session.pageDc, 637, 409) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(SessionTest, PageFontsAreBoldAndTheirBFits) {
    ASSERT_EQ(Open(0), 1);
    HDC dc = GetDC(host->handle());
    for (int i = 0; i < kFontCount; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(session.fonts[i], nullptr);
        LOGFONTA font;
        ASSERT_TRUE(GetObjectA(session.fonts[i], sizeof font, &font));
        EXPECT_EQ(font.lfHeight, kPageFonts[i].height);
        EXPECT_EQ(font.lfWeight, FW_BOLD);
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(font.lfOutPrecision, OUT_STROKE_PRECIS);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
        EXPECT_EQ(font.lfPitchAndFamily & 0xF0, kPageFonts[i].swiss ? FF_SWISS : FF_ROMAN);
        EXPECT_STREQ(font.lfFaceName, kPageFonts[i].swiss ? "MS Sans Serif" : "");
        HGDIOBJ old = SelectObject(dc, session.fonts[i]);
        SIZE size;
        GetTextExtentPoint32A(dc, "B", 1, &size);
        SelectObject(dc, old);
        EXPECT_TRUE(size.cx <= kPageFonts[i].widestB || font.lfWidth == 1)
            << "B is " << size.cx << " wide at width " << font.lfWidth;
    }
    ReleaseDC(host->handle(), dc);
}

TEST_F(SessionTest, PageAreaComesFromTheClientLessRowsAndMargins) {
    ASSERT_EQ(Open(0, 400, 300), 1);
    RECT client;
    GetClientRect(host->handle(), &client);
    HDC screen = GetDC(nullptr);
    SIZE x;
    GetTextExtentPoint32A(screen, "X", 1, &x);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(session.pageAreaWidth, client.right);
    EXPECT_EQ(session.pageAreaHeight, client.bottom - 30 - x.cy * 3 / 2 - 6);
}

TEST_F(SessionTest, RestartChangesOnlyTheLanguage) {
    ASSERT_EQ(Open(-4), 1); // language 3, plain show
    for (int argument : {-3, 7}) {
        EXPECT_EQ(DemoInit(nullptr, nullptr, nullptr, nullptr, argument), 1);
        EXPECT_EQ(session.language, 0);
    }
    EXPECT_EQ(DemoInit(host->handle(), nullptr, TestHostText, "", 5), 1) << "any null argument";
    EXPECT_EQ(session.language, 5);
    EXPECT_EQ(session.showStartMode, 0);
    EXPECT_EQ(session.flow.currentPage, 0);
}

TEST_F(SessionTest, FreeReleasesEverythingAndCanRunTwice) {
    ASSERT_EQ(Open(0), 1);
    HFONT font = session.fonts[1];
    HBITMAP page = session.pageBitmap;
    DemoFree();
    EXPECT_EQ(GetObjectType(font), 0u) << "font deleted";
    EXPECT_EQ(GetObjectType(page), 0u) << "bitmap deleted";
    EXPECT_EQ(session.pageDc, nullptr);
    EXPECT_EQ(session.pageBitmap, nullptr);
    EXPECT_EQ(session.workDc, nullptr);
    EXPECT_EQ(session.workBitmap, nullptr);
    EXPECT_EQ(session.bigCursor, nullptr);
    for (HFONT f : session.fonts)
        EXPECT_EQ(f, nullptr);
    EXPECT_NE(session.hostWindow, nullptr) << "the session stays open";
    DemoFree();

    // Restarting draws page 0 again: with nothing left to draw on, nothing happens.
    EXPECT_EQ(DemoInit(nullptr, nullptr, nullptr, "", 1), 1);
    EXPECT_EQ(DemoInit(host->handle(), GetModuleHandleA(nullptr), TestHostText, "", 0), 0);
    MemorySurface surface(32, 32);
    EXPECT_EQ(DemoPaint(surface.dc()), 0);
}

} // namespace
