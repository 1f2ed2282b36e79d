// The host's text table against what the module asks of it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/text_table.h"

namespace {

// Ranges of ids the module fetches: title, print labels, page text, typed
// texts, script and help texts, dialog captions and labels.
struct IdRange {
    unsigned first;
    unsigned last;
};
const IdRange kRequiredIds[] = {{6145, 6145},   {8301, 8315},   {8318, 8318},   {8501, 8502},
                                {8511, 8554},   {13001, 13034}, {23012, 23012}, {23070, 23070},
                                {23098, 23099}, {23110, 23110}, {23355, 23371}};

// The smallest buffer the module passes for these texts is 99 bytes.
constexpr std::size_t kLongestText = 98;

int CountOf(const std::string& text, const char* part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(HostTextTable, IsSortedWithoutDuplicatesAndFitsTheModulesBuffers) {
    std::size_t count = 0;
    const HostTextEntry* table = HostTextTable(&count);
    ASSERT_GT(count, 0u);
    for (std::size_t i = 0; i < count; ++i) {
        ASSERT_NE(table[i].text, nullptr) << table[i].id;
        EXPECT_GT(std::strlen(table[i].text), 0u) << table[i].id;
        EXPECT_LE(std::strlen(table[i].text), kLongestText) << table[i].id;
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, table[i].id) << "at " << table[i].id;
        }
    }
}

TEST(HostTextTable, HoldsEveryIdTheModuleAsksFor) {
    for (const IdRange& range : kRequiredIds) {
        for (unsigned id = range.first; id <= range.last; ++id) {
            EXPECT_NE(HostText(id), nullptr) << "missing text " << id;
        }
    }
    EXPECT_EQ(HostText(0), nullptr);
    EXPECT_EQ(HostText(1), nullptr);
    EXPECT_EQ(HostText(99999), nullptr);
}

TEST(HostTextTable, PrintTextsAreSafeFormatsAndTypedTextsAreExact) {
    for (unsigned id = 8301; id <= 8315; ++id) {
        std::string text = HostText(id);
        const int expectedArguments = (id == 8303 || id == 8304) ? 1 : 0;
        EXPECT_EQ(CountOf(text, "%s"), expectedArguments) << id;
        EXPECT_EQ(CountOf(text, "%"), expectedArguments) << id;
    }
    EXPECT_STREQ(HostText(8501), "1.0");
    EXPECT_STREQ(HostText(8502), "200");
}

TEST(CopyHostText, TruncatesSafelyAndNeverWritesPastTheBuffer) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    CopyHostText(6145, buffer, 5);
    EXPECT_STREQ(buffer, std::string(HostText(6145), 4).c_str());
    EXPECT_EQ(buffer[5], 'x');

    CopyHostText(8502, buffer, 4); // exactly fits
    EXPECT_STREQ(buffer, "200");

    CopyHostText(6145, buffer, 1);
    EXPECT_STREQ(buffer, "");
}

TEST(CopyHostText, UnknownIdGivesEmptyTextAndBadBuffersAreLeftAlone) {
    char buffer[4] = {'a', 'b', 'c', '\0'};
    CopyHostText(4242, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "");

    char untouched[4] = {'a', 'b', 'c', '\0'};
    CopyHostText(6145, untouched, 0);
    CopyHostText(6145, untouched, -5);
    EXPECT_STREQ(untouched, "abc");
    CopyHostText(6145, nullptr, 99); // must not crash
}

} // namespace
