// What the module makes of a catalogue's fields: currency digits, expiry by
// the local date, note and address lines, display order, text fallbacks; and
// loading from a folder through the real file calls.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "config/catalogue.h"
#include "config/catalogue_builder.h"
#include "config/catalogue_clock.h"
#include "config/catalogue_lines.h"
#include "config/catalogue_store.h"
#include "files/memory_file.h"

namespace {

LocalDate today = {2025, 3, 10};

LocalClockReading TestClock() {
    LocalClockReading now{};
    now.date = today;
    return now;
}

CatalogueImage::OptionalText Text(const std::string& text) {
    return {true, text};
}

// One address, three items with a code and text in language 0.
CatalogueImage SmallImage() {
    CatalogueImage image;
    image.currency = "EUR";
    image.year = 2030;
    image.month = 6;
    image.day = 15;
    image.addresses.push_back({"HQ", "Main street 1"});
    for (int i = 0; i < 3; ++i) {
        CatalogueImage::Item item;
        item.price = i + 1;
        item.code[0] = Text("C" + std::to_string(i));
        item.text[0] = Text("Item " + std::to_string(i));
        image.items.push_back(item);
    }
    return image;
}

std::vector<uint8_t> Build(const CatalogueImage& image) {
    std::vector<uint8_t> bytes;
    std::string problem;
    EXPECT_TRUE(BuildCatalogue(image, bytes, problem)) << problem;
    return bytes;
}

class CatalogueStoreTest : public ::testing::Test {
  protected:
    Catalogue data{};
    RegionalNumberSettings regional{',', '.', 2};

