// The quantity table: its size, its groups' boundaries, the names and units
// the data file's columns get, and lookups by id.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "card/quantity_table.h"

namespace {

std::string Field(uint32_t id) {
    const QuantityText q = FindQuantity(id);
    return std::string(q.name) + "|" + std::string(q.unit);
}

TEST(CardQuantityTable, HasItsRowsWithDistinctIds) {
    std::set<int> ids;
    for (const QuantityInfo& row : QuantityTable) {
        ids.insert(row.id);
        EXPECT_EQ(row.name[sizeof row.name - 1], '\0') << row.id;
        EXPECT_EQ(row.unit[sizeof row.unit - 1], '\0') << row.id;
    }
    EXPECT_EQ(QuantityTable.size(), 1480u);
    EXPECT_EQ(ids.size(), 1480u);
}

TEST(CardQuantityTable, RowsStandInTheirGroupsOrder) {
    const struct {
        size_t row;
        int id;
    } starts[] = {{0, 0},      {74, 110},    {75, 128},    {150, 256},   {225, 384},
                  {300, 512},  {375, 640},   {450, 768},   {456, 896},   {486, 1024},
                  {492, 1280}, {1410, 2432}, {1458, 2560}, {1465, 2816}, {1479, 2830}};
    for (const auto& start : starts)
        EXPECT_EQ(QuantityTable[start.row].id, start.id) << "row " << start.row;
}

TEST(CardQuantityTable, NamesAndUnitsByGroup) {
    const struct {
        uint32_t id;
        const char* field;
    } cases[] = {
        {0, "U1|V"},         {3, "U\xE4|V"},    {8, "In|A"},         {39, "Pc\xE4|W"},
        {71, "WQ\xE4|varh"}, {90, "W6T3|VAh"},  {96, "PF1|"},        {104, "cu\xE4|"},
        {105, "f|Hz"},       {110, "Rot|"},     {128, "\xCFU1|V"},   {238, "\xCFRot|"},
        {256, "\xD0U1|V"},   {384, "U1|V"},     {392, "In|A"},       {393, "\xDBU12|V"},
        {494, "\xDBRot|"},   {512, "0U1|V"},    {617, "0f|Hz"},      {640, "1U1|V"},
        {750, "1Rot|"},      {768, "THD-I1|%"}, {777, "THD-U3|%"},   {896, "I1<2%|"},
        {900, "I1>20%|"},    {901, "U1<2%|"},   {906, "I2<2%|"},     {925, "U3>20%|"},
        {1026, "I3l|"},      {1152, "U1l|"},    {1280, "I1-00|A"},   {1330, "I1-50|A"},
        {1331, "U1-00|V"},   {1637, "U3-50|V"}, {1664, "phiI1-00|"}, {2021, "phiU3-50|"},
        {2048, "%I1-00|"},   {2405, "%U3-50|"}, {2432, "oI1|"},      {2441, "THDI1|"},
        {2453, "dU1|"},      {2471, "dU1|"},    {2479, "dI3|"},      {2560, "Time|"},
        {2563, "Value|"},    {2688, "Ufact|"},  {2690, "Phase|"},    {2816, "Pst1|"},
        {2825, "dt>3%1|"},   {2830, "Plt3|"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Field(c.id), c.field) << "id " << c.id;
}

TEST(CardQuantityTable, GapsAndUpperBitsAreUnknown) {
    for (uint32_t id : {12u, 31u, 111u, 127u, 239u, 770u, 926u, 1027u, 1381u + 1, 2831u, 32767u,
                        0x10000u, 0x10000u + 105, 0x80000000u, 0xFFFFFFFFu})
        EXPECT_EQ(Field(id), "|") << "id " << id;
}

TEST(CardQuantityTable, LookupFindsTheFirstRowASearchFromTheTopFinds) {
    for (uint32_t id = 0; id < 3000; ++id) {
        const QuantityInfo* first = nullptr;
        for (const QuantityInfo& row : QuantityTable)
            if (static_cast<uint32_t>(row.id) == id) {
                first = &row;
                break;
            }
        const QuantityText found = FindQuantity(id);
        ASSERT_EQ(first == nullptr, found.name.empty()) << id;
        if (first != nullptr) {
            EXPECT_EQ(found.name.data(), first->name) << id;
            EXPECT_EQ(found.unit.data(), first->unit) << id;
        }
    }
}

} // namespace
