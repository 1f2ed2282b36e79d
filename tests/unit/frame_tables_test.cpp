// Font fitting, the script directory and the paths libraries are loaded from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/font_fit.h"
#include "frame/script_directory.h"
#include "files/library_path.h"
#include "frame/show_library.h"
#include "port/port_link.h"

TEST(FontFit, AcceptsTheFirstWidthWhenItFits) {
    std::vector<int> tried;
    const int width = FitFontWidth(kPageFonts[0], [&](int w) {
        tried.push_back(w);
        return 11;
    });
    EXPECT_EQ(width, 0);
    EXPECT_EQ(tried, std::vector<int>{0});
}

TEST(FontFit, NarrowsByTenPercentFromTheMeasuredWidth) {
    std::vector<int> tried;
    // "B" is always 3 pixels wider than the requested width.
    const int width = FitFontWidth(kPageFonts[1], [&](int w) {
        tried.push_back(w);
        return w == 0 ? 21 : w + 3;
    });
    // 21 is too wide: 21 * 0.9 = 18 (21), 16 (19), 14 (17), then 12 measures 15 and fits.
    EXPECT_EQ(tried, (std::vector<int>{0, 18, 16, 14, 12}));
    EXPECT_EQ(width, 12);
}

TEST(FontFit, AlwaysTooWideEndsAtWidthOne) {
    std::vector<int> tried;
    const int width = FitFontWidth(kPageFonts[2], [&](int w) {
        tried.push_back(w);
        return 50;
    });
    EXPECT_EQ(width, 1);
    EXPECT_EQ(tried.back(), 1);
    EXPECT_LT(tried.size(), 40u);
}

TEST(FontFit, AFontThatCannotBeMadeFails) {
    EXPECT_EQ(FitFontWidth(kPageFonts[0], [](int) { return -1; }), -1);
}

TEST(ScriptDirectory, SelectsRunnableScriptsOnly) {
    const ScriptSelection main = FindScript(0);
    EXPECT_EQ(main.stepCount, 68);
    ASSERT_NE(main.steps, nullptr);
    EXPECT_EQ(main.steps[0].textId, 8511);
    EXPECT_EQ(FindScript(3).stepCount, 6);
    EXPECT_EQ(FindScript(2).stepCount, 0) << "no such id";
    EXPECT_EQ(FindScript(2).steps, nullptr);
}

TEST(ScriptDirectory, MainScriptTypesItsFileNames) {
    const ScriptSelection main = FindScript(0);
    EXPECT_STREQ(main.steps[43].text, "DEMO_C.MDF");
    EXPECT_EQ(main.steps[33].repeat, 10);
    EXPECT_EQ(main.steps[67].control, 1004);
}

TEST(LibraryPath, IsBuiltOnlyFromAFullPath) {
    char out[260];
    ASSERT_TRUE(LibraryPathBeside("C:\\demo\\bin\\brenk_C.dll", kPortLibraryName, out, sizeof out));
    EXPECT_STREQ(out, "C:\\demo\\bin\\FENNIK.DLL");
    ASSERT_TRUE(LibraryPathInFolder("\\\\server\\share", kShowLibraryName, out, sizeof out));
    EXPECT_STREQ(out, "\\\\server\\share\\PAVLO.DLL");
    ASSERT_TRUE(LibraryPathInFolder("C:\\", kShowLibraryName, out, sizeof out));
    EXPECT_STREQ(out, "C:\\PAVLO.DLL");
    // Anything the system would complete from the current folder or PATH.
    for (const char* relative :
         {"brenk_C.dll", "bin\\brenk_C.dll", "C:brenk_C.dll", "\\bin\\brenk_C.dll", ""})
        EXPECT_FALSE(LibraryPathBeside(relative, kPortLibraryName, out, sizeof out)) << relative;
    EXPECT_FALSE(LibraryPathInFolder("bin", kShowLibraryName, out, sizeof out));
}

TEST(LibraryPath, RefusesAPathThatWouldNotFit) {
    char out[260];
    // A 249-character folder plus "FENNIK.DLL" and its NUL fill the buffer exactly.
    const std::string folder = "C:\\" + std::string(245, 'a') + "\\";
    ASSERT_EQ(folder.size(), 249u);
    EXPECT_TRUE(
        LibraryPathBeside((folder + "brenk_C.dll").c_str(), kPortLibraryName, out, sizeof out));
    EXPECT_EQ(std::string(out), folder + "FENNIK.DLL");
    const std::string tooLong = "C:\\" + std::string(246, 'b') + "\\m.dll";
    EXPECT_FALSE(LibraryPathBeside(tooLong.c_str(), kPortLibraryName, out, sizeof out));
    // Without its closing backslash the folder needs one more character.
    EXPECT_FALSE(LibraryPathInFolder(("C:\\" + std::string(246, 'c')).c_str(), kPortLibraryName,
                                     out, sizeof out));
}
