// Interface calls passed to the interface library beside the module, and the
// port closed through it before it is released when the module unloads.
#include <gtest/gtest.h>

#include "test_support.h"

TEST(PortLink, CallsGoToTheLibraryAndTheirResultsComeBack) {
    const std::string log = "fennik.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("FENNIK_LOG", log.c_str());
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());

    EXPECT_EQ(exports.OpenIC(0, 9, 9, 9, 9, 9, 9), 1);
    EXPECT_EQ(exports.OpenIC(2, 0, 0, 0, 0, 0, 0), -1) << "even with the library present";
    // The fifth and sixth values reach the library as bytes.
    EXPECT_EQ(exports.SetIC(1, 2, 3, 4, 0x105, 0x206), 1);
    EXPECT_EQ(exports.SetIC(9, 0, 0, 0, 0, 0), -2) << "the library's answer, unchanged";
    EXPECT_EQ(exports.CloseIC(), 1);
    EXPECT_EQ(exports.CloseIC(), 0);
    EXPECT_EQ(exports.SetIC(3, 0, 0, 0, 255, 0), 1);  // left open for the unload

    exports.Unload();
    const auto calls = SplitLines(ReadWholeFile(log));
    const std::vector<std::string> expected = {
        "SetIComPort 1 2 3 4 5 6", "SetIComPort 9 0 0 0 0 0", "CloseIComPort", "CloseIComPort",
        "SetIComPort 3 0 0 0 255 0",
        "CloseIComPort",  // unload closes the port first,
        "detach",         // then releases the library
    };
    EXPECT_EQ(calls, expected);
}
