#include "config/regional.h"

#include <cmath>
#include <cstring>

// Until the system's settings are read, amounts are written plainly.
RegionalNumberSettings regionalSettings = {'.', 0, 2};

namespace {

constexpr int kMaxCurrencyDigits = 2;

// A separator character must be visible; control characters and spaces
// count as absent.
char VisibleFirstChar(const char* text) {
    if (text == nullptr)
        return 0;
    unsigned char first = static_cast<unsigned char>(text[0]);
    return first > 32 ? static_cast<char>(first) : 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a decimal integer the way the C library does (blanks, sign, digits up
// to the first non-digit; none gives 0) and clamps it to 0..2. Growing the
// value stops at a bound, so no digit string can overflow.
int32_t ParseCurrencyDigits(const char* text) {
    if (text == nullptr)
        return 0;
    while (IsBlank(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    int32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= kMaxCurrencyDigits)
            value = value * 10 + (*text - '0');
    }
    if (negative || value <= 0)
        return 0;
    return value > kMaxCurrencyDigits ? kMaxCurrencyDigits : value;
}

// Limits in whole units; with two digits n counts hundredths, so the limit is a
// tenth of the others to keep n within 32 bits.
double AmountLimit(int digits) {
    return digits == 2 ? 40000000.0 : 400000000.0;
}

uint32_t ScaleOf(int digits) {
    return digits == 2 ? 100u : digits == 1 ? 10u : 1u;
}

// Writes the whole part with grouping, leftwards from `end`; returns the new start.
char* WriteWholePart(char* end, uint32_t whole, char thousandsSeparator) {
    char* cursor = end;
    int written = 0;
    do {
        if (written > 0 && written % 3 == 0 && thousandsSeparator != 0)
            *--cursor = thousandsSeparator;
        *--cursor = static_cast<char>('0' + whole % 10);
        whole /= 10;
        ++written;
    } while (whole != 0);
    return cursor;
}

// Writes the fraction and the decimal separator leftwards from `end`.
char* WriteFraction(char* end, uint32_t fraction, int digits, char decimalSeparator) {
    // A zero fraction is written as dashes, the way price lists show whole sums.
    const bool dashes = fraction == 0;
    char* cursor = end;
    for (int i = 0; i < digits; ++i) {
        *--cursor = dashes ? '-' : static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    *--cursor = decimalSeparator != 0 ? decimalSeparator : '.';
    return cursor;
}

} // namespace

RegionalNumberSettings ParseRegionalSettings(const char* decimal, const char* thousand,
                                             const char* currencyDigits) {
    RegionalNumberSettings settings;
    char decimalChar = VisibleFirstChar(decimal);
    settings.decimalSeparator = decimalChar != 0 ? decimalChar : '.';
    settings.thousandsSeparator = VisibleFirstChar(thousand);
    settings.currencyDigits = ParseCurrencyDigits(currencyDigits);
    return settings;
}

void FormatAmount(char* destination, double amount, const RegionalNumberSettings& settings) {
    std::memcpy(destination, "*****", sizeof "*****");
    int digits = settings.currencyDigits;
    if (digits < 0)
        digits = 0;
    if (digits > kMaxCurrencyDigits)
        digits = kMaxCurrencyDigits;
    // NaN fails every comparison, so it is refused before the range test.
    if (std::isnan(amount) || amount < 0.0 || amount > AmountLimit(digits))
        return;

    uint32_t scale = ScaleOf(digits);
    uint32_t n = static_cast<uint32_t>(amount * scale + 0.5);
    char text[kAmountTextSize + 2];
    char* cursor = text + sizeof text - 1;
    *cursor = '\0';
    if (digits > 0)
        cursor = WriteFraction(cursor, n % scale, digits, settings.decimalSeparator);
    cursor = WriteWholePart(cursor, n / scale, settings.thousandsSeparator);
    // The built text is at most 13 characters: it fits the 14-byte destination.
    std::memcpy(destination, cursor, std::strlen(cursor) + 1);
}
