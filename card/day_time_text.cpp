#include "card/day_time_text.h"

#include "card/decimal_text.h"

namespace {

constexpr uint32_t kDaysPerCycle = 4 * 365 + 1;
constexpr uint32_t kLeapYearDays = 366;
constexpr uint32_t kCommonYearDays = 365;

} // namespace

int FormatDayNumber(uint32_t dayNumber, char (&text)[kDayTextSize]) {
    const uint32_t cycle = dayNumber / kDaysPerCycle;
    const uint32_t dayInCycle = dayNumber % kDaysPerCycle;
    uint32_t year = 4 * cycle;
    uint32_t dayOfYear = dayInCycle;
    bool leap = true;
    if (dayInCycle >= kLeapYearDays) {
        const uint32_t afterLeapYear = dayInCycle - kLeapYearDays;
        year += 1 + afterLeapYear / kCommonYearDays;
        dayOfYear = afterLeapYear % kCommonYearDays;
        leap = false;
    }
    const uint32_t monthLengths[12] = {31, leap ? 29u : 28u, 31, 30, 31, 30, 31, 31, 30, 31, 30,
                                       31};
    int month = 1;
    for (uint32_t length : monthLengths) {
        if (dayOfYear < length)
            break;
        dayOfYear -= length;
        ++month;
    }
    // "%02d.%02d.%4d"
    char* end = PutDecimal(text, dayOfYear + 1, 2, '0');
    *end++ = '.';
    end = PutDecimal(end, static_cast<uint32_t>(month), 2, '0');
    *end++ = '.';
    end = PutDecimal(end, year, 4, ' ');
    *end = '\0';
    return static_cast<int>(end - text);
}

int FormatSecondsOfDay(uint32_t seconds, char (&text)[kTimeTextSize]) {
    // "%02d:%02d:%02d"
    char* end = PutDecimal(text, seconds / 3600, 2, '0');
    *end++ = ':';
    end = PutDecimal(end, seconds % 3600 / 60, 2, '0');
    *end++ = ':';
    end = PutDecimal(end, seconds % 60, 2, '0');
    *end = '\0';
    return static_cast<int>(end - text);
}
