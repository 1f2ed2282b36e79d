// The date printed in the order sheet's footer, in the user's short date
// pattern ("dd.MM.yyyy", "M/d/yy", ...).
#pragma once

#include <cstddef>

struct LocalDate;

// Longest pattern read from the settings (characters).
constexpr int kShortDatePatternLimit = 14;
// Enough for any date this writes: two 5-digit fields, a year and separators.
constexpr int kPrintDateSize = 32;

struct ShortDatePattern {
    // Letters counted per field (day, month, year) and the field's place
    // (0..2) among the three.
    int letters[3];
    int place[3];
    char separator;
};

enum DateField { kDayField = 0, kMonthField = 1, kYearField = 2 };

// Reads a pattern, upper or lower case. Anything it cannot use (no day or
// month letter, fewer than two year letters, no separator) gives the
// fallback: day, month, year with two places each and "-" between.
ShortDatePattern ParseShortDatePattern(const char* pattern);

// Writes `date` by the pattern into `out` (cut to outSize - 1). Fields that
// claim the same place keep day, month, year order among themselves.
void FormatDate(const ShortDatePattern& pattern, const LocalDate& date, char* out, size_t outSize);
