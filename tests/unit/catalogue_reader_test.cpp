// The catalogue reader on a hand-made file: every field, every check, and
// what stays of a catalogue whose file fails.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "config/catalogue.h"
#include "config/catalogue_clock.h"
#include "config/catalogue_store.h"
#include "files/memory_file.h"

namespace {

#define AT(n) static_cast<uint8_t>(n), static_cast<uint8_t>((n) >> 8), 0, 0
#define NONE 0xFF, 0xFF, 0xFF, 0xFF

// 229 bytes; offsets on the left.
// clang-format off
const uint8_t kHandMade[] = {
    'C', '3', '0', '5',                  // 0: magic
    0, 0,                                // 4: sum and XOR bytes (Sealed fills them in)
    0, 0, 0, 0,                          // 6: file length (Sealed)
    1, 0, 0, 0,                          // 10: default language 1
    3, 0, 'T', 'a', 'g',                 // 14: label "Tag"
    6, 0, 'E', 'U', 'R', ',', '0', '0',  // 19: currency "EUR,00"
    0, 0, 0, 0, 0, 0, 0x30, 0x40,        // 27: surcharge 16.0
    0xEE, 0x07, 15, 6,                   // 35: valid until 2030, day 15, month 6
    0, 0,                                // 39: note, language 0: empty
    4, 0, 'A', '\r', '\n', 'B',          // 41: note, language 1: "A" CR LF "B"
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,        // 47: notes, languages 2..6: empty
    1, 0, 0, 0,                          // 57: address count 1
    2, 0, 'H', 'Q',                      // 61: title "HQ"
    3, 0, 'S', 't', '1',                 // 65: lines "St1"
    2, 0, 0, 0,                          // 70: item count 2
    0, 0, 0, 0, 0, 0, 0xF0, 0x3F,        // 74: price of item 0: 1.0
    0, 0, 0, 0, 0, 0, 0x04, 0x40,        // 82: price of item 1: 2.5
    2, 0, 0, 0,                          // 90: order length 2
    1, 0, 0, 0,                          // 94: item 1 shown first, then item 0
    NONE, NONE, NONE, NONE,              // 98: language 0, items 0 and 1: default's texts
    AT(210), AT(214), AT(220), NONE,     // 114: language 1: C0, Zero, C1, none
    AT(210), AT(224), NONE, NONE,        // 130: language 2: C0 (shared), Nul, none, none
    NONE, NONE, NONE, NONE,              // 146: language 3
    NONE, NONE, NONE, NONE,              // 162: language 4
    NONE, NONE, NONE, NONE,              // 178: language 5
    NONE, NONE, NONE, NONE,              // 194: language 6
    2, 0, 'C', '0',                      // 210: code text "C0"
    4, 0, 'Z', 'e', 'r', 'o',            // 214: long text "Zero"
    2, 0, 'C', '1',                      // 220: code text "C1"
    3, 0, 'N', 'u', 'l',                 // 224: long text "Nul"
};
// clang-format on

// Length field and check bytes for the bytes as they stand.
std::vector<uint8_t> Sealed(std::vector<uint8_t> bytes) {
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[6 + i] = static_cast<uint8_t>(size >> (8 * i));
    bytes[4] = bytes[5] = 0;
    uint8_t sum = 0, exclusive = 0;
    for (uint8_t b : bytes) {
        sum = static_cast<uint8_t>(sum + b);
        exclusive ^= b;
    }
    bytes[4] = sum;
    bytes[5] = exclusive;
    return bytes;
}

std::vector<uint8_t> HandMade() {
    return Sealed(std::vector<uint8_t>(std::begin(kHandMade), std::end(kHandMade)));
}

LocalClockReading NewYear2025() {
    LocalClockReading now{};
    now.date = {2025, 1, 1};
    return now;
}

class CatalogueReaderTest : public ::testing::Test {
  protected:
    Catalogue data{};
    RegionalNumberSettings regional{',', '.', 0};
    CatalogueFault fault;

