// The module's small exports, loaded as a host loads it: by name from the DLL.
#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace {

class ExportsTest : public ::testing::Test {
  protected:
    static ModuleExports exports;
    static void SetUpTestSuite() { ASSERT_TRUE(exports.Load()); }
    static void TearDownTestSuite() { exports.Unload(); }
};
ModuleExports ExportsTest::exports;

TEST_F(ExportsTest, EveryExportIsThereUnderItsPlainName) {
    EXPECT_NE(exports.DemoInit, nullptr);
    EXPECT_NE(exports.DemoFree, nullptr);
    EXPECT_NE(exports.VerFun, nullptr);
    EXPECT_NE(exports.DemoFun, nullptr);
    EXPECT_NE(exports.DllFPError, nullptr);
    EXPECT_NE(exports.DemoTick, nullptr);
    EXPECT_NE(exports.DemoPaint, nullptr);
    EXPECT_NE(exports.DemoCommand, nullptr);
    EXPECT_NE(exports.DemoSetup, nullptr);
    EXPECT_NE(exports.OpenIC, nullptr);
    EXPECT_NE(exports.SetIC, nullptr);
    EXPECT_NE(exports.CloseIC, nullptr);
    EXPECT_NE(exports.PavloWndProc, nullptr);
}

TEST_F(ExportsTest, DemoFunIdentifiesTheModule) {
    EXPECT_EQ(exports.DemoFun(0), 2003);
    EXPECT_EQ(exports.DemoFun(1), 1202);
    EXPECT_EQ(exports.DemoFun(-5), 6073);
    EXPECT_EQ(exports.DemoFun(2), 6073);
}

TEST_F(ExportsTest, BeforeAnySessionNothingRuns) {
    EXPECT_EQ(exports.DemoCommand(1903, 0), 4) << "end is answered in every phase";
    EXPECT_EQ(exports.DemoCommand(1901, 0), 0);
    EXPECT_EQ(exports.DemoTick(nullptr), 0);
    MemorySurface surface(64, 64);
    EXPECT_EQ(exports.DemoPaint(surface.dc()), 0);
    EXPECT_EQ(surface.InkBounds().right, 0) << "nothing drawn";
    EXPECT_EQ(exports.DemoInit(nullptr, nullptr, nullptr, "", 3), 0) << "restart before open";
    exports.DemoFree(); // releases nothing and must not fail
    exports.DemoFree();
}

TEST_F(ExportsTest, DemoSetupAnswersByKey) {
    char value[32];
    exports.DemoSetup("Rate", value, sizeof value);
    EXPECT_STREQ(value, "1000");
    exports.DemoSetup("view", value, 3);
    EXPECT_STREQ(value, "2 ");
    exports.DemoSetup("chan11", value, sizeof value);
    EXPECT_STREQ(value, "");
    value[0] = 'x';
    exports.DemoSetup("rate", value, 0);
    EXPECT_EQ(value[0], 'x') << "no room: nothing written";
}

TEST_F(ExportsTest, FloatingPointErrorsAreRecordedNotRaised) {
    const unsigned int masksBefore = _controlfp(0, 0) & _MCW_EM;
    EXPECT_EQ(exports.DllFPError(1), 0);
    EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, static_cast<unsigned int>(_MCW_EM)) << "all masked";
    volatile double zero = 0.0;
    volatile double result = 1.0 / zero;
    EXPECT_TRUE(std::isinf(result));
    EXPECT_EQ(exports.DllFPError(-1), 1) << "the division was recorded";
    EXPECT_EQ(exports.DllFPError(-1), 1) << "a query does not reset";
    EXPECT_EQ(exports.DllFPError(0), 0);
    EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, masksBefore) << "masks restored";
    EXPECT_EQ(exports.DllFPError(-1), 0);
}

TEST_F(ExportsTest, InstallingTwiceKeepsTheFirstSavedMasks) {
    const unsigned int masksBefore = _controlfp(0, 0) & _MCW_EM;
    exports.DllFPError(1);
    exports.DllFPError(1);
    exports.DllFPError(0);
    EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, masksBefore);
}

// VerFun last: it registers a window, which closes the door to DemoInit.
TEST_F(ExportsTest, VerFunRegistersAWindowOnlyWithACallback) {
    TestHostWindow host(700, 560);
    EXPECT_STREQ(exports.VerFun(host.handle(), nullptr, 0, 0), "K28 15.07.2002");
    // No callback: nothing registered, so a session can still open.
    EXPECT_EQ(exports.DemoInit(nullptr, nullptr, nullptr, "", 0), 0);
    EXPECT_STREQ(exports.VerFun(host.handle(), reinterpret_cast<void*>(&TestHostText), 1, 2),
                 "K28 15.07.2002");
    EXPECT_EQ(exports.DemoInit(host.handle(), GetModuleHandleA(nullptr),
                               reinterpret_cast<void*>(&TestHostText), "", 0),
              0)
        << "a registered window makes the open form refuse";
}

} // namespace
