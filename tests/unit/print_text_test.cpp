#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "print/print_text.h"

namespace {

std::string Fill(const char* format, const char* value, size_t size = 100) {
    char out[100];
    FillTextMarker(format, value, out, size);
    return out;
}

TEST(PrintText, FillsTheOneMarker) {
    EXPECT_EQ(Fill("Customer no.: %s", "4711"), "Customer no.: 4711");
    EXPECT_EQ(Fill("%d items", "12"), "12 items");
    EXPECT_EQ(Fill("no marker", "x"), "no marker");
    EXPECT_EQ(Fill("%s", nullptr), "");
    EXPECT_EQ(Fill(nullptr, "x"), "");
}

TEST(PrintText, HostTextIsNeverAFormat) {
    // What printf would read arguments for is copied as it stands.
    EXPECT_EQ(Fill("%s and %s", "one"), "one and %s");
    EXPECT_EQ(Fill("%n%x%p %s", "v"), "%n%x%p v");
    EXPECT_EQ(Fill("100%% of %s", "it"), "100% of it");
    EXPECT_EQ(Fill("%%s stays", "x"), "%s stays");
    EXPECT_EQ(Fill("ends in %", "x"), "ends in %");
    // A value holding markers is not filled again.
    EXPECT_EQ(Fill("[%s]", "%s%%"), "[%s%%]");
}

TEST(PrintText, FillIsCutToTheBuffer) {
    EXPECT_EQ(Fill("abc%sdef", "XYZ", 6), "abcXY");
    char one[1] = {'x'};
    FillTextMarker("abc", nullptr, one, 1);
    EXPECT_EQ(one[0], '\0');
}

TEST(PrintText, SplitsAtTheFirstLineFeedOnly) {
    TextLines lines = SplitAtLineFeed("one line");
    EXPECT_EQ(lines.firstLength, 8u);
    EXPECT_EQ(lines.second, nullptr);
    lines = SplitAtLineFeed("first\nsecond\nthird");
    EXPECT_EQ(lines.firstLength, 5u);
    EXPECT_STREQ(lines.second, "second\nthird");
    lines = SplitAtLineFeed("\nbelow");
    EXPECT_EQ(lines.firstLength, 0u);
    EXPECT_STREQ(lines.second, "below");
}

// Every character 10 units wide.
class FixedWidths : public PrefixWidthSource {
  public:
    int PrefixWidth(const char*, int n) const override { return 10 * n; }
};

TEST(PrintText, ClipPlacesTextInItsCell) {
    FixedWidths widths;
    // Cell 100..160: inner 101..159, 58 wide; "abc" is 30 wide.
    EXPECT_EQ(ClipText(widths, "abc", 3, 100, 60, kAlignLeft).x, 101);
    EXPECT_EQ(ClipText(widths, "abc", 3, 100, 60, kAlignRight).x, 101 + 58 - 30);
    EXPECT_EQ(ClipText(widths, "abc", 3, 100, 60, kAlignCentre).x, 101 + 14);
    EXPECT_EQ(ClipText(widths, "abc", 3, 100, 60, 5).x, 101); // unknown: left
    EXPECT_EQ(ClipText(widths, "abc", 3, 100, 60, kAlignCentre).length, 3);
}

TEST(PrintText, ClipCutsAtTheRight) {
    FixedWidths widths;
    const ClippedText cut = ClipText(widths, "abcdefghij", 10, 0, 60, kAlignRight);
    EXPECT_EQ(cut.length, 5); // 50 <= 58 < 60
    EXPECT_EQ(cut.x, 1 + 58 - 50);
    EXPECT_EQ(ClipText(widths, "abc", 3, 0, 32, kAlignLeft).length, 3); // exactly fits
    EXPECT_EQ(ClipText(widths, "abc", 3, 0, 31, kAlignLeft).length, 2);
    EXPECT_EQ(ClipText(widths, "abc", 3, 0, 11, kAlignLeft).length, 0); // nothing fits
    EXPECT_EQ(ClipText(widths, "abc", 3, 0, 0, kAlignLeft).length, 0);
    EXPECT_EQ(ClipText(widths, "abc", 3, 0, -40, kAlignCentre).length, 0);
    EXPECT_EQ(ClipText(widths, "", 0, 0, 100, kAlignLeft).length, 0);
}

} // namespace