    void SetUp() override {
        today = {2025, 3, 10};
        localClockSource = TestClock;
        ASSERT_TRUE(MakeItemTextBlocks(data));
    }
    void TearDown() override {
        ReleaseItemTextBlocks(data);
        localClockSource = ReadSystemClock;
    }
    bool Load(const CatalogueImage& image) {
        const std::vector<uint8_t> bytes = Build(image);
        MemoryFile file(bytes.data(), bytes.size());
        return LoadCatalogueFrom(file, data, regional, nullptr);
    }
    std::vector<std::string> AddressLines() {
        return std::vector<std::string>(std::begin(data.addresses[0].lines),
                                        std::end(data.addresses[0].lines));
    }
};

TEST_F(CatalogueStoreTest, CurrencySuffixSetsTheDigits) {
    const struct {
        const char* stored;
        int32_t digits;
    } cases[] = {{"EUR,00", 2},  {"EUR,0", 1}, {"EUR,", 0},
                 {"EUR,000", 2}, {"EUR,5", 0}, {"EUR", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        CatalogueImage image = SmallImage();
        image.currency = c.stored;
        regional.currencyDigits = 1; // what the regional settings said
        ASSERT_TRUE(Load(image));
        EXPECT_STREQ(data.currency, "EUR");
        EXPECT_EQ(regional.currencyDigits, c.digits);
    }
}

TEST_F(CatalogueStoreTest, PricesExpireOnTheStoredDate) {
    const struct {
        int year, month, day;
        bool valid;
    } cases[] = {
        {2025, 3, 10, false}, {2025, 3, 9, false}, {2024, 12, 31, false}, {0, 1, 1, false},
        {-5, 12, 31, false},  {2025, 3, 11, true}, {2025, 4, 1, true},    {2026, 1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        CatalogueImage image = SmallImage();
        image.year = static_cast<int16_t>(c.year);
        image.month = static_cast<uint8_t>(c.month);
        image.day = static_cast<uint8_t>(c.day);
        ASSERT_TRUE(Load(image));
        EXPECT_EQ(data.validUntil.year, c.valid ? c.year : 0);
        EXPECT_EQ(data.validUntil.month, c.month) << "only the year marks the expiry";
    }
}

TEST_F(CatalogueStoreTest, NotesKeepTwoLinesAndBorrowFromTheDefaultLanguage) {
    CatalogueImage image = SmallImage();
    image.defaultLanguage = 2;
    image.notes[2] = "A\r\nB\r\nC";
    image.notes[0] = std::string(151, 'x') + "\r\nsecond";
    image.notes[1] = std::string(150, 'y') + "\r\nsecond";
    image.notes[3] = "\r\nonly the second";
    ASSERT_TRUE(Load(image));
    EXPECT_STREQ(data.noteLines[2][0], "A");
    EXPECT_STREQ(data.noteLines[2][1], "B");
    EXPECT_EQ(data.noteLines[0][0], std::string(150, 'x')) << "151 characters keep 150";
    EXPECT_STREQ(data.noteLines[0][1], "") << "and the rest of the note is dropped";
    EXPECT_EQ(data.noteLines[1][0], std::string(150, 'y'));
    EXPECT_STREQ(data.noteLines[1][1], "second") << "a full line ended by CR is complete";
    EXPECT_STREQ(data.noteLines[3][0], "") << "one empty line is kept";
    EXPECT_STREQ(data.noteLines[3][1], "only the second");
    for (int language : {4, 5, 6}) {
        EXPECT_STREQ(data.noteLines[language][0], "A");
        EXPECT_STREQ(data.noteLines[language][1], "B");
    }
}

TEST_F(CatalogueStoreTest, AddressBodiesGiveSevenLines) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string body;
        Lines lines;
    } cases[] = {
        {"A\r\nB", {"A", "B", "", "", "", "", ""}},
        {"1\r2\r3\r4\r5\r6\r7\r8\r", {"1", "2", "3", "4", "5", "6", "7"}},
        {std::string(40, 'w') + "\r\nB\r\nC", {std::string(40, 'w'), "B", "C", "", "", "", ""}},
        {"A\r\n" + std::string(41, 'w') + "\r\nC", {"A", std::string(40, 'w'), "", "", "", "", ""}},
        {"A\nB", {"A\nB", "", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        CatalogueImage image = SmallImage();
        image.addresses[0].lines = c.body;
        ASSERT_TRUE(Load(image));
        EXPECT_EQ(AddressLines(), c.lines);
    }
}

TEST(CatalogueLines, SplitTellsWhetherTheWholeTextFitted) {
    char lines[2][6];
    EXPECT_TRUE(SplitTextLines("abcde\r\nfghij\r\n", lines[0], 2, 5));
    EXPECT_STREQ(lines[1], "fghij");
    EXPECT_FALSE(SplitTextLines("abcde\r\nfghij\r\nk", lines[0], 2, 5));
    EXPECT_FALSE(SplitTextLines("abcdef", lines[0], 2, 5));
    EXPECT_STREQ(lines[0], "abcde");
    EXPECT_TRUE(SplitTextLines("", lines[0], 2, 5));
    EXPECT_STREQ(lines[0], "");
}

TEST_F(CatalogueStoreTest, OrderListSetsRanksAndDisplayPositions) {
    CatalogueImage image = SmallImage();
    image.order = {2, 7, 0, 2}; // 7 does not exist; item 2 is named twice
    ASSERT_TRUE(Load(image));
    EXPECT_EQ(data.orderRank[0], 3);
    EXPECT_EQ(data.orderRank[1], 0);
    EXPECT_EQ(data.orderRank[2], 4) << "the later place wins";
    EXPECT_EQ(data.displayOrder[0], -1);
    EXPECT_EQ(data.displayOrder[2], 0);
    EXPECT_EQ(data.displayOrder[3], 2);

    image.items.resize(kMaxItems, image.items[0]);
    image.order.clear();
    for (uint16_t i = 0; i < kMaxItems; ++i)
        image.order.push_back(i);
    ASSERT_TRUE(Load(image));
    EXPECT_EQ(data.orderRank[99], 100);
    EXPECT_EQ(data.displayOrder[98], 98);
    EXPECT_EQ(data.displayOrder[99], -1) << "place 100 has no display position";
}

TEST_F(CatalogueStoreTest, MissingDefaultTextsLeaveOthersEmpty) {
    CatalogueImage image = SmallImage();
    image.items[1].code[0] = {};            // default language: no code
    image.items[1].text[2] = Text("Eigen"); // language 2 has its own text
    image.items[1].code[2] = Text("");      // and an empty code of its own
    ASSERT_TRUE(Load(image));
    EXPECT_STREQ(data.itemTexts[0][1].itemCode, "");
    EXPECT_STREQ(data.itemTexts[3][1].itemCode, "");
    EXPECT_STREQ(data.itemTexts[3][1].itemText, "Item 1");
    EXPECT_STREQ(data.itemTexts[2][1].itemText, "Eigen");
    EXPECT_STREQ(data.itemTexts[2][0].itemCode, "C0");
    EXPECT_STREQ(data.itemTexts[0][kMaxItems].itemCode, "") << "the 101st row stays empty";
}

// The module's own entry: the folder's file through the POSIX file calls.
class CatalogueFolderTest : public ::testing::Test {
  protected:
    std::string folder;

    void SetUp() override {
        char pattern[] = "/tmp/catalogue_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = std::string(pattern) + "/";
        localClockSource = TestClock;
        EmptyCatalogue();
    }
    void TearDown() override {
        FreeCatalogue();
        std::remove((folder + "TALVERIN.CNF").c_str());
        rmdir(folder.c_str());
        localClockSource = ReadSystemClock;
    }
    void Write(const std::vector<uint8_t>& bytes) {
        FILE* file = std::fopen((folder + "TALVERIN.CNF").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
};

TEST_F(CatalogueFolderTest, LoadsFromTheNamedFolder) {
    CatalogueImage image = SmallImage();
    image.currency = "EUR,0";
    Write(Build(image));
    LoadCatalogue(folder.c_str());
    EXPECT_EQ(catalogue.itemCount, 3);
    EXPECT_STREQ(catalogue.currency, "EUR");
    EXPECT_EQ(regionalSettings.currencyDigits, 1);
    EXPECT_STREQ(catalogue.itemTexts[4][2].itemText, "Item 2");

    const std::string noSeparator = folder.substr(0, folder.size() - 1);
    LoadCatalogue(noSeparator.c_str());
    EXPECT_EQ(catalogue.itemCount, 0) << "the name is appended without a separator";
    EXPECT_EQ(regionalSettings.currencyDigits, 2) << "the regional digits are back";
}

TEST_F(CatalogueFolderTest, AMissingOrBadFileLeavesTheCatalogueEmpty) {
    LoadCatalogue((folder + "nowhere/").c_str());
    EXPECT_EQ(catalogue.itemCount, 0);
    EXPECT_EQ(catalogue.displayOrder[0], -1);
    std::vector<uint8_t> bytes = Build(SmallImage());
    bytes[20] ^= 1;
    Write(bytes);
    EXPECT_EQ(ReadCatalogueFile(folder.c_str()), 0);
    LoadCatalogue(folder.c_str());
    EXPECT_STREQ(catalogue.currency, "");
    LoadCatalogue(std::string(3000, 'a').c_str());
    EXPECT_EQ(catalogue.itemCount, 0) << "a path too long for the scratch text";
}

int allocations = 0;
int releases = 0;
TextBlockPlatform heap;

bool AllocateTwice(size_t size, TextBlock& block) {
    return ++allocations <= 2 && heap.allocate(size, block);
}
void CountRelease(TextBlock& block) {
    releases += block.handle != nullptr;
    heap.release(block);
}

TEST_F(CatalogueFolderTest, BlocksMadeBeforeAFailedAllocationStayUntilFreed) {
    Write(Build(SmallImage()));
    FreeCatalogue();
    heap = textBlockPlatform;
    textBlockPlatform = {AllocateTwice, CountRelease};
    LoadCatalogue(folder.c_str());
    EXPECT_EQ(catalogue.itemCount, 0);
    EXPECT_NE(catalogue.itemTexts[1], nullptr);
    EXPECT_EQ(catalogue.itemTexts[2], nullptr);
    FreeCatalogue();
    EXPECT_EQ(releases, 2);
    EXPECT_EQ(catalogue.itemTexts[0], nullptr);
    textBlockPlatform = heap;
}

} // namespace
