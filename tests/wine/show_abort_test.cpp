// The show library reports an abort: the host is told to end, even though a
// script is selected. A negative language asks the show to start plainly.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

TEST(ShowAbort, AbortedShowEndsTheDemonstration) {
    WriteWholeFile("script_c.mst", "slide 5 Aborted|show\nend 4\n");
    const std::string log = "pavlo.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("PAVLO_LOG", log.c_str());
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());
    TestHostWindow host(700, 560);
    ASSERT_EQ(exports.DemoInit(host.handle(), GetModuleHandleA(nullptr),
                               reinterpret_cast<void*>(&TestHostText), "", -1),
              1);
    auto received = [&](int id) {
        return std::any_of(
            host.commands.begin(), host.commands.end(),
            [id](const TestHostWindow::Command& c) { return LOWORD(c.wParam) == id; });
    };
    ASSERT_TRUE(PumpUntil([&] { return received(1903); }, 15000));
    EXPECT_FALSE(received(1901));
    const auto calls = SplitLines(ReadWholeFile(log));
    ASSERT_FALSE(calls.empty());
    EXPECT_NE(calls.front().find(" 12345 12346 0"), std::string::npos)
        << "language -1 starts the show in mode 0: " << calls.front();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Istop"), calls.end());
    EXPECT_EQ(exports.DemoCommand(1903, 0), 4);
    exports.DemoFree();
    exports.Unload();
}

TEST(ShowAbort, ShowWindowForwardsEventsToTheLibrary) {
    // After the session above the class stays registered; drive the window
    // procedure directly as the system would.
    const std::string log = "pavlo-events.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("PAVLO_LOG", log.c_str());
    WriteWholeFile("script_c.mst", "slide 600 Long|slide\n");
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());
    TestHostWindow host(700, 560);
    // A plain child using the module's procedure: WM_CREATE loads the library.
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = exports.PavloWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ShowProbe";
    ASSERT_TRUE(RegisterClassA(&windowClass));
    HWND show = CreateWindowA("ShowProbe", nullptr, WS_CHILD, 0, 0, 100, 100, host.handle(),
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(show, nullptr);
    SendMessageA(show, WM_ACTIVATE, MAKEWPARAM(0, 2), 0);
    SendMessageA(show, WM_ACTIVATE, 2, 0);
    SendMessageA(show, WM_PALETTECHANGED, 0, 0);
    SendMessageA(show, WM_COMMAND, 12345, 0);
    SendMessageA(show, WM_COMMAND, 12345, 0);
    SendMessageA(show, WM_COMMAND, 12346, 7);
    SendMessageA(show, WM_COMMAND, 4711, 0);
    SendMessageA(show, WM_COMMAND, 12345, 1); // over: Istop, the window goes
    EXPECT_FALSE(IsWindow(show));
    const auto calls = SplitLines(ReadWholeFile(log));
    const std::vector<std::string> expected = {"ForcePaint 0", "ForcePaint 1", "ForcePaint 2",
                                               "ForceGo",      "ForceGo",      "ClickedButton 7",
                                               "Istop",        "detach"};
    EXPECT_EQ(calls, expected);
    // The window never became the session's show: nothing is posted to the host.
    PumpMessages(100);
    EXPECT_TRUE(host.commands.empty());
    exports.Unload();
}