    void SetUp() override {
        localClockSource = NewYear2025;
        ASSERT_TRUE(MakeItemTextBlocks(data));
    }
    void TearDown() override {
        ReleaseItemTextBlocks(data);
        localClockSource = ReadSystemClock;
    }
    bool Load(const std::vector<uint8_t>& bytes) {
        MemoryFile file(bytes.data(), bytes.size());
        return LoadCatalogueFrom(file, data, regional, &fault);
    }
    const ItemTextRow& Row(int language, int item) { return data.itemTexts[language][item]; }
    // A failed load shows nothing: no counts, texts, prices or digits of its own.
    void ExpectEmpty() {
        EXPECT_EQ(data.itemCount, 0);
        EXPECT_EQ(data.addressCount, 0);
        EXPECT_STREQ(data.currency, "");
        EXPECT_STREQ(data.priceListLabel, "");
        EXPECT_EQ(data.surchargePercent, 0.0);
        EXPECT_EQ(data.validUntil.year, 0);
        EXPECT_STREQ(data.addresses[0].title, "");
        for (int language = 0; language < kLanguageCount; ++language) {
            EXPECT_STREQ(data.noteLines[language][0], "");
            EXPECT_STREQ(Row(language, 0).itemCode, "");
        }
        EXPECT_EQ(data.displayOrder[0], -1);
        EXPECT_EQ(regional.currencyDigits, 0);
    }
};

TEST_F(CatalogueReaderTest, HandMadeFileLoadsEveryField) {
    ASSERT_EQ(sizeof kHandMade, 229u);
    ASSERT_TRUE(Load(HandMade()));
    EXPECT_EQ(data.defaultLanguage, 1);
    EXPECT_STREQ(data.priceListLabel, "Tag");
    EXPECT_STREQ(data.currency, "EUR");
    EXPECT_EQ(regional.currencyDigits, 2);
    EXPECT_EQ(data.surchargePercent, 16.0);
    EXPECT_EQ(data.validUntil.year, 2030);
    EXPECT_EQ(data.validUntil.day, 15);
    EXPECT_EQ(data.validUntil.month, 6);
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        EXPECT_STREQ(data.noteLines[language][0], "A") << "empty notes take the default's";
        EXPECT_STREQ(data.noteLines[language][1], "B");
    }
    EXPECT_EQ(data.addressCount, 1);
    EXPECT_STREQ(data.addresses[0].title, "HQ");
    EXPECT_STREQ(data.addresses[0].lines[0], "St1");
    EXPECT_STREQ(data.addresses[0].lines[1], "");
    EXPECT_EQ(data.itemCount, 2);
    EXPECT_EQ(data.prices[0], 1.0);
    EXPECT_EQ(data.prices[1], 2.5);
    EXPECT_EQ(data.orderRank[0], 2);
    EXPECT_EQ(data.orderRank[1], 1);
    EXPECT_EQ(data.displayOrder[0], 1);
    EXPECT_EQ(data.displayOrder[1], 0);
    EXPECT_EQ(data.displayOrder[2], -1);
}

TEST_F(CatalogueReaderTest, ItemTextsFallBackToTheDefaultLanguage) {
    ASSERT_TRUE(Load(HandMade()));
    struct Expected {
        int language, item;
        const char *code, *text;
    } cases[] = {
        {1, 0, "C0", "Zero"}, {1, 1, "C1", ""}, // the default language itself
        {0, 0, "C0", "Zero"}, {0, 1, "C1", ""}, // all negative: the default's texts
        {2, 0, "C0", "Nul"},  {2, 1, "C1", ""}, // a shared offset, an own text
        {6, 0, "C0", "Zero"}, {6, 1, "C1", ""},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(testing::Message() << "language " << e.language << " item " << e.item);
        EXPECT_STREQ(Row(e.language, e.item).itemCode, e.code);
        EXPECT_STREQ(Row(e.language, e.item).itemText, e.text);
    }
}

// Each field made wrong in turn, the file sealed again so that only the
// field's own check can catch it.
TEST_F(CatalogueReaderTest, EachBadFieldFailsItsOwnCheckAtItsOffset) {
    struct Case {
        const char* what;
        size_t at;
        std::vector<uint8_t> bytes;
        CatalogueCheck check;
        int64_t offset, found;
    } cases[] = {
        {"default language 7", 10, {7}, CatalogueCheck::DefaultLanguage, 10, 7},
        {"language -1", 10, {0xFF, 0xFF, 0xFF, 0xFF}, CatalogueCheck::DefaultLanguage, 10, -1},
        {"label of 31", 14, {31}, CatalogueCheck::StringLength, 14, 31},
        {"currency of 8", 19, {8}, CatalogueCheck::StringLength, 19, 8},
        {"note of 2000", 41, {0xD0, 0x07}, CatalogueCheck::StringLength, 41, 2000},
        {"no address", 57, {0}, CatalogueCheck::AddressCount, 57, 0},
        {"31 addresses", 57, {31}, CatalogueCheck::AddressCount, 57, 31},
        {"title of 41", 61, {41}, CatalogueCheck::StringLength, 61, 41},
        {"lines of 2000", 65, {0xD0, 0x07}, CatalogueCheck::StringLength, 65, 2000},
        {"no item", 70, {0}, CatalogueCheck::ItemCount, 70, 0},
        {"101 items", 70, {101}, CatalogueCheck::ItemCount, 70, 101},
        {"order length -1", 90, {0xFF, 0xFF, 0xFF, 0xFF}, CatalogueCheck::OrderLength, 90, -1},
        {"huge order", 90, {0xFF, 0xFF, 0xFF, 0x7F}, CatalogueCheck::Read, 94, 135},
        {"code past the end", 114, {AT(300)}, CatalogueCheck::Read, 300, 0},
        {"code at 2^31-1", 114, {0xFF, 0xFF, 0xFF, 0x7F}, CatalogueCheck::Read, 0x7FFFFFFF, 0},
        // Offsets into the offset tables: D6 00 at 118 reads as a length of
        // 214 > 20, D2 00 at 130 as 210 > 50.
        {"code of 214", 114, {AT(118)}, CatalogueCheck::StringLength, 118, 214},
        {"text of 210", 118, {AT(130)}, CatalogueCheck::StringLength, 130, 210},
        {"text of 51", 214, {51}, CatalogueCheck::StringLength, 214, 51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes(std::begin(kHandMade), std::end(kHandMade));
        std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<long>(c.at));
        regional.currencyDigits = 0;
        EXPECT_FALSE(Load(Sealed(bytes)));
        EXPECT_EQ(fault.check, c.check);
        EXPECT_EQ(fault.offset, c.offset);
        EXPECT_EQ(fault.found, c.found);
        ExpectEmpty();
    }
}

