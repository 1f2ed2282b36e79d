#include "config/setup_table.h"

#include <cctype>
#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string Lookup(const char* key, int size = 64) {
    char out[64];
    std::memset(out, 'x', sizeof out);
    LookupSetupValue(key, out, size);
    return out;
}

TEST(SetupTable, HoldsTheEntriesInOrder) {
    ASSERT_EQ(sizeof setupTable / sizeof setupTable[0], 102u);
    EXPECT_STREQ(setupTable[0].key, "chan1");
    EXPECT_STREQ(setupTable[3].key, "scale1");
    EXPECT_STREQ(setupTable[3].value, "0");
    EXPECT_STREQ(setupTable[39].key, "scale10");
    EXPECT_STREQ(setupTable[40].key, "lut1");
    EXPECT_STREQ(setupTable[40].value, "0 []");
    EXPECT_STREQ(setupTable[50].key, "rate");
    EXPECT_STREQ(setupTable[58].key, "channels");
    EXPECT_STREQ(setupTable[59].key, "vardef1");
    EXPECT_STREQ(setupTable[78].key, "varscale10");
    EXPECT_STREQ(setupTable[79].key, "colors");
    EXPECT_STREQ(setupTable[90].key, "digirec");
    EXPECT_STREQ(setupTable[91].key, "prcoch1");
    EXPECT_STREQ(setupTable[91].value, "0 0 -30 0 mV");
    EXPECT_STREQ(setupTable[101].key, "prcoinf");
    EXPECT_STREQ(setupTable[101].value, "7500 0 1 0 0");
}

TEST(SetupTable, KeysAreUniqueWithoutRegardToCase) {
    std::set<std::string> keys;
    for (const SetupEntry& entry : setupTable) {
        std::string key = entry.key;
        for (char& c : key)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(keys.insert(key).second) << entry.key;
    }
}

TEST(LookupSetupValue, MatchesKeysWithoutRegardToCase) {
    EXPECT_EQ(Lookup("RATE"), "1000");
    EXPECT_EQ(Lookup("Rate"), "1000");
    EXPECT_EQ(Lookup("logcal"), "1000 1100 1200 1001 1101 1201 100 100 100 100 100 100");
}

TEST(LookupSetupValue, CutsTheValueToTheBuffer) {
    EXPECT_EQ(Lookup("view", 3), "2 ");
    EXPECT_EQ(Lookup("view"), "2 0 0");
    EXPECT_EQ(Lookup("view", 5), "2 0 ");
    EXPECT_EQ(Lookup("view", 1), "");
}

TEST(LookupSetupValue, GivesTheEmptyTextForUnknownKeys) {
    EXPECT_EQ(Lookup("chan11"), "");
    EXPECT_EQ(Lookup("chan"), "");
    EXPECT_EQ(Lookup("rates"), "");
    EXPECT_EQ(Lookup(""), "");
    EXPECT_EQ(Lookup("chan1"), "");
}

TEST(LookupSetupValue, WritesNothingWithoutRoom) {
    char out[4] = {'a', 'b', 'c', '\0'};
    LookupSetupValue("rate", out, 0);
    LookupSetupValue("rate", out, -5);
    LookupSetupValue(nullptr, out, 4);
    EXPECT_STREQ(out, "abc");
    LookupSetupValue("rate", nullptr, 4);
}

} // namespace
