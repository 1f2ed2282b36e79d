#include <gtest/gtest.h>

#include <string>

#include "config/catalogue_clock.h"
#include "print/print_date.h"

namespace {

std::string Format(const char* pattern, LocalDate date = {2002, 7, 15}) {
    char out[kPrintDateSize];
    FormatDate(ParseShortDatePattern(pattern), date, out, sizeof out);
    return out;
}

TEST(PrintDate, UsersPatterns) {
    const struct {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"dd.MM.yyyy", "15.07.2002"}, {"M/d/yy", "7/15/02"},        {"yyyy-MM-dd", "2002-07-15"},
        {"dd.MM.yy", "15.07.02"},     {"DD.mm.YYYY", "15.07.2002"}, {"d.M.yyy", "15.7.2002"},
        {"yy/M/d", "02/7/15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.pattern), c.expected) << c.pattern;
    EXPECT_EQ(Format("d/M/yy", {2009, 3, 4}), "4/3/09");
    EXPECT_EQ(Format("dd.MM.yyyy", {2009, 3, 4}), "04.03.2009");
}

TEST(PrintDate, UnusablePatternsFallBack) {
    // Day, month, two-digit year, "-" between.
    for (const char* pattern : {"", "dd.MM", "MM/yyyy", "dd/yy", "ddMMyyyy", "d.M.y", "xyz"})
        EXPECT_EQ(Format(pattern), "15-07-02") << '"' << pattern << '"';
    char out[kPrintDateSize];
    FormatDate(ParseShortDatePattern(nullptr), {2002, 7, 15}, out, sizeof out);
    EXPECT_STREQ(out, "15-07-02");
}

TEST(PrintDate, ExtraLettersAndSeparators) {
    // Letters beyond a field's most are ignored; the last separator wins.
    EXPECT_EQ(Format("ddd.MMMM.yyyyyy"), "15.07.2002");
    EXPECT_EQ(Format("dd/MM.yyyy"), "15.07.2002");
    EXPECT_EQ(Format("yyyy. MM. dd"), "2002 07 15");
    // Only the first 14 characters count: the year letters here come too late.
    EXPECT_EQ(Format("dd.MM.--------yyyy"), "15-07-02");
}

TEST(PrintDate, TwoDigitYears) {
    EXPECT_EQ(Format("dd.MM.yy", {2000, 1, 2}), "02.01.00");
    EXPECT_EQ(Format("dd.MM.yy", {1999, 12, 31}), "31.12.99");
    EXPECT_EQ(Format("dd.MM.yy", {1899, 12, 31}), "31.12.99");
}

TEST(PrintDate, FieldsClaimingOnePlaceStayInOrder) {
    // "d" again after "M" claims the month's place; neither is lost.
    EXPECT_EQ(Format("dMd.yy"), "15.7.02");
}

TEST(PrintDate, ShortOutputIsCut) {
    char out[6];
    FormatDate(ParseShortDatePattern("dd.MM.yyyy"), {2002, 7, 15}, out, sizeof out);
    EXPECT_STREQ(out, "15.07");
}

} // namespace
