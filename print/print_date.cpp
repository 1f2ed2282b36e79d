#include "print/print_date.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "config/catalogue_clock.h"

namespace {

constexpr int kMostLetters[3] = {2, 2, 4};

int FieldOfLetter(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'D':
        return kDayField;
    case 'M':
        return kMonthField;
    case 'Y':
        return kYearField;
    default:
        return -1;
    }
}

ShortDatePattern FallbackPattern() {
    return {{2, 2, 2}, {0, 1, 2}, '-'};
}

bool Usable(const ShortDatePattern& pattern) {
    return pattern.letters[kDayField] > 0 && pattern.letters[kMonthField] > 0 &&
           pattern.letters[kYearField] >= 2 && pattern.separator != '\0';
}

int FieldValue(int field, int letters, const LocalDate& date) {
    if (field == kDayField)
        return date.day;
    if (field == kMonthField)
        return date.month;
    if (letters > 2)
        return date.year;
    // Two-digit years count from 1900; the remainder is kept non-negative.
    return ((date.year - 1900) % 100 + 100) % 100;
}

} // namespace

ShortDatePattern ParseShortDatePattern(const char* pattern) {
    ShortDatePattern parsed{{0, 0, 0}, {0, 0, 0}, '\0'};
    const size_t length = pattern ? strnlen(pattern, kShortDatePatternLimit) : 0;
    for (size_t i = 0; i < length; ++i) {
        const int field = FieldOfLetter(pattern[i]);
        if (field < 0) {
            parsed.separator = pattern[i];
            continue;
        }
        if (parsed.letters[field] >= kMostLetters[field])
            continue;
        ++parsed.letters[field];
        int othersSeen = 0;
        for (int other = 0; other < 3; ++other)
            othersSeen += other != field && parsed.letters[other] > 0;
        parsed.place[field] = othersSeen;
    }
    return Usable(parsed) ? parsed : FallbackPattern();
}

void FormatDate(const ShortDatePattern& pattern, const LocalDate& date, char* out, size_t outSize) {
    if (outSize == 0)
        return;
    out[0] = '\0';
    int written = 0;
    for (int place = 0; place < 3; ++place) {
        for (int field = 0; field < 3; ++field) {
            if (pattern.place[field] != place)
                continue;
            const int letters = pattern.letters[field];
            char part[16];
            std::snprintf(part, sizeof part, letters >= 2 ? "%02d" : "%d",
                          FieldValue(field, letters, date));
            const size_t used = std::strlen(out);
            if (written++ > 0)
                std::snprintf(out + used, outSize - used, "%c%s", pattern.separator, part);
            else
                std::snprintf(out + used, outSize - used, "%s", part);
        }
    }
}
