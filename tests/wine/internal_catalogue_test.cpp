// A session opened on a folder with a catalogue: its prices, currency and
// address on the pages, its text blocks in movable memory, and the same
// session without a file or with expired prices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/catalogue.h"
#include "config/catalogue_builder.h"
#include "config/catalogue_clock.h"
#include "config/regional.h"
#include "frame/exports.h"
#include "render/draw_page.h"
#include "test_support.h"

namespace {

LocalClockReading clockNow{};

LocalClockReading TestClock() {
    return clockNow;
}

std::string WorkFolder() {
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\";
}

void WriteCatalogue(const std::string& folder) {
    CatalogueImage image;
    image.currency = "EUR,00";
    image.label = "Spring list";
    image.year = 2030;
    image.month = 12;
    image.day = 31;
    image.addresses.push_back({"Talverin Ltd.", "Harbour Road 12\r\nWestfield"});
    for (double price : {19.5, 1234.5, 7.0}) {
        CatalogueImage::Item item;
        item.price = price;
        item.code[0] = {true, "C"};
        item.text[0] = {true, "Item"};
        image.items.push_back(item);
    }
    image.order = {1, 0};
    std::vector<uint8_t> bytes;
    std::string problem;
    ASSERT_TRUE(BuildCatalogue(image, bytes, problem)) << problem;
    WriteWholeFile(folder + "TALVERIN.CNF", std::string(bytes.begin(), bytes.end()));
}

// Whether the page holds dark pixels in the band of page 1's text.
bool PageTextBandHasInk() {
    for (int y = 220; y < 245; ++y)
        for (int x = 100; x < 540; ++x)
            if ((PixelAt(session.pageDc, x, y) & 0xFFFFFF) != 0xFFFFFF)
                return true;
    return false;
}

class CatalogueSessionTest : public ::testing::Test {
  protected:
    TestHostWindow* host = nullptr;
    std::string folder = WorkFolder();

    void SetUp() override {
        WriteWholeFile("script_c.mst", "slide 600 Long|slide\n");
        DeleteFileA("TALVERIN.CNF");
        session = DemoSession{};
        session.moduleInstance = GetModuleHandleA(nullptr);
        clockNow.date = {2025, 6, 1};
        localClockSource = TestClock;
        hostTexts[8318] = "Prices in %s";
    }
    void TearDown() override {
        DemoFree();
        delete host;
        host = nullptr;
        UnregisterClassA("PavloWCl", GetModuleHandleA(nullptr));
        session = DemoSession{};
        localClockSource = ReadSystemClock;
        hostTexts[8318] = "Page one";
    }
    void Open(const std::string& directory) {
        host = new TestHostWindow(700, 560);
        ASSERT_EQ(
            DemoInit(host->handle(), GetModuleHandleA(nullptr), TestHostText, directory.c_str(), 0),
            1);
    }
    bool Draws(int32_t textId, std::string* text = nullptr) {
        MemorySurface surface(300, 60);
        RECT area;
        if (!DrawTextItem(surface.dc(), TextItem{textId, 5, 5, 0, kAlignLeft, 0}, area))
            return false;
        if (text) {
            char amount[kAmountTextSize];
            FormatAmount(amount, catalogue.prices[catalogue.displayOrder[-textId - 1]]);
            *text = amount;
        }
        return surface.InkBounds().right > 0;
    }
};

TEST_F(CatalogueSessionTest, ThePagesShowTheCataloguesPricesAndCurrency) {
    WriteCatalogue(folder);
    Open(folder);
    EXPECT_STREQ(catalogue.currency, "EUR");
    EXPECT_STREQ(catalogue.priceListLabel, "Spring list");
    EXPECT_EQ(regionalSettings.currencyDigits, 2);
    EXPECT_EQ(catalogue.itemCount, 3);
    EXPECT_EQ(catalogue.validUntil.year, 2030);
    std::string first;
    ASSERT_TRUE(Draws(-1, &first));
    char expected[kAmountTextSize];
    FormatAmount(expected, 1234.5);
    EXPECT_EQ(first, expected) << "display position 1 holds item 1";
    EXPECT_TRUE(Draws(-2));
    EXPECT_FALSE(Draws(-3)) << "item 2 is not in the order list";
    EXPECT_TRUE(Draws(-1000)) << "address title";

    EXPECT_FALSE(PageTextBandHasInk()) << "page 0 is blank";
    EXPECT_EQ(DemoCommand(1901, 0), 0);
    EXPECT_EQ(session.flow.currentPage, 1);
    EXPECT_TRUE(PageTextBandHasInk()) << "page 1 shows \"Prices in EUR\"";
}

TEST_F(CatalogueSessionTest, TextBlocksAreMovableMemoryUntilDemoFree) {
    WriteCatalogue(folder);
    Open(folder);
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        HGLOBAL block = static_cast<HGLOBAL>(catalogue.itemTextBlocks[language].handle);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 1u);
        EXPECT_GE(GlobalSize(block), sizeof(ItemTextRow) * kItemTextRows);
        EXPECT_STREQ(catalogue.itemTexts[language][2].itemText, "Item");
    }
    DemoFree();
    EXPECT_EQ(catalogue.itemTexts[0], nullptr);
    EXPECT_EQ(catalogue.itemCount, 0);
}

TEST_F(CatalogueSessionTest, WithoutACatalogueNothingPricedIsDrawn) {
    Open(folder);
    EXPECT_EQ(catalogue.itemCount, 0);
    EXPECT_FALSE(Draws(-1));
    EXPECT_FALSE(Draws(8318)) << "\"%s\" without a currency is not drawn";
    DemoCommand(1901, 0);
    EXPECT_FALSE(PageTextBandHasInk());
}

TEST_F(CatalogueSessionTest, ExpiredPricesAreNotDrawnButTheCurrencyIs) {
    WriteCatalogue(folder);
    clockNow.date = {2030, 12, 31};
    Open(folder);
    EXPECT_EQ(catalogue.validUntil.year, 0);
    EXPECT_FALSE(Draws(-1));
    EXPECT_TRUE(Draws(8318));
}

} // namespace
