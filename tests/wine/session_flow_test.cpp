// A whole session as a host runs it: the show over page 0 ends and asks for
// the next page, page 1 stays three seconds, then the script phase begins.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

namespace {

constexpr int kNext = 1901;
constexpr int kEnd = 1903;

bool Received(const TestHostWindow& host, int id) {
    return std::any_of(host.commands.begin(), host.commands.end(),
                       [id](const TestHostWindow::Command& c) { return LOWORD(c.wParam) == id; });
}

int RowHeightOfTheScreen() {
    HDC screen = GetDC(nullptr);
    SIZE size;
    GetTextExtentPoint32A(screen, "X", 1, &size);
    ReleaseDC(nullptr, screen);
    return size.cy * 3 / 2;
}

// Where the page lands when painted into a black surface: the page is white.
RECT PagePlacement(const ModuleExports& exports, int width, int height) {
    MemorySurface surface(width, height);
    RECT all = {0, 0, width, height};
    FillRect(surface.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_NE(exports.DemoPaint(surface.dc()), 0);
    RECT box = {width, height, 0, 0};
    for (int y = 0; y < height; y += 1)
        for (int x = 0; x < width; x += 1)
            if ((GetPixel(surface.dc(), x, y) & 0xFFFFFF) == 0xFFFFFF) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

TEST(SessionFlow, ShowThenPagesThenScriptPhase) {
    WriteWholeFile("script_c.mst", "slide 2 Test|one short slide\nend 1\n");
    const std::string log = "pavlo.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("PAVLO_LOG", log.c_str());
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());

    // A page area of 500 x 300: the page is centred with negative offsets.
    TestHostWindow host(500, 300 + 60 + RowHeightOfTheScreen() + 6);
    ASSERT_EQ(exports.DemoInit(host.handle(), GetModuleHandleA(nullptr),
                               reinterpret_cast<void*>(&TestHostText), "", 0),
              1);
    EXPECT_EQ(exports.DemoInit(host.handle(), GetModuleHandleA(nullptr),
                               reinterpret_cast<void*>(&TestHostText), "", 0),
              0)
        << "second open";
    ASSERT_NE(FindWindowExA(host.handle(), nullptr, "PavloWCl", nullptr), nullptr);

    // Page 0 waits for the show, however often the host ticks.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(exports.DemoTick(host.handle()), 0);
    EXPECT_EQ(exports.DemoCommand(1902, 0), 0) << "no page before page 0";

    ASSERT_TRUE(PumpUntil([&] { return Received(host, kNext); }, 15000)) << "show never ended";
    EXPECT_FALSE(Received(host, kEnd));
    EXPECT_EQ(FindWindowExA(host.handle(), nullptr, "PavloWCl", nullptr), nullptr);
    const auto calls = SplitLines(ReadWholeFile(log));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().rfind("Istart ", 0), 0u);
    EXPECT_NE(calls.front().find(" script_c.mst 12345 12346 1"), std::string::npos)
        << calls.front();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ForceGo"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Istop"), calls.end());
    EXPECT_EQ(calls.back(), "detach") << "the library is released when the show ends";

    // Page 0 is a white page, centred in the page area with negative offsets:
    // (-69, -55) for the 500 x 300 area asked for. Without a window manager
    // the client may not get the exact height, so dy follows the real one.
    RECT client;
    GetClientRect(host.handle(), &client);
    ASSERT_EQ(client.right, 500);
    const int areaHeight = client.bottom - 30 - RowHeightOfTheScreen() - 6;
    const int dx = -69;
    const int dy = (areaHeight - 410) / 2;
    ASSERT_LT(dy, 0);
    RECT page = PagePlacement(exports, 600, 400);
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.top, 0);
    EXPECT_EQ(page.right, 638 + dx);
    EXPECT_EQ(page.bottom, 410 + dy);

    // Next shows page 1 with host text 8318 centred on x = 319, top at y = 220.
    ASSERT_EQ(exports.DemoCommand(kNext, 0), 0);
    const DWORD shownAt = GetTickCount();
    {
        MemorySurface surface(600, 400);
        exports.DemoPaint(surface.dc());
        const RECT ink = surface.InkBounds();
        EXPECT_GT(ink.right, ink.left) << "the text is drawn";
        EXPECT_NEAR((ink.left + ink.right) / 2.0, 319 + dx, 3);
        EXPECT_GE(ink.top, 220 + dy);
        EXPECT_LE(ink.bottom, 220 + dy + 24);
    }

    // About three seconds later a tick leads into the script phase.
    int result = 0;
    DWORD endedAt = 0;
    PumpUntil(
        [&] {
            result = exports.DemoTick(host.handle());
            endedAt = GetTickCount();
            return result != 0;
        },
        6000);
    EXPECT_EQ(result, 3);
    EXPECT_GE(endedAt - shownAt, 2950u);
    EXPECT_LE(endedAt - shownAt, 3400u);

    // Script phase: pages are over; a dead window runs nothing.
    EXPECT_EQ(exports.DemoTick(nullptr), 0);
    EXPECT_EQ(exports.DemoTick(host.handle()), 0);
    EXPECT_EQ(exports.DemoCommand(kNext, 0), 0);
    MemorySurface surface(64, 64);
    EXPECT_EQ(exports.DemoPaint(surface.dc()), 0) << "pages are not painted in the script phase";
    EXPECT_EQ(exports.DemoCommand(kEnd, 0), 4);

    exports.DemoFree();
    exports.DemoFree();
    EXPECT_EQ(exports.DemoInit(nullptr, nullptr, nullptr, "", 2), 1)
        << "restart still finds the session";
    exports.Unload();
}

} // namespace
