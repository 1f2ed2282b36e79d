// The texts of a data file's block: date and time from the card's counts,
// the header text, the quantity fields and the 8-place count fields.
#include <gtest/gtest.h>

#include <string>

#include "card/block_text.h"
#include "card/day_time_text.h"

namespace {

std::string Day(uint32_t dayNumber) {
    char text[kDayTextSize];
    const int length = FormatDayNumber(dayNumber, text);
    EXPECT_EQ(length, static_cast<int>(std::string(text).size()));
    return text;
}

std::string Time(uint32_t seconds) {
    char text[kTimeTextSize];
    FormatSecondsOfDay(seconds, text);
    return text;
}

std::string QuantityField(uint32_t id) {
    char text[kQuantityFieldSize];
    return std::string(text, static_cast<size_t>(FormatQuantityField(text, id)));
}

std::string CountField(uint32_t value) {
    char text[kCountFieldWidth];
    if (!FormatCountField(text, value))
        return "refused";
    return std::string(text, sizeof text);
}

TEST(CardDayText, CountsDaysInFourYearCyclesFromYearZero) {
    EXPECT_EQ(Day(731426), "15.07.2002");
    EXPECT_EQ(Day(730865), "31.12.2000");
    EXPECT_EQ(Day(730866), "01.01.2001");
    EXPECT_EQ(Day(0), "01.01.   0");
    EXPECT_EQ(Day(59), "29.02.   0") << "year 0 is a leap year";
    EXPECT_EQ(Day(365), "31.12.   0") << "the cycle's day 365 ends its leap year";
    EXPECT_EQ(Day(366), "01.01.   1");
    EXPECT_EQ(Day(366 + 59), "01.03.   1") << "no 29 February in a common year";
    EXPECT_EQ(Day(1460), "31.12.   3");
    EXPECT_EQ(Day(1461), "01.01.   4");
    EXPECT_EQ(Day(1461 * 25 + 59), "29.02. 100") << "no century rule";
    EXPECT_EQ(Day(1461 * 250), "01.01.1000");
    EXPECT_EQ(Day(0xFFFFFFFFu).size(), 14u) << "the largest count still fits";
}

TEST(CardTimeText, HoursAreNotReducedModulo24) {
    EXPECT_EQ(Time(45296), "12:34:56");
    EXPECT_EQ(Time(90061), "25:01:01");
    EXPECT_EQ(Time(0), "00:00:00");
    EXPECT_EQ(Time(86399), "23:59:59");
    EXPECT_EQ(Time(0xFFFFFFFFu), "1193046:28:15");
}

TEST(CardBlockText, HeaderUpToTheQuantityCount) {
    char text[kBlockTextSize];
    const BlockHeader header{731426, 45296, 60, 2};
    const int length = FormatBlockText(text, 5, header);
    EXPECT_EQ(std::string(text, static_cast<size_t>(length)),
              "005;        ;15.07.2002;12:34:56;60;2;");
    FormatBlockText(text, 0, {0, 0, 0, 1});
    EXPECT_EQ(std::string(text), "000;        ;01.01.   0;00:00:00;0;1;");
    FormatBlockText(text, 255, {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu});
    EXPECT_EQ(std::string(text),
              "255;        ;" + Day(0xFFFFFFFFu) + ";1193046:28:15;4294967295;4294967295;");
}

TEST(CardBlockText, QuantityFieldIsBuiltStepByStep) {
    EXPECT_EQ(QuantityField(0), "U1 V;");
    EXPECT_EQ(QuantityField(105), "f Hz;");
    EXPECT_EQ(QuantityField(1331), "U1-00 V;");
    EXPECT_EQ(QuantityField(384), "U1 V;");
    EXPECT_EQ(QuantityField(393), "\xDBU12 V;");
    // No unit: the unit's place holds one space of its own.
    EXPECT_EQ(QuantityField(96), "PF1  ;");
    EXPECT_EQ(QuantityField(104), "cu\xE4  ;");
    // Unknown: one space for the name, one between, one for the unit.
    EXPECT_EQ(QuantityField(12), "   ;");
    EXPECT_EQ(QuantityField(0x10000), "   ;");
}

TEST(CardBlockText, CountFieldsHaveEightPlacesAndNeverMore) {
    EXPECT_EQ(CountField(0), "       0");
    EXPECT_EQ(CountField(98), "      98");
    EXPECT_EQ(CountField(99999999), "99999999");
    EXPECT_EQ(CountField(100000000), "refused");
}

} // namespace
