#include "config/regional.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

RegionalNumberSettings Settings(char decimal, char thousand, int32_t digits) {
    return RegionalNumberSettings{decimal, thousand, digits};
}

std::string Amount(double amount, const RegionalNumberSettings& settings) {
    char text[kAmountTextSize];
    FormatAmount(text, amount, settings);
    return text;
}

const RegionalNumberSettings kCommaTwo = Settings(',', '.', 2);

TEST(FormatAmount, WritesTwoDigitAmountsWithGrouping) {
    EXPECT_EQ(Amount(1234567.891, kCommaTwo), "1.234.567,89");
    EXPECT_EQ(Amount(0.05, kCommaTwo), "0,05");
    EXPECT_EQ(Amount(1000.0, kCommaTwo), "1.000,--");
}

TEST(FormatAmount, WritesDashesForAZeroFraction) {
    EXPECT_EQ(Amount(12, kCommaTwo), "12,--");
    EXPECT_EQ(Amount(0.004, kCommaTwo), "0,--");
    EXPECT_EQ(Amount(0.0, kCommaTwo), "0,--");
    EXPECT_EQ(Amount(0.999, kCommaTwo), "1,--");
    EXPECT_EQ(Amount(3.0, Settings(',', '.', 1)), "3,-");
}

TEST(FormatAmount, RoundsToTheCurrencyDigits) {
    EXPECT_EQ(Amount(1234.5, Settings(',', '.', 0)), "1.235");
    EXPECT_EQ(Amount(2.25, Settings(',', '.', 1)), "2,3");
    EXPECT_EQ(Amount(1234567, Settings(',', 0, 0)), "1234567");
}

TEST(FormatAmount, RefusesWhatCannotBeShown) {
    EXPECT_EQ(Amount(-1, kCommaTwo), "*****");
    EXPECT_EQ(Amount(-0.001, kCommaTwo), "*****");
    EXPECT_EQ(Amount(std::nan(""), kCommaTwo), "*****");
    EXPECT_EQ(Amount(std::numeric_limits<double>::infinity(), kCommaTwo), "*****");
    EXPECT_EQ(Amount(40000001, kCommaTwo), "*****");
    EXPECT_EQ(Amount(400000000.5, Settings(',', '.', 0)), "*****");
    EXPECT_EQ(Amount(1e300, Settings(',', '.', 1)), "*****");
}

TEST(FormatAmount, FormatsAmountsExactlyAtTheLimit) {
    EXPECT_EQ(Amount(40000000, kCommaTwo), "40.000.000,--");
    EXPECT_EQ(Amount(400000000, Settings(',', '.', 1)), "400.000.000,-");
    EXPECT_EQ(Amount(400000000, Settings(',', '.', 0)), "400.000.000");
    EXPECT_EQ(Amount(39999999.99, kCommaTwo), "39.999.999,99");
}

TEST(FormatAmount, KeepsOutOfRangeDigitCountsWithinTwo) {
    EXPECT_EQ(Amount(1.5, Settings('.', ',', 7)), "1.50");
    EXPECT_EQ(Amount(1.5, Settings('.', ',', -3)), "2");
}

TEST(ReadRegionalSettings, TakesTheSeparatorsOfTheCurrentLocale) {
    RegionalNumberSettings saved = regionalSettings;
    std::setlocale(LC_NUMERIC, "C");
    ReadRegionalSettings();
    char text[kAmountTextSize];
    FormatAmount(text, 1234.5);
    regionalSettings = saved;
    EXPECT_STREQ(text, "1234.50");
}

TEST(ParseRegionalSettings, TakesTheFirstVisibleCharacters) {
    RegionalNumberSettings settings = ParseRegionalSettings(",", ".", "2");
    EXPECT_EQ(settings.decimalSeparator, ',');
    EXPECT_EQ(settings.thousandsSeparator, '.');
    EXPECT_EQ(settings.currencyDigits, 2);
    EXPECT_EQ(ParseRegionalSettings(",;", "'x", "1").thousandsSeparator, '\'');
}

TEST(ParseRegionalSettings, TreatsBlankSeparatorsAsAbsent) {
    RegionalNumberSettings settings = ParseRegionalSettings("", " ", "2");
    EXPECT_EQ(settings.decimalSeparator, '.');
    EXPECT_EQ(settings.thousandsSeparator, 0);
    EXPECT_EQ(Amount(1234567, settings), "1234567.--");

    settings = ParseRegionalSettings(nullptr, nullptr, nullptr);
    EXPECT_EQ(settings.decimalSeparator, '.');
    EXPECT_EQ(settings.thousandsSeparator, 0);
    EXPECT_EQ(settings.currencyDigits, 0);
    EXPECT_EQ(ParseRegionalSettings("\t", "\x1f", "0").decimalSeparator, '.');
    EXPECT_EQ(ParseRegionalSettings("\xa0", "", "0").decimalSeparator, '\xa0');
}

TEST(ParseRegionalSettings, ClampsTheCurrencyDigits) {
    auto digits = [](const char* text) {
        return ParseRegionalSettings(".", ",", text).currencyDigits;
    };
    EXPECT_EQ(digits("3"), 2);
    EXPECT_EQ(digits("1"), 1);
    EXPECT_EQ(digits(""), 0);
    EXPECT_EQ(digits("-1"), 0);
    EXPECT_EQ(digits("x2"), 0);
    EXPECT_EQ(digits("  +1z"), 1);
    EXPECT_EQ(digits("\t02"), 2);
    EXPECT_EQ(digits("99999999999999999999999"), 2);
    EXPECT_EQ(digits("-99999999999999999999999"), 0);
}

} // namespace
