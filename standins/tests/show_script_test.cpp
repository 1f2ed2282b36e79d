#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "pavlo/show_script.h"

using pavlo::ParseShowScript;
using pavlo::ShowScript;

TEST(ShowScript, ReadsSlidesWithTitleAndUpToTwoTextLines) {
    ShowScript script = ParseShowScript("# demo\n"
                                        "slide 1 Only title\n"
                                        "  slide 25  Title | first |second|third\r\n"
                                        "end 4\n");
    ASSERT_EQ(script.slides.size(), 2u);
    EXPECT_EQ(script.slides[0].tenths, 1);
    EXPECT_EQ(script.slides[0].title, "Only title");
    EXPECT_TRUE(script.slides[0].lines.empty());
    EXPECT_EQ(script.slides[1].tenths, 25);
    EXPECT_EQ(script.slides[1].title, "Title");
    EXPECT_EQ(script.slides[1].lines, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(script.endCode, 4);
}

TEST(ShowScript, SkipsCommentsUnknownAndMalformedLines) {
    ShowScript script = ParseShowScript("#slide 5 commented\n"
                                        "fade 3\n"
                                        "Slide 5 wrong case\n"
                                        "slide\n"
                                        "slide x5 not a number\n"
                                        "end soon\n"
                                        "slide 5 kept");
    ASSERT_EQ(script.slides.size(), 1u);
    EXPECT_EQ(script.slides[0].title, "kept");
    EXPECT_EQ(script.endCode, pavlo::kDefaultEndCode);
}

TEST(ShowScript, ClampsNumbersToSaneRanges) {
    ShowScript script = ParseShowScript("slide 0 a\nslide -7 b\nslide 99999999999999 c\nend 0\n");
    ASSERT_EQ(script.slides.size(), 3u);
    EXPECT_EQ(script.slides[0].tenths, pavlo::kMinSlideTenths);
    EXPECT_EQ(script.slides[1].tenths, pavlo::kMinSlideTenths);
    EXPECT_EQ(script.slides[2].tenths, pavlo::kMaxSlideTenths);
    // Code 0 would read as a cue, never as an end.
    EXPECT_EQ(script.endCode, pavlo::kMinEndCode);
    EXPECT_EQ(ParseShowScript("end 100000").endCode, pavlo::kMaxEndCode);
}

TEST(ShowScript, BoundsSlideCountAndLineLength) {
    std::string text;
    for (int i = 0; i < pavlo::kMaxSlides + 10; ++i)
        text += "slide 1 s" + std::to_string(i) + "\n";
    text += "end 4\n"; // lines after the slide limit still count
    ShowScript script = ParseShowScript(text);
    EXPECT_EQ(script.slides.size(), static_cast<std::size_t>(pavlo::kMaxSlides));
    EXPECT_EQ(script.endCode, 4);

    std::string longTitle(500, 'x');
    ShowScript cut = ParseShowScript("slide 3 " + longTitle + "|never seen");
    ASSERT_EQ(cut.slides.size(), 1u);
    EXPECT_EQ(cut.slides[0].title.size(), pavlo::kMaxLineLength - 8);
    EXPECT_TRUE(cut.slides[0].lines.empty());
}

TEST(ShowScript, FileWithoutSlidesOrMissingFilePlaysBuiltInSlides) {
    const std::size_t builtIn = pavlo::BuiltInSlides().size();
    EXPECT_EQ(builtIn, 3u);
    EXPECT_EQ(pavlo::LoadShowScript("no_such_show_file.mst").slides.size(), builtIn);
    EXPECT_EQ(pavlo::LoadShowScript(nullptr).slides.size(), builtIn);
    EXPECT_EQ(pavlo::LoadShowScript("").slides.size(), builtIn);

    const char* name = "standin_show_script_test.mst";
    std::FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("# nothing to show\nend 4\n", file);
    std::fclose(file);
    ShowScript script = pavlo::LoadShowScript(name);
    std::remove(name);
    EXPECT_EQ(script.slides.size(), builtIn);
    EXPECT_EQ(script.endCode, 4);
}
