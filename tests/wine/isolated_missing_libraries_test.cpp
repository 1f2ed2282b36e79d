// The module alone in its folder: no show library and no interface library.
// It still loads, runs its pages and answers the port calls as "not there".
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

namespace {

bool Received(const TestHostWindow& host, int id) {
    return std::any_of(host.commands.begin(), host.commands.end(),
                       [id](const TestHostWindow::Command& c) { return LOWORD(c.wParam) == id; });
}

} // namespace

TEST(MissingLibraries, PortCallsReportTheLibraryMissing) {
    ASSERT_EQ(GetFileAttributesA((ProgramFolder() + "FENNIK.DLL").c_str()),
              INVALID_FILE_ATTRIBUTES);
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());
    EXPECT_EQ(exports.SetIC(1, 2, 3, 4, 5, 6), -1);
    EXPECT_EQ(exports.CloseIC(), 0);
    EXPECT_EQ(exports.OpenIC(0, 0, 0, 0, 0, 0, 0), 1);
    exports.Unload();
}

TEST(MissingLibraries, WithoutTheShowDemoInitAsksForTheNextPage) {
    ASSERT_EQ(GetFileAttributesA((ProgramFolder() + "PAVLO.DLL").c_str()),
              INVALID_FILE_ATTRIBUTES);
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());
    TestHostWindow host(700, 560);
    ASSERT_EQ(exports.DemoInit(host.handle(), GetModuleHandleA(nullptr),
                               reinterpret_cast<void*>(&TestHostText), "", 0),
              1);
    EXPECT_EQ(FindWindowExA(host.handle(), nullptr, "PavloWCl", nullptr), nullptr)
        << "the empty show window is destroyed again";
    PumpMessages(200);
    // Script 0 is selected, so the module posts "next" itself, exactly once.
    EXPECT_TRUE(Received(host, 1901));
    EXPECT_FALSE(Received(host, 1903));
    EXPECT_EQ(std::count_if(host.commands.begin(), host.commands.end(),
                            [](const TestHostWindow::Command& c) { return LOWORD(c.wParam) == 1901; }),
              1);
    EXPECT_EQ(exports.DemoCommand(1901, 0), 0);
    exports.DemoFree();
    exports.Unload();
}
