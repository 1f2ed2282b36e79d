// Page texts: host texts with the currency or label filled in, prices, addresses.
#include <gtest/gtest.h>

#include <cstring>

#include "config/catalogue.h"
#include "config/regional.h"
#include "render/page_items.h"
#include "render/page_text.h"

namespace {

class PageTextTest : public ::testing::Test {
  protected:
    Catalogue data{};
    char out[kHostPageTextSize];

    void SetUp() override {
        std::memset(&data, 0, sizeof data);
        for (int32_t& item : data.displayOrder)
            item = -1;
        regionalSettings = ParseRegionalSettings(",", ".", "2");
    }
    void WithPrices() {
        std::strcpy(data.currency, "EUR");
        std::strcpy(data.priceListLabel, "List 7");
        data.validUntil = {2030, 1, 1};
        data.itemCount = 3;
        data.prices[0] = 12.0;
        data.prices[2] = 1234.5;
        data.displayOrder[0] = 2;
        data.displayOrder[1] = 0;
    }
};

TEST_F(PageTextTest, PlainHostTextIsUsedAsItCame) {
    ASSERT_TRUE(SubstituteHostText("Welcome to the tour", data, out, sizeof out));
    EXPECT_STREQ(out, "Welcome to the tour");
    EXPECT_FALSE(SubstituteHostText("", data, out, sizeof out));
}

TEST_F(PageTextTest, MarkersNeedTheirCatalogueText) {
    EXPECT_FALSE(SubstituteHostText("Prices in %s", data, out, sizeof out));
    EXPECT_FALSE(SubstituteHostText("Price list %c", data, out, sizeof out));
    WithPrices();
    ASSERT_TRUE(SubstituteHostText("Prices in %s.", data, out, sizeof out));
    EXPECT_STREQ(out, "Prices in EUR.");
    ASSERT_TRUE(SubstituteHostText("(%c) valid", data, out, sizeof out));
    EXPECT_STREQ(out, "(List 7) valid");
}

TEST_F(PageTextTest, OtherPercentSignsNeverActAsFormats) {
    WithPrices();
    ASSERT_TRUE(SubstituteHostText("%d%n off %x in %s", data, out, sizeof out));
    EXPECT_STREQ(out, "%d%n off %x in EUR");
    ASSERT_TRUE(SubstituteHostText("100%% in %s", data, out, sizeof out));
    EXPECT_STREQ(out, "100% in EUR") << "an escaped percent reads as one, as formatted";
    ASSERT_TRUE(SubstituteHostText("5% %n", data, out, sizeof out));
    EXPECT_STREQ(out, "5% %n") << "without a marker the text is not formatted";
}

TEST_F(PageTextTest, SubstitutionIsCutToTheBuffer) {
    WithPrices();
    char small[8];
    ASSERT_TRUE(SubstituteHostText("abc %s def", data, small, sizeof small));
    EXPECT_STREQ(small, "abc EUR");
}

TEST_F(PageTextTest, PricesFollowTheDisplayOrder) {
    WithPrices();
    ASSERT_TRUE(ResolveCatalogueText(-1, data, "", out, sizeof out));
    EXPECT_STREQ(out, "1.234,50");
    ASSERT_TRUE(ResolveCatalogueText(-2, data, "", out, sizeof out));
    EXPECT_STREQ(out, "12,--");
    EXPECT_FALSE(ResolveCatalogueText(-3, data, "", out, sizeof out)) << "display position empty";
}

TEST_F(PageTextTest, PricesNeedCurrencyAndValidity) {
    WithPrices();
    data.validUntil.year = 0;
    EXPECT_FALSE(ResolveCatalogueText(-1, data, "", out, sizeof out));
    WithPrices();
    data.currency[0] = '\0';
    EXPECT_FALSE(ResolveCatalogueText(-1, data, "", out, sizeof out));
}

TEST_F(PageTextTest, AddressIdsNameRecordZero) {
    std::strcpy(data.addresses[0].title, "Sales");
    std::strcpy(data.addresses[0].lines[0], "Main Street 1");
    std::strcpy(data.addresses[0].lines[6], "Country");
    ASSERT_TRUE(ResolveCatalogueText(-1000, data, "", out, sizeof out));
    EXPECT_STREQ(out, "Sales");
    ASSERT_TRUE(ResolveCatalogueText(-1001, data, "", out, sizeof out));
    EXPECT_STREQ(out, "Main Street 1");
    ASSERT_TRUE(ResolveCatalogueText(-1007, data, "", out, sizeof out));
    EXPECT_STREQ(out, "Country");
    ASSERT_TRUE(ResolveCatalogueText(-1002, data, "", out, sizeof out));
    EXPECT_STREQ(out, "") << "an empty line still counts as drawn";
}

TEST_F(PageTextTest, OtherIdsDrawNothing) {
    for (int32_t id : {-101, -999, -1008, -1999, -2001, -5000})
        EXPECT_FALSE(ResolveCatalogueText(id, data, "", out, sizeof out)) << id;
    EXPECT_FALSE(ResolveCatalogueText(-2000, data, "", out, sizeof out)) << "empty special slot";
}

TEST(PageGeometry, CentringAndAlignment) {
    EXPECT_EQ(CentringOffset(500, 638), -69);
    EXPECT_EQ(CentringOffset(300, 410), -55);
    EXPECT_EQ(CentringOffset(637, 638), 0);
    EXPECT_EQ(CentringOffset(636, 638), -1);
    EXPECT_EQ(AlignedLeft(319, kAlignCentre, 101), 269);
    EXPECT_EQ(AlignedLeft(319, kAlignRight, 101), 218);
    EXPECT_EQ(AlignedLeft(319, kAlignLeft, 101), 319);
}

} // namespace