TEST_F(CatalogueReaderTest, FileChecksCatchLengthAndChangedBytes) {
    std::vector<uint8_t> bytes = HandMade();
    bytes.push_back(0);
    EXPECT_FALSE(Load(bytes)) << "one byte longer";
    EXPECT_EQ(fault.check, CatalogueCheck::FileLength);
    EXPECT_EQ(fault.expectedLow, 230);
    EXPECT_EQ(fault.found, 229);
    bytes.resize(228);
    EXPECT_FALSE(Load(bytes)) << "one byte shorter";
    EXPECT_EQ(fault.check, CatalogueCheck::FileLength);

    const std::vector<uint8_t> good = HandMade();
    for (size_t at = 0; at < good.size(); ++at) {
        if (at == 4 || at == 5)
            continue;
        SCOPED_TRACE(at);
        bytes = good;
        bytes[at] ^= 0x10;
        EXPECT_FALSE(Load(bytes));
    }
    bytes = good;
    bytes[4] ^= 1;
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(fault.check, CatalogueCheck::SumByte);
    bytes = good;
    bytes[5] ^= 1;
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(fault.check, CatalogueCheck::XorByte);
    bytes = good;
    bytes[0] = 'D';
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(fault.check, CatalogueCheck::Magic);
}

TEST_F(CatalogueReaderTest, CheckBytesNeverEnterTheirOwnSums) {
    // Any values in bytes 4 and 5 give the same sums over the rest.
    std::vector<uint8_t> bytes(std::begin(kHandMade), std::end(kHandMade));
    bytes[4] = 0xAB;
    bytes[5] = 0xCD;
    EXPECT_EQ(Sealed(bytes), HandMade());
    ASSERT_TRUE(Load(HandMade()));
}

// A file cut anywhere and sealed again fails in the read that crosses the
// cut: the reader knows where each field starts.
TEST_F(CatalogueReaderTest, AFileCutAnywhereFailsInTheReadAcrossTheCut) {
    const std::vector<uint8_t> whole(std::begin(kHandMade), std::end(kHandMade));
    for (size_t cut = 10; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
        EXPECT_FALSE(Load(Sealed(bytes)));
        EXPECT_EQ(fault.check, CatalogueCheck::Read);
        EXPECT_LE(fault.offset, static_cast<int64_t>(cut));
        EXPECT_GT(fault.offset + fault.expectedLow, static_cast<int64_t>(cut));
    }
    for (size_t cut = 0; cut < 10; ++cut) {
        const std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
        EXPECT_FALSE(Load(bytes));
        EXPECT_EQ(fault.check, CatalogueCheck::Read);
    }
}

TEST_F(CatalogueReaderTest, AFailedLoadAfterAGoodOneLeavesNothingBehind) {
    ASSERT_TRUE(Load(HandMade()));
    std::vector<uint8_t> bytes(std::begin(kHandMade), std::end(kHandMade));
    bytes[90] = 0xFF; // order length -1: everything before it was read
    bytes[91] = bytes[92] = bytes[93] = 0xFF;
    regional.currencyDigits = 0;
    EXPECT_FALSE(Load(Sealed(bytes)));
    ExpectEmpty();
}

TEST_F(CatalogueReaderTest, FaultsReadAsOneLineForPeople) {
    std::vector<uint8_t> bytes = HandMade();
    bytes[4] ^= 1;
    ASSERT_FALSE(Load(bytes));
    char text[200];
    DescribeCatalogueFault(fault, text, sizeof text);
    char expected[200];
    std::snprintf(expected, sizeof expected,
                  "offset 4 (sum byte): check byte differs: expected 0x%02X (computed from the "
                  "file), found 0x%02X",
                  bytes[4] ^ 1, bytes[4]);
    EXPECT_STREQ(text, expected);

    bytes = std::vector<uint8_t>(std::begin(kHandMade), std::end(kHandMade));
    bytes[114] = 44; // language 1, item 0 code: at offset 44, in the note "A" CR LF "B"
    ASSERT_FALSE(Load(Sealed(bytes)));
    DescribeCatalogueFault(fault, text, sizeof text);
    EXPECT_STREQ(text, "offset 44 (code text of item 0, language 1): counted string longer than "
                       "its capacity: expected 0..20, found 2573");
    ASSERT_FALSE(Load({'C', '3', '0', '6', 0, 0, 10, 0, 0, 0}));
    DescribeCatalogueFault(fault, text, sizeof text);
    EXPECT_STREQ(text, "offset 0 (magic): not a catalogue file: expected \"C305\", found \"C306\"");
}

} // namespace
