// The order sheet's portable rules: padding to a digit mask, the orderer's
// address as one text and as slots, typed quantities, scrolling and totals.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/catalogue.h"
#include "config/catalogue_store.h"
#include "config/regional.h"
#include "order/amount_mask.h"
#include "order/order_scroll.h"
#include "order/orderer_text.h"

namespace {

// Every character is 5 pixels wide, a space `spaceWidth`.
class FixedWidths : public TextWidthSource {
  public:
    explicit FixedWidths(int spaceWidth) : spaceWidth_(spaceWidth) {}
    int Width(const char* text) const override {
        int width = 0;
        for (; *text; ++text)
            width += *text == ' ' ? spaceWidth_ : 5;
        return width;
    }

  private:
    int spaceWidth_;
};

std::string Masked(int spaceWidth, double amount, int count, const char* mask) {
    char out[kMaskedTextSize];
    FormatToMask(FixedWidths(spaceWidth), out, amount, count, mask);
    return out;
}

class AmountMaskTest : public ::testing::Test {
  protected:
    RegionalNumberSettings saved = regionalSettings;
    void SetUp() override { regionalSettings = {',', '.', 2}; }
    void TearDown() override { regionalSettings = saved; }
};

TEST_F(AmountMaskTest, PadsToTheMaskWidthWithoutPassingIt) {
    // "0" is 5 px; "88888" 25 px; spaces of 3 px: 6 fit (18 + 5 <= 25).
    EXPECT_EQ("      0", Masked(3, 0, 0, kQuantityMask));
    // As wide as the mask, or wider: no spaces and nothing cut.
    EXPECT_EQ("12345", Masked(1, 0, 12345, kQuantityMask));
    EXPECT_EQ("123456", Masked(1, 0, 123456, kQuantityMask));
}

TEST_F(AmountMaskTest, CountsAreDigitsAndNegativeCountsFormatTheAmount) {
    EXPECT_EQ("1234", Masked(5, 99.5, 1234, "1234"));
    EXPECT_EQ("99,50", Masked(5, 99.5, -1, "99,50"));
    EXPECT_EQ("*****", Masked(5, -1.0, -1, "*****"));
    EXPECT_EQ("1.234,50", Masked(5, 1234.5, -1, ""));
}

TEST_F(AmountMaskTest, ZeroWidthSpacesStopAtTwentyNineCharacters) {
    const std::string text = Masked(0, 0, 7, kTotalMask);
    EXPECT_EQ(29u, text.size());
    EXPECT_EQ('7', text.back());
    EXPECT_EQ(0, MaskPadding(29, 0, 100, 0));
    EXPECT_EQ(0, MaskPadding(3, 200, 100, 5));
}

TEST_F(AmountMaskTest, OrderSumSkipsUnorderedAndNonPositivePrices) {
    Catalogue* items = new Catalogue{};
    items->itemCount = 4;
    const double prices[] = {10.0, 0.1, -5.0, 0.0};
    const int quantities[] = {3, 7, 2, 9};
    for (int i = 0; i < 4; ++i) {
        items->prices[i] = prices[i];
        items->quantities[i] = quantities[i];
    }
    items->quantities[4] = 50; // beyond itemCount: not counted
    items->prices[4] = 1.0;
    EXPECT_DOUBLE_EQ(30.7, OrderSum(*items));
    EXPECT_DOUBLE_EQ(110.0, SurchargedSum(100.0, 10.0));
    EXPECT_DOUBLE_EQ(100.0, SurchargedSum(100.0, 0.0));
    EXPECT_DOUBLE_EQ(75.0, SurchargedSum(100.0, -25.0));
    delete items;
}

TEST(OrderQuantitiesTest, OutlastEmptyingTheCatalogue) {
    Catalogue* items = new Catalogue{};
    items->itemCount = 3;
    items->quantities[2] = 17;
    items->prices[2] = 5.0;
    EmptyCatalogue(*items);
    EXPECT_EQ(0, items->itemCount);
    EXPECT_EQ(0.0, items->prices[2]);
    EXPECT_EQ(17, items->quantities[2]);
    delete items;
}

TEST(OrdererTextTest, JoinsUpToTheLastNonEmptyLine) {
    char lines[7][42] = {"Anna", "", "Mill Lane", "", ""};
    char out[200];
    JoinAddressLines(lines, out, sizeof out);
    EXPECT_STREQ("Anna\r\n\r\nMill Lane", out);
    char empty[7][42] = {};
    JoinAddressLines(empty, out, sizeof out);
    EXPECT_STREQ("", out);
    std::strcpy(empty[0], "Only");
    JoinAddressLines(empty, out, 3);
    EXPECT_STREQ("On", out);
}

TEST(OrdererTextTest, SplitDropsBlankLinesLeadingBlanksAndASixthLine) {
    char lines[7][42];
    std::memset(lines, 'x', sizeof lines);
    SplitAddressText("Anna Berg \r\n\r\n\t  Mill Lane 4\r\nB\r\nC\r\nD\r\nSixth", lines);
    EXPECT_STREQ("Anna Berg ", lines[0]);
    EXPECT_STREQ("Mill Lane 4", lines[1]);
    EXPECT_STREQ("D", lines[4]);
    SplitAddressText("", lines);
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ("", lines[i]);
}

TEST(OrdererTextTest, SplitKeepsFortyCharactersAndHighBytes) {
    char lines[7][42];
    SplitAddressText("123456789012345678901234567890123456789012345\nM\xFCller", lines);
    EXPECT_STREQ("1234567890123456789012345678901234567890", lines[0]);
    EXPECT_STREQ("M\xFCller", lines[1]);
    char slot[42] = "Name \t\r\n";
    TrimOrdererSlot(slot);
    EXPECT_STREQ("Name", slot);
    char high[42] = "Stra\xDF\xE9";
    TrimOrdererSlot(high);
    EXPECT_STREQ("Stra\xDF\xE9", high);
}

TEST(OrdererTextTest, QuantityTextReadsSignAndLeadingDigits) {
    EXPECT_EQ(42, ParseQuantityText(" 42x"));
    EXPECT_EQ(0, ParseQuantityText(""));
    EXPECT_EQ(0, ParseQuantityText("abc"));
    EXPECT_EQ(-1, ParseQuantityText("-1"));
    EXPECT_EQ(7, ParseQuantityText("+7"));
    EXPECT_FALSE(QuantityInRange(ParseQuantityText("10001")));
    EXPECT_TRUE(QuantityInRange(ParseQuantityText("10000")));
    // Far too many digits saturate instead of wrapping into range.
    EXPECT_FALSE(QuantityInRange(ParseQuantityText("99999999999999999999")));
    EXPECT_FALSE(QuantityInRange(ParseQuantityText("-99999999999999999999")));
}

TEST(OrdererTextTest, SurchargeUsesThePointAndDropsTrailingZeros) {
    char text[32];
    SurchargeText(7.5, text, sizeof text);
    EXPECT_STREQ("7.5 %", text);
    SurchargeText(10, text, sizeof text);
    EXPECT_STREQ("10 %", text);
    SurchargeText(-2.125, text, sizeof text);
    EXPECT_STREQ("-2.125 %", text);
}

TEST(OrderScrollTest, RequestsStopAtTheEnds) {
    EXPECT_EQ(89, LastTopLine(100));
    EXPECT_EQ(0, LastTopLine(11));
    EXPECT_EQ(0, LastTopLine(3));
    EXPECT_EQ(89, ScrolledTopLine(1, 0, 89, 100));
    EXPECT_EQ(89, ScrolledTopLine(3, 0, 85, 100));
    EXPECT_EQ(0, ScrolledTopLine(2, 0, 5, 100));
    EXPECT_EQ(0, ScrolledTopLine(0, 0, 0, 100));
    EXPECT_EQ(0, ScrolledTopLine(1, 0, 0, 11));
    EXPECT_EQ(0, ScrolledTopLine(3, 0, 0, 5));
    EXPECT_EQ(33, ScrolledTopLine(4, 33, 0, 100));
    EXPECT_EQ(89, ScrolledTopLine(5, 120, 0, 100));
    EXPECT_EQ(0, ScrolledTopLine(5, -4, 10, 100));
    EXPECT_EQ(10, ScrolledTopLine(8, 50, 10, 100));
}

TEST(OrderScrollTest, SelectionStaysOnTheVisibleLines) {
    EXPECT_EQ(20, VisibleSelection(20, 3));
    EXPECT_EQ(30, VisibleSelection(20, 31));
    EXPECT_EQ(25, VisibleSelection(20, 25));
}

} // namespace
