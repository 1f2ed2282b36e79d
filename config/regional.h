// The system's number settings for money, and amounts written with them.
#pragma once

#include <cstdint>

struct RegionalNumberSettings {
    char decimalSeparator;   // never 0: "." when the system has none
    char thousandsSeparator; // 0: no grouping
    int32_t currencyDigits;  // 0..2
};

// Module-wide settings, read once per session; the catalogue's currency text
// may set currencyDigits again.
extern RegionalNumberSettings regionalSettings;

// Builds the settings from the texts of "sDecimal", "sThousand" and
// "iCurrDigits" as the profile reader returned them (null counts as empty).
RegionalNumberSettings ParseRegionalSettings(const char* decimal, const char* thousand,
                                             const char* currencyDigits);

// Reads the "intl" section of the system's profile into regionalSettings.
void ReadRegionalSettings();

constexpr int kAmountTextSize = 14;

// Writes the amount as money text into `destination` (at least 14 bytes),
// or "*****" when it is negative, not a number or too large.
void FormatAmount(char* destination, double amount, const RegionalNumberSettings& settings);
inline void FormatAmount(char* destination, double amount) {
    FormatAmount(destination, amount, regionalSettings);
}
